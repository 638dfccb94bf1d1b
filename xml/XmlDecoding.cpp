#include "xml/XmlDecoding.h"

#include <algorithm>
#include <vector>

#include "framework/CodePageConversion.h"

EncodingForm DetectEncodingForm(std::string_view bytes) {
    const auto starts = [&](std::string_view signature) { return bytes.substr(0, signature.size()) == signature; };
    using namespace std::string_view_literals;
    if (starts("\xEF\xBB\xBF"sv)) return EncodingForm::Utf8WithBom;
    if (starts("\xFF\xFE"sv)) return EncodingForm::Utf16LeWithBom;
    if (starts("\xFE\xFF"sv)) return EncodingForm::Utf16BeWithBom;
    if (starts("<\0?\0"sv)) return EncodingForm::Utf16Le;
    if (starts("\0<\0?"sv)) return EncodingForm::Utf16Be;
    if (starts("\0\0\0<"sv) || starts("<\0\0\0"sv) || starts("\0\0<\0"sv) || starts("\0<\0\0"sv))
        return EncodingForm::Ucs4;
    if (starts("\x4C\x6F\xA7\x94"sv)) return EncodingForm::Ebcdic;
    if (starts("+/v"sv) && bytes.size() > 3 && std::string_view("89+/").find(bytes[3]) != std::string_view::npos)
        return EncodingForm::Utf7WithBom;
    return EncodingForm::Bytes;
}

std::size_t MarkSize(EncodingForm form) {
    switch (form) {
        case EncodingForm::Utf8WithBom:
            return 3;
        case EncodingForm::Utf16LeWithBom:
        case EncodingForm::Utf16BeWithBom:
            return 2;
        default:
            return 0;
    }
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

bool NamesUtf8(std::string_view name) { return EqualsIgnoringAsciiCase(name, "UTF-8") || EqualsIgnoringAsciiCase(name, "UTF8"); }

bool NamesUtf16(std::string_view name) {
    return EqualsIgnoringAsciiCase(name, "UTF-16") || EqualsIgnoringAsciiCase(name, "UTF16");
}

std::optional<unsigned> ChineseCodePage(std::string_view name) {
    static const char* const kCodePage936[] = {"gb2312", "gb_2312-80", "csgb2312", "euc-cn", "x-euc-cn",
                                               "cp936", "windows-936", "ms936", "x-gbk"};
    for (const char* alias : kCodePage936)
        if (EqualsIgnoringAsciiCase(name, alias)) return 936u;
    if (EqualsIgnoringAsciiCase(name, "gb18030")) return 54936u;
    return std::nullopt;
}

unsigned UsableCodePage(unsigned codePage) {
    return codePage == 54936 && !codepage::IsAvailable(codePage) ? 936u : codePage;
}

std::size_t FindInvalidUtf8(std::string_view bytes) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    for (std::size_t i = 0; i < size;) {
        const unsigned lead = in[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t trail = 0;
        char32_t c = 0;
        char32_t least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            trail = 1, c = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            trail = 2, c = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            trail = 3, c = lead & 0x07, least = 0x10000;
        } else {
            return i;
        }
        if (size - i <= trail) return i;
        for (std::size_t k = 1; k <= trail; ++k) {
            const unsigned next = in[i + k];
            if ((next & 0xC0) != 0x80) return i;
            c = c << 6 | (next & 0x3F);
        }
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return i;
        i += trail + 1;
    }
    return std::string_view::npos;
}

std::optional<std::string> CodePageToUtf8(std::string_view bytes, unsigned codePage) {
    // Pieces end just after a byte below 0x30, which is neither a lead byte nor a trail
    // byte in any code page of the 936 family (GB18030's four-byte form included).
    constexpr std::size_t kPiece = 64 * 1024;
    std::string utf8;
    utf8.reserve(bytes.size() + bytes.size() / 2);
    std::vector<wchar_t> wide;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = std::min(bytes.size(), at + kPiece);
        if (end < bytes.size()) {
            std::size_t cut = end;
            while (cut > at && static_cast<unsigned char>(bytes[cut - 1]) >= 0x30) --cut;
            if (cut > at) end = cut;
            else
                while (end < bytes.size() && static_cast<unsigned char>(bytes[end - 1]) >= 0x30) ++end;
        }
        const std::string_view piece = bytes.substr(at, end - at);
        const std::size_t units = codepage::ToUtf16(codePage, piece, true, nullptr, 0);
        if (units == 0) return std::nullopt;
        wide.resize(units);
        if (codepage::ToUtf16(codePage, piece, true, wide.data(), units) != units) return std::nullopt;
        const std::wstring_view text(wide.data(), units);
        const std::size_t size = codepage::FromUtf16(codepage::kUtf8, text, nullptr, 0);
        const std::size_t start = utf8.size();
        utf8.resize(start + size);
        if (codepage::FromUtf16(codepage::kUtf8, text, utf8.data() + start, size) != size) return std::nullopt;
        at = end;
    }
    return utf8;
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring text(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = static_cast<wchar_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
    }
    return text;
}
