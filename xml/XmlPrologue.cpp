#include "xml/XmlPrologue.h"

#include <algorithm>
#include <string_view>

#include "framework/CodePageConversion.h"

namespace {

enum class Scan { NoEntities, Entities, NeedMore };

template <typename Unit>
class EntityScanner {
public:
    // `complete`: the text is the whole document, not a head of it.
    EntityScanner(std::basic_string_view<Unit> text, bool complete) : text(text), complete(complete) {}

    Scan Run() {
        std::size_t i = 0;
        if (StartsWith(0, "<?xml") && text.size() > 5 && IsBlank(text[5])) {
            i = PastNext(5, "?>");
            if (i == npos) return End();
        }
        // Comments, processing instructions and blanks may come before the DOCTYPE.
        while (i < text.size()) {
            if (IsBlank(text[i])) {
                ++i;
            } else if (StartsWith(i, "<!--")) {
                i = PastNext(i + 4, "-->");
            } else if (StartsWith(i, "<?")) {
                i = PastNext(i + 2, "?>");
            } else if (StartsWith(i, "<!DOCTYPE")) {
                return Subset(i + 9);
            } else {
                // Only a head that ends inside "<!DOCTYPE" can still turn out to be one.
                return !complete && text.size() - i < 9 ? Scan::NeedMore : Scan::NoEntities;
            }
            if (i == npos) return End();
        }
        return End();
    }

private:
    static constexpr std::size_t npos = std::basic_string_view<Unit>::npos;

    static bool IsBlank(Unit c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    Scan End() const { return complete ? Scan::NoEntities : Scan::NeedMore; }

    bool StartsWith(std::size_t at, std::string_view literal) const {
        if (text.size() - at < literal.size()) return false;
        for (std::size_t k = 0; k < literal.size(); ++k)
            if (text[at + k] != static_cast<Unit>(literal[k])) return false;
        return true;
    }

    // Index just past `terminator` from `from`, or npos.
    std::size_t PastNext(std::size_t from, std::string_view terminator) const {
        const auto found = std::search(text.begin() + std::min(from, text.size()), text.end(), terminator.begin(),
                                       terminator.end(), [](Unit a, char b) { return a == static_cast<Unit>(b); });
        return found == text.end() ? npos : static_cast<std::size_t>(found - text.begin()) + terminator.size();
    }

    // A DOCTYPE from just after "<!DOCTYPE": entity declarations in its internal subset.
    Scan Subset(std::size_t i) const {
        bool inSubset = false;
        while (i < text.size()) {
            const Unit c = text[i];
            if (c == '"' || c == '\'') {
                i = PastNext(i + 1, c == '"' ? "\"" : "'");
            } else if (inSubset && StartsWith(i, "<!--")) {
                i = PastNext(i + 4, "-->");
            } else if (inSubset && StartsWith(i, "<?")) {
                i = PastNext(i + 2, "?>");
            } else if (inSubset && StartsWith(i, "<!ENTITY")) {
                return Scan::Entities;
            } else if (c == '[') {
                inSubset = true;
                ++i;
            } else if (c == ']') {
                inSubset = false;
                ++i;
            } else if (c == '>' && !inSubset) {
                return Scan::NoEntities;
            } else {
                ++i;
            }
            if (i == npos) return End();
        }
        return End();
    }

    std::basic_string_view<Unit> text;
    bool complete;
};

template <typename Unit>
Scan ScanText(std::basic_string_view<Unit> text, bool complete) {
    return EntityScanner<Unit>(text, complete).Run();
}

// Scans ever longer heads of `body`, each decoded by `decode`, until the scan needs no
// more: the DOCTYPE sits at the start, and a file is not decoded whole to find it.
template <typename Decode>
bool HeadDeclaresEntities(std::string_view body, Decode decode) {
    for (std::size_t take = 4096;; take *= 2) {
        const bool complete = take >= body.size();
        std::wstring text = decode(body.substr(0, std::min(take, body.size())));
        // The last characters of a head may be cut; they are looked at again in a longer one.
        if (!complete) text.resize(text.size() > 8 ? text.size() - 8 : 0);
        // A byte-order mark that decodes as one (UTF-7's) is not part of the text.
        const std::wstring_view view = std::wstring_view(text).substr(!text.empty() && text[0] == 0xFEFF ? 1 : 0);
        const Scan scan = ScanText<wchar_t>(view, complete);
        if (scan != Scan::NeedMore) return scan == Scan::Entities;
        if (complete) return false;
    }
}

std::wstring DecodeLoosely(std::string_view bytes, unsigned codePage) {
    std::wstring text(codepage::ToUtf16(codePage, bytes, false, nullptr, 0), L'\0');
    text.resize(codepage::ToUtf16(codePage, bytes, false, text.data(), text.size()));
    return text;
}

// UCS-4 in the byte order its signature shows ('<' at byte 3, 0, 2 or 1 of the first unit).
std::wstring DecodeUcs4(std::string_view bytes) {
    std::size_t order[4] = {0, 1, 2, 3};  // the byte of each unit holding bits 24, 16, 8, 0
    if (bytes[0] == '<') order[0] = 3, order[1] = 2, order[2] = 1, order[3] = 0;
    else if (bytes[2] == '<') order[0] = 1, order[1] = 0, order[2] = 3, order[3] = 2;
    else if (bytes[1] == '<') order[0] = 2, order[1] = 3, order[2] = 0, order[3] = 1;
    std::wstring text;
    for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
        char32_t c = 0;
        for (const std::size_t byte : order) c = c << 8 | static_cast<unsigned char>(bytes[i + byte]);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            c -= 0x10000;
            text.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
            text.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
        } else {
            text.push_back(c > 0xFFFF ? L'\xFFFD' : static_cast<wchar_t>(c));
        }
    }
    return text;
}

