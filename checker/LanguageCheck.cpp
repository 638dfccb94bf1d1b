#include "checker/LanguageCheck.h"

#include <algorithm>
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

void CheckLanguage(HostReport& report, const std::string& hostDirectory, unsigned langId) {
    report.Section("language");
    const unsigned language = langId & 0xFFFFu;
    const std::string own = text::Format("lang\\%04x.xml", language);
    if (own == kFallbackFile) {
        report.Note(text::Format("this machine's language %04x: the library reads %s, the fallback of every language",
                                 language, own.c_str()));
        CheckLanguageFile(report, hostDirectory, own, "machines of this language and those without a file of their own");
        return;
    }
    if (ChooseLanguageFile(hostDirectory + "\\lang", language) == hostDirectory + "\\" + own) {
        report.Note(text::Format("this machine's language %04x: the library reads %s; languages without a file of "
                                 "their own read %s",
                                 language, own.c_str(), kFallbackFile));
        CheckLanguageFile(report, hostDirectory, own, "machines of this language");
    } else {
        report.Note(text::Format("this machine's language %04x: %s does not exist, so the library reads the fallback %s",
                                 language, own.c_str(), kFallbackFile));
    }
    CheckLanguageFile(report, hostDirectory, kFallbackFile, "machines without a file of their language");
}
