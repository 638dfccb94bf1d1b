#pragma once
// The checker's report: a short text of sections, one finding a line, that counts its
// errors (the dialogs will show something broken) and warnings (they will work, but a
// host team should look).
#include <string>
#include <vector>

class HostReport {
public:
    void Section(const std::string& title);
    void Note(const std::string& line);
    void Error(const std::string& line);
    void Warning(const std::string& line);

    [[nodiscard]] int Errors() const { return errors; }
    [[nodiscard]] int Warnings() const { return warnings; }
    [[nodiscard]] const std::vector<std::string>& Lines() const { return lines; }
    // Every line, then the count of errors and warnings; lines end with "\n".
    [[nodiscard]] std::string Text() const;
    // 1 when there is an error, else 0.
    [[nodiscard]] int ExitCode() const { return errors > 0 ? 1 : 0; }

private:
    std::vector<std::string> lines;
    int errors = 0;
    int warnings = 0;
};

// At most `shown` of the items, joined by ", ", then "and N more": a report line stays
// short when a directory has thousands of people.
[[nodiscard]] std::string JoinShort(const std::vector<std::string>& items, std::size_t shown = 8);

// The report's code page 936 text as UTF-16, which a console shows on any code page.
[[nodiscard]] std::wstring ConsoleText(const std::string& text);
// The line that goes before a report written as bytes on a machine whose ANSI code page
// is `codePage`: empty for 936, else a word that the names in it are code page 936.
[[nodiscard]] std::string CodePageNote(unsigned codePage);
