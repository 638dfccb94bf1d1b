#include "xml/AnsiCodePage.h"

#include <cstdint>
#include <vector>

#include "framework/CodePageConversion.h"

namespace {

bool IsSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The ANSI code page's bytes for every UTF-16 unit but the surrogates, from one
// conversion of them all. In a code page of one- and two-byte characters each
// character converts on its own, so the table gives what converting a whole text gives.
// Not made for code pages of longer characters.
class AnsiTable {
public:
    static const AnsiTable* Get() {
        static const AnsiTable table;
        return table.usable ? &table : nullptr;
    }

    // Appends the bytes of a unit that is not a surrogate.
    char* Append(char* out, wchar_t unit) const {
        const std::uint16_t bytes = codes[unit];
        *out++ = static_cast<char>(bytes & 0xFF);
        if (bytes > 0xFF) *out++ = static_cast<char>(bytes >> 8);
        return out;
    }

private:
    AnsiTable() : codes(0x10000, 0) {
        const unsigned maxCharSize = codepage::MaxCharSize(codepage::kAnsi);
        if (maxCharSize == 0 || maxCharSize > 2) return;
        std::wstring units;
        for (unsigned unit = 1; unit <= 0xFFFF; ++unit)
            if (!IsSurrogate(static_cast<wchar_t>(unit))) units.push_back(static_cast<wchar_t>(unit));
        std::string bytes(units.size() * 2, '\0');
        const std::size_t size = codepage::FromUtf16(codepage::kAnsi, units, bytes.data(), bytes.size());
        std::size_t at = 0;
        for (const wchar_t unit : units) {
            if (at >= size) return;
            const auto first = static_cast<unsigned char>(bytes[at]);
            const bool pair = codepage::IsLeadByte(codepage::kAnsi, first) && at + 1 < size;
            codes[unit] = static_cast<std::uint16_t>(pair ? first | static_cast<unsigned char>(bytes[at + 1]) << 8 : first);
            at += pair ? 2 : 1;
        }
        usable = at == size;
    }

    std::vector<std::uint16_t> codes;  // first byte low, second byte (if any) high
    bool usable = false;
};

// The system's conversion of a whole text, for what the table does not cover.
bool AppendBySystem(std::string& out, std::wstring_view text) {
    if (text.empty()) return true;
    const std::size_t size = codepage::FromUtf16(codepage::kAnsi, text, nullptr, 0);
    if (size == 0) return false;
    const std::size_t start = out.size();
    out.resize(start + size);
    return codepage::FromUtf16(codepage::kAnsi, text, out.data() + start, size) == size;
}

// The code point of the valid UTF-8 sequence at `in`, moving past it.
char32_t NextUtf8(const unsigned char*& in) {
    const unsigned lead = *in++;
    if (lead < 0x80) return lead;
    const int trail = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    char32_t c = lead & (0x3F >> trail);
    for (int k = 0; k < trail; ++k) c = c << 6 | (*in++ & 0x3F);
    return c;
}

}  // namespace

bool AppendAnsi(std::string& out, std::wstring_view text) {
    const AnsiTable* table = AnsiTable::Get();
    const std::size_t start = out.size();
    out.resize(start + text.size() * 2);
    char* next = out.data() + start;
    for (const wchar_t unit : text) {
        if (unit < 0x80) {
            *next++ = static_cast<char>(unit);
        } else if (table != nullptr && !IsSurrogate(unit)) {
            next = table->Append(next, unit);
        } else {
            out.resize(start);
            return AppendBySystem(out, text);
        }
    }
    out.resize(static_cast<std::size_t>(next - out.data()));
    return true;
}

bool AppendAnsi(std::string& out, std::string_view utf8) {
    const AnsiTable* table = AnsiTable::Get();
    const std::size_t start = out.size();
    // Never more bytes than UTF-8 takes: one for ASCII, at most two for three or four.
    out.resize(start + utf8.size());
    char* next = out.data() + start;
    const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* const end = in + utf8.size();
    while (in < end) {
        if (*in < 0x80) {
            *next++ = static_cast<char>(*in++);
            continue;
        }
        const char32_t c = NextUtf8(in);
        if (table == nullptr || c > 0xFFFF) {
            out.resize(start);
            return AppendBySystem(out, WidenUtf8(utf8));
        }
        next = table->Append(next, static_cast<wchar_t>(c));
    }
    out.resize(static_cast<std::size_t>(next - out.data()));
    return true;
}

bool SurvivesCodePage(std::wstring_view name, std::string_view ansi) {
    bool ascii = true;
    for (const wchar_t c : name) ascii = ascii && c < 0x80;
    if (ascii) return true;
    std::wstring back(codepage::ToUtf16(codepage::kAnsi, ansi, false, nullptr, 0), L'\0');
    back.resize(codepage::ToUtf16(codepage::kAnsi, ansi, false, back.data(), back.size()));
    return back == name;
}

bool SurvivesCodePage(std::string_view utf8Name, std::string_view ansi) {
    bool ascii = true;
    for (const char c : utf8Name) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    return ascii || SurvivesCodePage(WidenUtf8(utf8Name), ansi);
}

std::wstring WidenUtf8(std::string_view utf8) {
    std::wstring wide;
    wide.reserve(utf8.size());
    const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* const end = in + utf8.size();
    while (in < end) {
        char32_t c = NextUtf8(in);
        if (c >= 0x10000) {
            c -= 0x10000;
            wide.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
            c = 0xDC00 + (c & 0x3FF);
        }
        wide.push_back(static_cast<wchar_t>(c));
    }
    return wide;
}
