#pragma once
// Conversion between code pages and UTF-16: the one place where the parsers ask the
// platform for it. The library uses the system's conversion; the native (non-Windows)
// builds of the parsers, for fuzzing and for timing them, use iconv, with code page 936
// standing for the process's ANSI code page as it does in the deployed setting.
//
// UTF-16 units are held in wchar_t, which is wider than 16 bits outside Windows: a unit
// is still one unit there, surrogates included.
#include <cstddef>
#include <string_view>

namespace codepage {

// The process's ANSI code page, whichever it is.
constexpr unsigned kAnsi = 0;
constexpr unsigned kUtf8 = 65001;

// The number of the process's ANSI code page (936 in the native builds).
[[nodiscard]] unsigned AnsiCodePage();
[[nodiscard]] bool IsAvailable(unsigned codePage);
// The longest character of the code page, in bytes; 0 when it is not available.
[[nodiscard]] unsigned MaxCharSize(unsigned codePage);
// Whether `byte` begins a two-byte character of a double-byte code page.
[[nodiscard]] bool IsLeadByte(unsigned codePage, unsigned char byte);

// The bytes as UTF-16 units, written to `out` (room for `capacity` units) or only
// counted when `out` is null; the count, 0 on failure or for no bytes. Strict: bytes not
// valid in the code page fail the whole conversion; otherwise each becomes the
// replacement character.
[[nodiscard]] std::size_t ToUtf16(unsigned codePage, std::string_view bytes, bool strict, wchar_t* out,
                                  std::size_t capacity);
// The units as the code page's bytes, written to `out` (room for `capacity` bytes) or
// only counted when `out` is null; the count, 0 on failure or for no units. A character
// the code page lacks, and a lone surrogate, become its default character.
[[nodiscard]] std::size_t FromUtf16(unsigned codePage, std::wstring_view units, char* out, std::size_t capacity);

}  // namespace codepage
