#include "checker/HostReport.h"

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
