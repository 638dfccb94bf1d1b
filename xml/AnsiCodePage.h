#pragma once
// Texts in the process's ANSI code page, as the layer returns every text: made from
// UTF-16 or from UTF-8 through one table of the code page, so that a document's texts
// convert without a call into the system per text.
#include <string>
#include <string_view>

// Appends `text` in the ANSI code page; characters without a mapping become its default
// character. False when the system cannot convert it at all.
[[nodiscard]] bool AppendAnsi(std::string& out, std::wstring_view text);
// The same from UTF-8, which must be valid.
[[nodiscard]] bool AppendAnsi(std::string& out, std::string_view utf8);

// Whether `name` comes back unchanged from `ansi`, its form in the code page: only then
// can a name given in the code page find it.
[[nodiscard]] bool SurvivesCodePage(std::wstring_view name, std::string_view ansi);
[[nodiscard]] bool SurvivesCodePage(std::string_view utf8Name, std::string_view ansi);

// UTF-8, which must be valid, as UTF-16.
[[nodiscard]] std::wstring WidenUtf8(std::string_view utf8);
