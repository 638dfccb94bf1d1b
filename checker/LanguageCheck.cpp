#include "checker/LanguageCheck.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <map>

#include "checker/XmlFileCheck.h"
#include "framework/Text.h"
#include "text/MessageIds.h"
#include "xml/XmlDocument.h"

namespace {

constexpr char kFallbackFile[] = "lang\\0409.xml";

// Loads and reports one language file; `use` says who gets it.
void CheckLanguageFile(HostReport& report, const std::string& hostDirectory, const std::string& relativePath,
                       const std::string& use) {
    XmlDocument document;
    const XmlElement root = LoadReportedXml(report, document, hostDirectory, relativePath);
    if (root.IsEmpty()) {
        report.Error(relativePath + ": " + use + " get \"Msg not init\" for every text");
        return;
    }
    MessageTable table;
    std::vector<std::string> ids;
    if (!table.LoadRoot(root, &ids))
        report.Error(relativePath + ": reading failed part way; the library shows message 7000 at start-up");
    if (!table.IsReady()) {
        report.Error(relativePath + ": no message with an id: " + use + " get \"Msg not init\" for every text");
        return;
    }
    const LanguageFindings findings = AnalyseLanguage(ids, table);
    report.Note(text::Format("%s: %d messages", relativePath.c_str(), static_cast<int>(ids.size())));
    if (!findings.missing.empty()) {
        std::vector<std::string> missing;
        for (int id : findings.missing) missing.push_back(text::Format("%d", id));
        report.Error(text::Format("%s: no text for %d message%s the library asks for (shown as \"Msg(N)\"): ",
                                  relativePath.c_str(), static_cast<int>(missing.size()), missing.size() == 1 ? "" : "s") +
                     JoinShort(missing, missing.size()));
    }
    std::vector<std::string> quoted;
    for (const std::string& id : findings.unreachable) quoted.push_back("\"" + id + "\"");
    if (!quoted.empty())
        report.Warning(relativePath + ": ids that no lookup can find (leading zeros, blanks or signs): " +
                       JoinShort(quoted));
    if (!findings.repeated.empty())
        report.Warning(relativePath + ": ids written more than once, the first text is used: " +
                       JoinShort(findings.repeated));
    if (findings.withoutId > 0)
        report.Warning(text::Format("%s: %d Msg element%s without an id, skipped", relativePath.c_str(), findings.withoutId,
                                    findings.withoutId == 1 ? "" : "s"));
}

// "0804.xml": the form the library builds from a language id ("%04x.xml").
bool NamedByLanguageId(const std::string& file) {
    return file.size() == 8 && ::lstrcmpiA(file.c_str() + 4, ".xml") == 0 &&
           std::all_of(file.begin(), file.begin() + 4, [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

// The names of the files `hostDirectory\lang\*.xml`.
std::vector<std::string> LanguageFiles(const std::string& hostDirectory) {
    std::vector<std::string> files;
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA((hostDirectory + "\\lang\\*.xml").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) files.push_back(found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    // In one order whatever the file system's: by name, case-blind.
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        return ::lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    return files;
}

}  // namespace

LanguageFindings AnalyseLanguage(const std::vector<std::string>& idsAsWritten, MessageTable& table) {
    LanguageFindings findings;
    for (const LibraryMessage& message : kLibraryMessages)
        if (table.Lookup(message.id) == text::Format("Msg(%d)", message.id) || !table.IsReady())
            findings.missing.push_back(message.id);
    std::map<std::string, int> seen;
    for (const std::string& id : idsAsWritten) {
        if (id.empty()) {
            ++findings.withoutId;
            continue;
        }
        if (++seen[id] == 2) findings.repeated.push_back(id);
        // Lookups print the id with %d: only that form of a number is ever found.
        if (seen[id] == 1 && text::Format("%d", text::ParseInt(id)) != id) findings.unreachable.push_back(id);
    }
    return findings;
}

void CheckLanguage(HostReport& report, const std::string& hostDirectory, unsigned langId, bool languageGiven) {
    report.Section("language");
    const unsigned language = langId & 0xFFFFu;
    const std::string own = text::Format("lang\\%04x.xml", language);
    const std::string chosen = ChooseLanguageFile(hostDirectory + "\\lang", language);
    const bool hasOwn = own != kFallbackFile && chosen == hostDirectory + "\\" + own;
    const char* machine = languageGiven ? "machines of language" : "this machine's language";
    if (own == kFallbackFile || hasOwn) {
        report.Note(text::Format("%s %04x: the library reads %s", machine, language, own.c_str()));
    } else {
        const std::string line = text::Format("%s %04x: %s does not exist, so the library reads the fallback %s",
                                              machine, language, own.c_str(), kFallbackFile);
        // Asked for by name, the language is one the host ships for.
        if (languageGiven) report.Error(line); else report.Note(line);
    }

    // Every language file, since every one is some machine's; the fallback even when absent.
    std::vector<std::string> files = LanguageFiles(hostDirectory);
    const auto isFallback = [](const std::string& file) { return ::lstrcmpiA(file.c_str(), "0409.xml") == 0; };
    if (std::none_of(files.begin(), files.end(), isFallback)) files.insert(files.begin(), "0409.xml");
    for (const std::string& file : files) {
        const std::string relative = "lang\\" + file;
        const bool fallback = isFallback(file);
        const bool ownFile = ::lstrcmpiA(relative.c_str(), own.c_str()) == 0;
        if (!fallback && !NamedByLanguageId(file)) {
            report.Warning(relative + ": not named by a language id (XXXX.xml, four hexadecimal digits): no machine reads it");
            continue;
        }
        std::string use = "machines of language " + file.substr(0, 4);
        if (ownFile) use = "machines of this language";
        if (fallback) use = "machines without a file of their language";
        if (fallback && own == kFallbackFile) use = "machines of this language and those without a file of their own";
        CheckLanguageFile(report, hostDirectory, relative, use);
    }
}
