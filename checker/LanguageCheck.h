#pragma once
// The host's language files as the library's message table reads them: which file this
// machine gets, and whether it has a text for every message the library asks for.
#include <string>
#include <vector>

#include "checker/HostReport.h"
#include "text/MessageTable.h"

struct LanguageFindings {
    std::vector<int> missing;             // ids the library asks for that have no text
    std::vector<std::string> unreachable; // ids written so that no lookup can find them
    std::vector<std::string> repeated;    // ids written more than once (the first text wins)
    int withoutId = 0;                    // Msg elements without an id, which are skipped
};

// `idsAsWritten`: every id of the file in document order; `table`: the table loaded from it.
[[nodiscard]] LanguageFindings AnalyseLanguage(const std::vector<std::string>& idsAsWritten, MessageTable& table);

// Says which file the library picks in `hostDirectory\lang` for `langId` and checks every
// language file there, the fallback 0409.xml even when it is missing. A language given
// by the host team (`languageGiven`) without a file of its own is an error.
void CheckLanguage(HostReport& report, const std::string& hostDirectory, unsigned langId, bool languageGiven);
