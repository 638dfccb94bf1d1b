#pragma once
// How a file's bytes are read as text: the form its first bytes give (byte-order marks
// and the signatures the platform's parser knows), the encoding names of the 936 family,
// and the strict conversions that refuse bytes not valid in their encoding.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

enum class EncodingForm {
    Bytes,           // ASCII-compatible; the declaration names the encoding
    Utf8WithBom,
    Utf16LeWithBom,
    Utf16BeWithBom,
    Utf16Le,         // "<?" without a byte-order mark
    Utf16Be,
    Ucs4,            // '<' in four bytes, in any of the four byte orders
    Ebcdic,          // "<?xm" in EBCDIC
    Utf7WithBom,
};

[[nodiscard]] EncodingForm DetectEncodingForm(std::string_view bytes);
// Bytes of the byte-order mark at the start of a file of that form.
[[nodiscard]] std::size_t MarkSize(EncodingForm form);

[[nodiscard]] bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
[[nodiscard]] bool NamesUtf8(std::string_view name);
[[nodiscard]] bool NamesUtf16(std::string_view name);

// The code page that a declared name of the 936 family stands for: 936 for gb2312,
// GBK's aliases and EUC-CN, 54936 for gb18030. Empty for every other name, "GBK"
// itself included, since the platform's parser reads that one on its own.
[[nodiscard]] std::optional<unsigned> ChineseCodePage(std::string_view name);
// The code page as this system has it: without the four-byte code page (Wine has none),
// its one- and two-byte part, code page 936.
[[nodiscard]] unsigned UsableCodePage(unsigned codePage);

// The offset of the first byte that is not UTF-8 (overlong forms, surrogates and code
// points beyond U+10FFFF included), or npos when all are.
[[nodiscard]] std::size_t FindInvalidUtf8(std::string_view bytes);

// Bytes in `codePage` as UTF-8, converted a piece at a time so that no UTF-16 copy of
// the whole text is made; empty when some bytes are not valid in the code page.
// May raise std::bad_alloc.
[[nodiscard]] std::optional<std::string> CodePageToUtf8(std::string_view bytes, unsigned codePage);

// UTF-16 units of the given byte order; a last odd byte is ignored, as the platform's
// parser ignores it.
[[nodiscard]] std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian);
