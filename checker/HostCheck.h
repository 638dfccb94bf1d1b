#pragma once
// The whole check of a host folder: directory, language files and skin, read by the
// library's own readers so that the report says what the dialogs will read.
#include <string>

#include "checker/HostReport.h"

// `langId` stands for the language of the machine the host runs on.
[[nodiscard]] HostReport CheckHostFolder(const std::string& hostDirectory, unsigned langId);