// Code pages by their names: those in which the markup is not the ASCII bytes
// themselves, or in which a trail byte may look like markup, so that the text is looked
// at decoded, and the EBCDIC ones. Every other name is read as ASCII-compatible bytes.
struct Alias {
    const char* name;
    unsigned codePage;
    bool ebcdic;
};
const Alias kAliases[] = {
    {"gbk", 936, false},           {"big5", 950, false},          {"big5-hkscs", 950, false},
    {"cp950", 950, false},         {"csbig5", 950, false},        {"x-x-big5", 950, false},
    {"shift_jis", 932, false},     {"shift-jis", 932, false},     {"sjis", 932, false},
    {"x-sjis", 932, false},        {"ms_kanji", 932, false},      {"csshiftjis", 932, false},
    {"windows-31j", 932, false},   {"cp932", 932, false},         {"euc-kr", 949, false},
    {"cseuckr", 949, false},       {"cp949", 949, false},         {"ks_c_5601-1987", 949, false},
    {"ks_c_5601", 949, false},     {"korean", 949, false},        {"johab", 1361, false},
    {"euc-jp", 20932, false},      {"x-euc-jp", 20932, false},    {"iso-2022-jp", 50220, false},
    {"csiso2022jp", 50220, false}, {"iso-2022-kr", 50225, false}, {"hz-gb-2312", 52936, false},
    {"utf-7", 65000, false},       {"utf7", 65000, false},        {"unicode-1-1-utf-7", 65000, false},
    {"csunicode11utf7", 65000, false}, {"x-unicode-2-0-utf-7", 65000, false},
    {"ibm037", 37, true},          {"cp037", 37, true},           {"ebcdic-cp-us", 37, true},
    {"ebcdic-cp-ca", 37, true},    {"ebcdic-cp-wt", 37, true},    {"ebcdic-cp-nl", 37, true},
    {"csibm037", 37, true},        {"ibm500", 500, true},         {"cp500", 500, true},
    {"ebcdic-cp-be", 500, true},   {"ebcdic-cp-ch", 500, true},   {"csibm500", 500, true},
    {"ibm1047", 1047, true},       {"cp1047", 1047, true},        {"ibm01140", 1140, true},
    {"ccsid01140", 1140, true},    {"cp01140", 1140, true},       {"ibm1026", 1026, true},
    {"cp1026", 1026, true},        {"ibm273", 20273, true},       {"ibm277", 20277, true},
    {"ibm278", 20278, true},       {"ibm280", 20280, true},       {"ibm284", 20284, true},
    {"ibm285", 20285, true},       {"ibm297", 20297, true},       {"ibm871", 20871, true}};

std::optional<unsigned> FindAlias(std::string_view name, bool ebcdic) {
    for (const Alias& alias : kAliases)
        if (alias.ebcdic == ebcdic && EqualsIgnoringAsciiCase(name, alias.name)) return alias.codePage;
    return std::nullopt;
}

std::optional<unsigned> GuardCodePage(std::string_view name) {
    if (const std::optional<unsigned> chinese = ChineseCodePage(name)) return chinese;
    return FindAlias(name, false);
}

// The EBCDIC code page a declared name stands for; 37 when none is declared.
std::optional<unsigned> EbcdicCodePage(std::string_view name) {
    return name.empty() ? std::optional<unsigned>(37u) : FindAlias(name, true);
}

