#include "checker/HostReport.h"

#include <windows.h>

#include "framework/Text.h"

void HostReport::Section(const std::string& title) { lines.push_back(title); }

void HostReport::Note(const std::string& line) { lines.push_back("  " + line); }

void HostReport::Error(const std::string& line) {
    lines.push_back("  error: " + line);
    ++errors;
}

void HostReport::Warning(const std::string& line) {
    lines.push_back("  warning: " + line);
    ++warnings;
}

std::string HostReport::Text() const {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    text += text::Format("%d error%s, %d warning%s\n", errors, errors == 1 ? "" : "s", warnings,
                         warnings == 1 ? "" : "s");
    return text;
}

std::string JoinShort(const std::vector<std::string>& items, std::size_t shown) {
    std::string joined;
    for (std::size_t i = 0; i < items.size() && i < shown; ++i) joined += (i ? ", " : "") + items[i];
    if (items.size() > shown) joined += text::Format(" and %d more", static_cast<int>(items.size() - shown));
    return joined;
}

std::wstring ConsoleText(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int units = ::MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0) ::MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), wide.data(), units);
    return wide;
}

std::string CodePageNote(unsigned codePage) {
    if (codePage == 936) return std::string();
    return text::Format("note: the names below are in code page 936 (GBK), the library's; this machine's code page "
                        "is %u, where they show wrongly: read this report in a console or as GBK\n",
                        codePage);
}
