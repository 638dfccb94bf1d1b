#pragma once
// The whole check of a host folder: the libraries beside the host, directory, language
// files and skin, read by the library's own readers so that the report says what the
// dialogs will read.
#include <string>

#include "checker/HostReport.h"

// `langId` stands for the language of the machine the host runs on; `languageGiven`
// when the host team named it rather than taking the checking machine's.
[[nodiscard]] HostReport CheckHostFolder(const std::string& hostDirectory, unsigned langId, bool languageGiven);