bool IsBlankByte(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The encoding pseudo-attribute of an XML declaration at the start of `text` (ASCII
// markup), and where its value starts; read leniently.
std::optional<std::pair<std::string, std::size_t>> DeclaredEncoding(std::string_view text) {
    if (text.substr(0, 5) != "<?xml" || text.size() <= 5 || !IsBlankByte(text[5])) return std::nullopt;
    const std::size_t end = text.find("?>", 5);
    if (end == std::string_view::npos) return std::nullopt;
    std::size_t i = text.find("encoding", 5);
    if (i == std::string_view::npos || i >= end) return std::nullopt;
    i += 8;
    while (i < end && IsBlankByte(text[i])) ++i;
    if (i >= end || text[i] != '=') return std::nullopt;
    ++i;
    while (i < end && IsBlankByte(text[i])) ++i;
    if (i >= end || (text[i] != '"' && text[i] != '\'')) return std::nullopt;
    const char quote = text[i++];
    const std::size_t close = text.find(quote, i);
    if (close == std::string_view::npos || close > end) return std::nullopt;
    return std::make_pair(std::string(text.substr(i, close - i)), i);
}

bool CodePageDeclaresEntities(std::string_view body, unsigned codePage) {
    return HeadDeclaresEntities(body, [codePage](std::string_view head) { return DecodeLoosely(head, codePage); });
}

}  // namespace

XmlPrologue XmlPrologue::Read(const std::string& bytes) {
    XmlPrologue prologue;
    prologue.form = DetectEncodingForm(bytes);
    const std::string_view body = std::string_view(bytes).substr(MarkSize(prologue.form));
    switch (prologue.form) {
        case EncodingForm::Bytes: {
            if (const auto declared = DeclaredEncoding(body)) {
                prologue.declaredEncoding = declared->first;
                prologue.encodingOffset = declared->second;
            }
            if (const std::optional<unsigned> codePage = GuardCodePage(prologue.declaredEncoding)) {
                const unsigned usable = UsableCodePage(*codePage);
                if (!codepage::IsAvailable(usable)) {
                    prologue.undecodable = true;
                } else {
                    prologue.declaresEntities = CodePageDeclaresEntities(body, usable);
                }
                break;
            }
            prologue.declaresEntities = ScanText<char>(body, true) == Scan::Entities;
            break;
        }
        case EncodingForm::Utf8WithBom:
            prologue.declaresEntities = ScanText<char>(body, true) == Scan::Entities;
            break;
        case EncodingForm::Utf16LeWithBom:
        case EncodingForm::Utf16Le:
        case EncodingForm::Utf16BeWithBom:
        case EncodingForm::Utf16Be: {
            const bool bigEndian = prologue.form == EncodingForm::Utf16BeWithBom || prologue.form == EncodingForm::Utf16Be;
            prologue.declaresEntities =
                HeadDeclaresEntities(body, [bigEndian](std::string_view head) { return DecodeUtf16(head, bigEndian); });
            break;
        }
        case EncodingForm::Ucs4:
            prologue.declaresEntities = HeadDeclaresEntities(body, DecodeUcs4);
            break;
        case EncodingForm::Ebcdic: {
            // The declaration is in the characters all EBCDIC code pages share; it names the one.
            std::string declaration;
            if (codepage::IsAvailable(37)) {
                const std::wstring head = DecodeLoosely(body.substr(0, 256), 37);
                for (const wchar_t c : head) declaration.push_back(c < 0x80 ? static_cast<char>(c) : '\x80');
            }
            const auto declared = DeclaredEncoding(declaration);
            const std::optional<unsigned> codePage = EbcdicCodePage(declared ? declared->first : std::string());
            if (declaration.empty() || !codePage || !codepage::IsAvailable(*codePage)) {
                prologue.undecodable = true;
            } else {
                prologue.declaresEntities = CodePageDeclaresEntities(body, *codePage);
            }
            break;
        }
        case EncodingForm::Utf7WithBom:
            prologue.declaresEntities = CodePageDeclaresEntities(body, 65000);
            break;
    }
    return prologue;
}

std::optional<unsigned> XmlPrologue::ChineseCodePage() const {
    if (form != EncodingForm::Bytes) return std::nullopt;
    return ::ChineseCodePage(declaredEncoding);
}

std::optional<std::string> XmlPrologue::ReencodeAsUtf8(const std::string& bytes, unsigned codePage) const {
    if (form != EncodingForm::Bytes || declaredEncoding.empty()) return std::nullopt;
    // The declaration's own bytes are ASCII, so it can be rewritten before decoding.
    std::string source = bytes;
    source.replace(encodingOffset, declaredEncoding.size(), "UTF-8");
    return CodePageToUtf8(source, UsableCodePage(codePage));
}
