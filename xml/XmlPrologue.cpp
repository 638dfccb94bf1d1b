#include "xml/XmlPrologue.h"

#include <string_view>
#include <vector>

#include "framework/CodePageConversion.h"

namespace {

// The file's markup as single bytes: 8-bit files as they are (not copied), UTF-16 files
// one byte per unit with anything beyond ASCII as 0x80, made in `converted`. Markup of
// the prologue is ASCII in both.
std::string_view MarkupView(const std::string& bytes, XmlPrologue::Form& form, std::string& converted) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const std::size_t n = bytes.size();
    bool utf16 = false;
    bool bigEndian = false;
    std::size_t start = 0;
    if (n >= 2 && at(0) == 0xFF && at(1) == 0xFE) {
        utf16 = true;
        start = 2;
    } else if (n >= 2 && at(0) == 0xFE && at(1) == 0xFF) {
        utf16 = bigEndian = true;
        start = 2;
    } else if (n >= 4 && at(0) == '<' && at(1) == 0 && at(2) == '?' && at(3) == 0) {
        utf16 = true;
    } else if (n >= 4 && at(0) == 0 && at(1) == '<' && at(2) == 0 && at(3) == '?') {
        utf16 = bigEndian = true;
    }
    if (!utf16) {
        if (n >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
            form = XmlPrologue::Form::Utf8WithBom;
            return std::string_view(bytes).substr(3);
        }
        form = XmlPrologue::Form::Bytes;
        return bytes;
    }
    form = XmlPrologue::Form::Utf16;
    converted.reserve((n - start) / 2);
    for (std::size_t i = start; i + 1 < n; i += 2) {
        const unsigned unit = bigEndian ? (at(i) << 8 | at(i + 1)) : (at(i + 1) << 8 | at(i));
        converted.push_back(unit < 0x80 ? static_cast<char>(unit) : '\x80');
    }
    return converted;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool StartsWith(std::string_view s, std::size_t at, const char* prefix) {
    return s.compare(at, std::char_traits<char>::length(prefix), prefix) == 0;
}

// Index just past `terminator` from `from`, or npos.
std::size_t PastNext(std::string_view s, std::size_t from, const char* terminator) {
    const std::size_t found = s.find(terminator, from);
    return found == std::string::npos ? found : found + std::char_traits<char>::length(terminator);
}

// The encoding pseudo-attribute of an XML declaration that ends before `end`.
void ReadEncoding(std::string_view view, std::size_t end, XmlPrologue& prologue) {
    std::size_t i = view.find("encoding", 5);
    if (i == std::string::npos || i >= end) return;
    i += 8;
    while (i < end && IsBlank(view[i])) ++i;
    if (i >= end || view[i] != '=') return;
    ++i;
    while (i < end && IsBlank(view[i])) ++i;
    if (i >= end || (view[i] != '"' && view[i] != '\'')) return;
    const char quote = view[i++];
    const std::size_t close = view.find(quote, i);
    if (close == std::string::npos || close > end) return;
    prologue.declaredEncoding = std::string(view.substr(i, close - i));
    prologue.encodingOffset = i;
}

// Scans a DOCTYPE from just after "<!DOCTYPE" for entity declarations in its internal subset.
bool SubsetDeclaresEntities(std::string_view view, std::size_t i) {
    bool inSubset = false;
    while (i < view.size()) {
        const char c = view[i];
        if (c == '"' || c == '\'') {
            i = PastNext(view, i + 1, c == '"' ? "\"" : "'");
        } else if (inSubset && StartsWith(view, i, "<!--")) {
            i = PastNext(view, i + 4, "-->");
        } else if (inSubset && StartsWith(view, i, "<?")) {
            i = PastNext(view, i + 2, "?>");
        } else if (inSubset && StartsWith(view, i, "<!ENTITY")) {
            return true;
        } else if (c == '[') {
            inSubset = true;
            ++i;
        } else if (c == ']') {
            inSubset = false;
            ++i;
        } else if (c == '>' && !inSubset) {
            return false;
        } else {
            ++i;
        }
        if (i == std::string::npos) return false;
    }
    return false;
}

}  // namespace

XmlPrologue XmlPrologue::Read(const std::string& bytes) {
    XmlPrologue prologue;
    std::string converted;
    const std::string_view view = MarkupView(bytes, prologue.form, converted);
    std::size_t i = 0;
    if (StartsWith(view, 0, "<?xml") && view.size() > 5 && IsBlank(view[5])) {
        const std::size_t end = view.find("?>", 5);
        if (end == std::string::npos) return prologue;
        if (prologue.form == Form::Bytes) ReadEncoding(view, end, prologue);
        i = end + 2;
    }
    // Comments, processing instructions and blanks may come before the DOCTYPE.
    while (i < view.size() && i != std::string::npos) {
        if (IsBlank(view[i])) {
            ++i;
        } else if (StartsWith(view, i, "<!--")) {
            i = PastNext(view, i + 4, "-->");
        } else if (StartsWith(view, i, "<?")) {
            i = PastNext(view, i + 2, "?>");
        } else {
            if (StartsWith(view, i, "<!DOCTYPE")) prologue.declaresEntities = SubsetDeclaresEntities(view, i + 9);
            break;
        }
    }
    return prologue;
}

std::optional<unsigned> XmlPrologue::ChineseCodePage() const {
    std::string name;
    for (const char c : declaredEncoding) name.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    static const char* const kCodePage936[] = {"gb2312", "gb_2312-80", "csgb2312", "euc-cn", "x-euc-cn",
                                               "cp936", "windows-936", "ms936", "x-gbk"};
    for (const char* alias : kCodePage936)
        if (name == alias) return 936u;
    if (name == "gb18030") return 54936u;
    return std::nullopt;
}

std::optional<std::string> XmlPrologue::ReencodeAsUtf8(const std::string& bytes, unsigned codePage) const {
    if (form != Form::Bytes || declaredEncoding.empty()) return std::nullopt;
    // The declaration's own bytes are ASCII, so it can be rewritten before decoding.
    std::string source = bytes;
    source.replace(encodingOffset, declaredEncoding.size(), "UTF-8");
    // Without the four-byte code page (Wine has none), its one- and two-byte part is code page 936.
    if (codePage == 54936 && !codepage::IsAvailable(codePage)) codePage = 936;
    if (source.empty()) return std::string();
    const std::size_t units = codepage::ToUtf16(codePage, source, true, nullptr, 0);
    if (units == 0) return std::nullopt;
    std::vector<wchar_t> wide(units);
    if (codepage::ToUtf16(codePage, source, true, wide.data(), units) != units) return std::nullopt;
    const std::wstring_view text(wide.data(), units);
    std::string utf8(codepage::FromUtf16(codepage::kUtf8, text, nullptr, 0), '\0');
    utf8.resize(codepage::FromUtf16(codepage::kUtf8, text, utf8.data(), utf8.size()));
    return utf8;
}
