#pragma once
// The characters of XML 1.0 and the two forms of text the reader works on: UTF-8 bytes
// (checked valid before it starts) and UTF-16 units.
#include <algorithm>
#include <string>
#include <string_view>

inline bool IsXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

inline bool IsNameStart(char32_t c) {
    if (c < 0x80) return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
    return (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) ||
           (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

inline bool IsNameChar(char32_t c) {
    return IsNameStart(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

// The two forms of text the reader works on: valid UTF-8 bytes (checked before it
// starts), and UTF-16 units.
template <typename Unit>
struct TextForm;

template <>
struct TextForm<char> {
    static unsigned Code(char c) { return static_cast<unsigned char>(c); }
    // Characters that need no look at: not markup, not a line end to normalise, and
    // certainly XML characters. In valid UTF-8 only U+FFFE and U+FFFF among the
    // characters beyond ASCII are not, and both start with 0xEF.
    static bool IsPlain(char c) {
        const unsigned u = Code(c);
        return (u >= 0x20 && u != 0xEF) || u == 0xA || u == 0x9;
    }
    // The code point at p and how many units it takes; 0 at the end.
    static char32_t Peek(const char* p, const char* end, int& units) {
        units = 1;
        if (p >= end) return 0;
        const unsigned lead = Code(*p);
        if (lead < 0x80) return lead;
        const int trail = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
        char32_t c = lead & (0x3F >> trail);
        for (int k = 1; k <= trail; ++k) c = c << 6 | (Code(p[k]) & 0x3F);
        units = trail + 1;
        return c;
    }
    static void Append(std::string& out, char32_t c) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | c >> 6));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | c >> 12));
            out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | c >> 18));
            out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
};

template <>
struct TextForm<wchar_t> {
    static unsigned Code(wchar_t c) { return static_cast<unsigned>(c); }
    // Below the surrogates, not markup, not a line end to normalise.
    static bool IsPlain(wchar_t c) { return (c >= 0x20 && c < 0xD800) || c == 0xA || c == 0x9; }
    // 0 for a lone surrogate.
    static char32_t Peek(const wchar_t* p, const wchar_t* end, int& units) {
        units = 1;
        if (p >= end) return 0;
        const wchar_t c = *p;
        if (c < 0xD800 || c > 0xDFFF) return c;
        if (c <= 0xDBFF && p + 1 < end && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
            units = 2;
            return 0x10000 + ((c - 0xD800u) << 10) + (p[1] - 0xDC00u);
        }
        return 0;
    }
    static void Append(std::wstring& out, char32_t c) {
        if (c < 0x10000) {
            out.push_back(static_cast<wchar_t>(c));
        } else {
            c -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
        }
    }
};

inline bool IsXmlBlank(unsigned c) { return c == 0x20 || c == 0x9 || c == 0xA || c == 0xD; }

// Whether `text`, in either form, is the ASCII `literal`.
template <typename Unit>
bool IsLiteral(std::basic_string_view<Unit> text, std::string_view literal) {
    return text.size() == literal.size() &&
           std::equal(literal.begin(), literal.end(), text.begin(),
                      [](char a, Unit b) { return static_cast<unsigned>(a) == TextForm<Unit>::Code(b); });
}
