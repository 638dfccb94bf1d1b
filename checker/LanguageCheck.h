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

// Reports the file the library picks in `hostDirectory\lang` for `langId`, and the
// fallback 0409.xml that every other language falls back to.
void CheckLanguage(HostReport& report, const std::string& hostDirectory, unsigned langId);
