#pragma once
// 8-bit text helpers. Texts are std::string holding bytes of the process's ANSI
// code page (936 in the deployed setting); comparisons are byte-wise unless named otherwise.
#include <windows.h>
#include <string>

namespace text {

// printf-style formatting into a new text.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Exact comparison, byte for byte (as _mbscmp compares).
[[nodiscard]] bool Equal(const std::string& a, const std::string& b);
// Multibyte-aware comparison that ignores the case of single-byte letters and keeps
// double-byte characters exact (as _mbsicmp compares in the process code page).
[[nodiscard]] bool EqualIgnoringCase(const std::string& a, const std::string& b);

// The decimal value of leading digits, as atoi reads them (white space, sign, digits);
// 0 without digits; saturates at the 32-bit limits instead of overflowing.
[[nodiscard]] int ParseInt(const std::string& s);

// Every occurrence of `from` replaced by `to`, left to right, without overlap.
[[nodiscard]] std::string ReplaceAll(const std::string& s, const std::string& from, const std::string& to);
// The text without any byte equal to `c`.
[[nodiscard]] std::string RemoveByte(const std::string& s, char c);

// Whether `byte` begins a double-byte character in the process's ANSI code page, the
// code page of every 8-bit text here: never in a single-byte one such as 1252. The one
// lead-byte rule of the library; a walk over a text steps by it.
[[nodiscard]] bool IsLeadByte(unsigned char byte);

// A C text (null: the empty text) cut to its first characters that fit in `maxBytes`,
// never splitting a double-byte character; no byte past maxBytes + 1 is read, so a huge
// text costs no more than a short one.
[[nodiscard]] std::string BoundedText(const char* s, size_t maxBytes);

// Window texts through the ANSI functions, so that byte counts are those of the code page.
[[nodiscard]] std::string GetWindowText(HWND window);
void SetWindowText(HWND window, const std::string& s);

}  // namespace text
