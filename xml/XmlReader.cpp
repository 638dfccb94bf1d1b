#include "xml/XmlReader.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "framework/CodePageConversion.h"
#include "xml/XmlPrologue.h"

namespace {

using Outcome = XmlReading::Outcome;

// Limits of the platform's parser: it refuses an element nested deeper, and a name
// longer (in UTF-8 bytes).
constexpr std::size_t kMaxDepth = 257;
constexpr std::size_t kMaxNameBytes = 50000;

// Raised inside the reader only.
struct NotWellFormed {};
struct ForPlatform {};

bool IsBlank(wchar_t c) { return c == 0x20 || c == 0x9 || c == 0xA || c == 0xD; }

bool IsXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

bool IsNameStart(char32_t c) {
    if (c < 0x80) return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
    return (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) ||
           (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameChar(char32_t c) {
    return IsNameStart(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

// Characters that need no look at: below the surrogates, not markup, not a line end to normalise.
bool IsPlain(wchar_t c) { return (c >= 0x20 && c < 0xD800) || c == 0xA || c == 0x9; }

void AppendCodePoint(std::wstring& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<wchar_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
    }
}

bool IsAscii(std::wstring_view text) {
    for (const wchar_t c : text)
        if (c >= 0x80) return false;
    return true;
}

bool IsSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The ANSI code page's bytes for every UTF-16 unit but the surrogates, from one
// conversion of them all. In a code page of one- and two-byte characters each
// character converts on its own, so the table gives what converting a whole text gives,
// without a call into the system per text. Not made for code pages of longer characters.
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

// Appends `text` in the ANSI code page, as the layer converts every text it returns.
void AppendAnsi(std::string& out, std::wstring_view text) {
    const AnsiTable* table = AnsiTable::Get();
    const std::size_t start = out.size();
    out.resize(start + text.size() * 2);
    char* next = out.data() + start;
    bool converted = true;
    for (const wchar_t unit : text) {
        if (unit < 0x80) {
            *next++ = static_cast<char>(unit);
        } else if (table != nullptr && !IsSurrogate(unit)) {
            next = table->Append(next, unit);
        } else {
            converted = false;
            break;
        }
    }
    if (converted) {
        out.resize(static_cast<std::size_t>(next - out.data()));
        return;
    }
    out.resize(start);
    const std::size_t size = codepage::FromUtf16(codepage::kAnsi, text, nullptr, 0);
    if (size == 0) throw NotWellFormed{};
    out.resize(start + size);
    if (codepage::FromUtf16(codepage::kAnsi, text, out.data() + start, size) != size) throw NotWellFormed{};
}

// Whether the name comes back unchanged from the code page: only then can a name given
// in the code page find it.
bool SurvivesCodePage(std::wstring_view name, std::string_view ansi) {
    if (IsAscii(name)) return true;
    std::wstring back(codepage::ToUtf16(codepage::kAnsi, ansi, false, nullptr, 0), L'\0');
    back.resize(codepage::ToUtf16(codepage::kAnsi, ansi, false, back.data(), back.size()));
    return back == name;
}

bool IsNamespaceDeclaration(std::wstring_view name) {
    return name == L"xmlns" || name.substr(0, 6) == L"xmlns:";
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

class Reader {
public:
    Reader(std::wstring_view text, XmlTree& tree) : p(text.data()), end(text.data() + text.size()), tree(tree) {}

    // The XML declaration if the text starts with one: its encoding name, empty if none.
    std::string Declaration() {
        if (!Starts(L"<?xml") || p + 5 >= end || !IsBlank(p[5])) return {};
        p += 5;
        SkipBlanks();
        if (!Skip(L"version")) throw NotWellFormed{};
        const std::wstring_view version = PseudoAttributeValue();
        // What the platform's parser reads: "1." and digits.
        if (version.size() < 2 || version[0] != '1' || version[1] != '.') throw NotWellFormed{};
        for (const wchar_t c : version.substr(2))
            if (c < '0' || c > '9') throw NotWellFormed{};
        std::string encoding;
        if (!AtBlank()) return EndOfDeclaration(encoding);
        SkipBlanks();
        if (Skip(L"encoding")) {
            const std::wstring_view name = PseudoAttributeValue();
            if (name.empty() || !((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= 'A' && name[0] <= 'Z')))
                throw NotWellFormed{};
            for (const wchar_t c : name) {
                const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                                c == '.' || c == '_' || c == '-';
                if (!ok) throw NotWellFormed{};
            }
            encoding.assign(name.begin(), name.end());
        }
        SkipBlanks();
        if (Skip(L"standalone")) {
            const std::wstring_view value = PseudoAttributeValue();
            if (value != L"yes" && value != L"no") throw NotWellFormed{};
        }
        SkipBlanks();
        return EndOfDeclaration(encoding);
    }

    // Everything after the declaration: the prolog, the root element and what follows it.
    void Body() {
        Misc(true);
        if (p >= end || *p != '<') throw NotWellFormed{};
        ++p;
        Elements();
        Misc(false);
        // The platform's parser takes a NUL character here for the end of the text.
        if (p != end && *p != 0) throw NotWellFormed{};
    }

private:
    struct Open {
        std::uint32_t node;
        std::wstring_view name;
        std::uint32_t lastChild;
        std::size_t bindingsBefore;
    };
    // A namespace prefix in scope, with its URI in the code page.
    struct Binding {
        std::wstring_view prefix;
        std::string uri;
    };
    struct Interned {
        std::uint32_t offset;
        std::uint32_t length;
        bool survives;
    };

    bool Starts(std::wstring_view literal) const {
        return static_cast<std::size_t>(end - p) >= literal.size() && std::wstring_view(p, literal.size()) == literal;
    }
    bool Skip(std::wstring_view literal) {
        if (!Starts(literal)) return false;
        p += literal.size();
        return true;
    }
    void Expect(wchar_t c) {
        if (p >= end || *p != c) throw NotWellFormed{};
        ++p;
    }
    bool AtBlank() const { return p < end && IsBlank(*p); }
    bool SkipBlanks() {
        const wchar_t* start = p;
        while (p < end && IsBlank(*p)) ++p;
        return p != start;
    }

    std::string EndOfDeclaration(const std::string& encoding) {
        if (!Skip(L"?>")) throw NotWellFormed{};
        return encoding;
    }

    // `= "value"` of the declaration, with blanks allowed around the sign.
    std::wstring_view PseudoAttributeValue() {
        SkipBlanks();
        Expect('=');
        SkipBlanks();
        if (p >= end || (*p != '"' && *p != '\'')) throw NotWellFormed{};
        const wchar_t quote = *p++;
        const wchar_t* start = p;
        while (p < end && *p != quote) ++p;
        if (p >= end) throw NotWellFormed{};
        return std::wstring_view(start, static_cast<std::size_t>(p++ - start));
    }

    // The next character, line ends normalised (CR LF and a lone CR read as LF); anything
    // that is not an XML character is refused.
    char32_t NextChar() {
        if (p >= end) throw NotWellFormed{};
        const wchar_t c = *p++;
        if (c == 0xD) {
            if (p < end && *p == 0xA) ++p;
            return 0xA;
        }
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (p < end && *p >= 0xDC00 && *p <= 0xDFFF) return 0x10000 + ((c - 0xD800u) << 10) + (*p++ - 0xDC00u);
            throw NotWellFormed{};
        }
        if (!IsXmlChar(c)) throw NotWellFormed{};
        return c;
    }

    // The code point at p and how many units it takes; 0 for a lone surrogate.
    char32_t PeekCodePoint(int& units) const {
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

    std::wstring_view Name() {
        const wchar_t* start = p;
        int units = 1;
        char32_t c = PeekCodePoint(units);
        if (!IsNameStart(c)) throw NotWellFormed{};
        std::size_t bytes = 0;
        do {
            bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
            p += units;
            c = PeekCodePoint(units);
        } while (p < end && IsNameChar(c));
        if (bytes > kMaxNameBytes) throw NotWellFormed{};
        return std::wstring_view(start, static_cast<std::size_t>(p - start));
    }

    const Interned& Intern(std::wstring_view name) {
        const auto found = names.find(name);
        if (found != names.end()) return found->second;
        Interned interned{static_cast<std::uint32_t>(tree.strings.size()), 0, false};
        AppendAnsi(tree.strings, name);
        interned.length = static_cast<std::uint32_t>(tree.strings.size() - interned.offset);
        interned.survives =
            SurvivesCodePage(name, std::string_view(tree.strings).substr(interned.offset, interned.length));
        return names.emplace(name, interned).first->second;
    }

    void Misc(bool beforeRoot) {
        for (;;) {
            SkipBlanks();
            if (Skip(L"<!--")) {
                Comment();
            } else if (Skip(L"<?")) {
                Instruction();
            } else if (beforeRoot && Starts(L"<!DOCTYPE")) {
                throw ForPlatform{};
            } else {
                return;
            }
        }
    }

    void Comment() {
        for (;;) {
            while (p < end && IsPlain(*p) && *p != '-') ++p;
            if (Skip(L"--")) {
                Expect('>');
                return;
            }
            NextChar();
        }
    }

    // A processing instruction, p past "<?"; inside an element it is one of its children.
    void Instruction() {
        const std::wstring_view target = Name();
        const auto lower = [](wchar_t c) { return static_cast<wchar_t>(c | 0x20); };
        if (target.size() == 3 && lower(target[0]) == 'x' && lower(target[1]) == 'm' && lower(target[2]) == 'l')
            throw NotWellFormed{};
        if (!Skip(L"?>")) {
            if (!SkipBlanks()) throw NotWellFormed{};
            while (!Skip(L"?>")) {
                while (p < end && IsPlain(*p) && *p != '?') ++p;
                if (!Starts(L"?>")) NextChar();
            }
        }
        if (!open.empty()) AddNode(target, false);
    }

    std::uint32_t AddNode(std::wstring_view name, bool isElement) {
        const Interned& interned = Intern(name);
        XmlTree::Node node;
        node.name = interned.offset;
        node.nameLength = interned.length;
        node.isElement = isElement;
        node.textBegin = node.textEnd = static_cast<std::uint32_t>(tree.content.size());
        const auto index = static_cast<std::uint32_t>(tree.nodes.size());
        tree.nodes.push_back(node);
        if (!open.empty()) {
            Open& parent = open.back();
            if (parent.lastChild == XmlTree::kNone) {
                tree.nodes[parent.node].firstChild = index;
            } else {
                tree.nodes[parent.lastChild].nextSibling = index;
            }
            parent.lastChild = index;
        }
        return index;
    }

    // The root element and everything in it, p past its '<'.
    void Elements() {
        StartTag();
        while (!open.empty()) {
            if (p >= end) throw NotWellFormed{};
            const wchar_t c = *p;
            if (c == '<') {
                FlushText();
                ++p;
                if (Skip(L"/")) {
                    EndTag();
                } else if (Skip(L"!--")) {
                    Comment();
                } else if (Skip(L"![CDATA[")) {
                    CharacterSection();
                } else if (Skip(L"?")) {
                    Instruction();
                } else {
                    StartTag();
                }
            } else if (c == '&') {
                ++p;
                Reference(run);
            } else {
                CharacterData();
            }
        }
    }

    void StartTag() {
        if (open.size() >= kMaxDepth) throw NotWellFormed{};
        const std::wstring_view name = Name();
        const std::uint32_t index = AddNode(name, true);
        const auto firstAttribute = static_cast<std::uint32_t>(tree.attributes.size());
        attributeNames.clear();
        if (!manyNames.empty()) manyNames.clear();
        prefixedAttributes = false;
        bool empty = false;
        for (;;) {
            const bool blank = SkipBlanks();
            if (Skip(L">")) break;
            if (Skip(L"/>")) {
                empty = true;
                break;
            }
            if (!blank) throw NotWellFormed{};
            Attribute();
        }
        XmlTree::Node& node = tree.nodes[index];
        node.firstAttribute = firstAttribute;
        node.attributeCount = static_cast<std::uint32_t>(tree.attributes.size() - firstAttribute);
        const std::size_t bindingsBefore = bindings.size();
        if (name.find(':') != std::wstring_view::npos || prefixedAttributes) ResolveNamespaces(index, name);
        if (empty) {
            bindings.resize(bindingsBefore);
        } else {
            open.push_back(Open{index, name, XmlTree::kNone, bindingsBefore});
        }
    }

    void Attribute() {
        const std::wstring_view name = Name();
        SkipBlanks();
        Expect('=');
        SkipBlanks();
        if (p >= end || (*p != '"' && *p != '\'')) throw NotWellFormed{};
        const wchar_t quote = *p++;
        run.clear();
        for (;;) {
            const wchar_t* start = p;
            while (p < end && *p >= 0x20 && *p < 0xD800 && *p != quote && *p != '<' && *p != '&') ++p;
            run.append(start, p);
            if (p >= end) throw NotWellFormed{};
            if (*p == quote) break;
            if (*p == '<') throw NotWellFormed{};
            if (*p == '&') {
                ++p;
                Reference(run);
                continue;
            }
            const char32_t c = NextChar();
            // Attribute-value normalisation; references to these characters stay as they are.
            AppendCodePoint(run, c == 0x9 || c == 0xA ? 0x20 : c);
        }
        ++p;
        CheckUnique(name);
        if (name.find(':') != std::wstring_view::npos) prefixedAttributes = true;
        const Interned& interned = Intern(name);
        XmlTree::Attribute attribute;
        attribute.name = interned.offset;
        attribute.nameLength = interned.length;
        attribute.findable = interned.survives && !IsNamespaceDeclaration(name);
        attribute.value = static_cast<std::uint32_t>(tree.strings.size());
        AppendAnsi(tree.strings, run);
        attribute.valueLength = static_cast<std::uint32_t>(tree.strings.size() - attribute.value);
        tree.attributes.push_back(attribute);
        run.clear();
    }

    // Attributes of one element are few; a set only for an element that has many.
    void CheckUnique(std::wstring_view name) {
        constexpr std::size_t kScanned = 16;
        if (attributeNames.size() < kScanned) {
            for (const std::wstring_view other : attributeNames)
                if (other == name) throw NotWellFormed{};
            if (attributeNames.size() + 1 == kScanned) manyNames.insert(attributeNames.begin(), attributeNames.end());
        }
        if (attributeNames.size() + 1 >= kScanned && !manyNames.insert(name).second) throw NotWellFormed{};
        attributeNames.push_back(name);
    }

    void EndTag() {
        const std::wstring_view name = Name();
        if (name != open.back().name) throw NotWellFormed{};
        SkipBlanks();
        Expect('>');
        tree.nodes[open.back().node].textEnd = static_cast<std::uint32_t>(tree.content.size());
        bindings.resize(open.back().bindingsBefore);
        open.pop_back();
    }

    // The prefix of a qualified name as the platform's parser splits it: before the
    // first colon, when a name-start character other than a colon follows it. Names it
    // cannot split keep no prefix and are taken whole.
    static std::wstring_view PrefixOf(std::wstring_view name) {
        const std::size_t colon = name.find(':');
        if (colon == 0 || colon == std::wstring_view::npos || colon + 1 >= name.size()) return {};
        const wchar_t next = name[colon + 1];
        if (next == ':' || !(next >= 0xD800 || IsNameStart(next))) return {};
        return name.substr(0, colon);
    }

    const Binding* FindBinding(std::wstring_view prefix) const {
        if (prefix == L"xml") return &kXmlBinding;
        for (auto binding = bindings.rbegin(); binding != bindings.rend(); ++binding)
            if (binding->prefix == prefix) return &*binding;
        return nullptr;
    }

    // Names as the platform's namespace-aware parser gives them: a prefix that nothing
    // declares is dropped, from element and attribute names alike; an attribute in a
    // namespace is not found by its name alone, and two with the same local name in the
    // same namespace are an error. Declarations in the tag apply to the whole tag.
    void ResolveNamespaces(std::uint32_t element, std::wstring_view elementName) {
        const XmlTree::Node& node = tree.nodes[element];
        for (std::uint32_t i = 0; i < node.attributeCount; ++i) {
            const std::wstring_view name = attributeNames[i];
            if (name.substr(0, 6) != L"xmlns:" || name.size() == 6) continue;
            const XmlTree::Attribute& declaration = tree.attributes[node.firstAttribute + i];
            // An empty URI binds nothing.
            if (declaration.valueLength > 0) bindings.push_back(Binding{name.substr(6), std::string(tree.Value(declaration))});
        }
        const std::wstring_view prefix = PrefixOf(elementName);
        if (!prefix.empty() && FindBinding(prefix) == nullptr) {
            const Interned& local = Intern(elementName.substr(prefix.size() + 1));
            tree.nodes[element].name = local.offset;
            tree.nodes[element].nameLength = local.length;
        }
        std::vector<std::pair<std::wstring_view, std::string_view>> qualified;  // local name, URI
        for (std::uint32_t i = 0; i < node.attributeCount; ++i) {
            const std::wstring_view name = attributeNames[i];
            const std::wstring_view attributePrefix = PrefixOf(name);
            if (attributePrefix.empty() || attributePrefix == L"xmlns") continue;
            XmlTree::Attribute& attribute = tree.attributes[node.firstAttribute + i];
            const std::wstring_view local = name.substr(attributePrefix.size() + 1);
            if (const Binding* binding = FindBinding(attributePrefix)) {
                attribute.findable = false;
                for (const auto& [otherLocal, otherUri] : qualified)
                    if (otherLocal == local && otherUri == binding->uri) throw NotWellFormed{};
                qualified.emplace_back(local, binding->uri);
            } else {
                const Interned& interned = Intern(local);
                attribute.name = interned.offset;
                attribute.nameLength = interned.length;
                attribute.findable = interned.survives;
            }
        }
    }

    // A character or entity reference, p past '&'; appends the character it stands for.
    void Reference(std::wstring& out) {
        if (Skip(L"#")) {
            const bool hex = Skip(L"x");
            char32_t value = 0;
            const wchar_t* digits = p;
            for (; p < end && *p != ';'; ++p) {
                const wchar_t c = *p;
                unsigned digit = 0;
                if (c >= '0' && c <= '9') {
                    digit = c - '0';
                } else if (hex && c >= 'a' && c <= 'f') {
                    digit = c - 'a' + 10;
                } else if (hex && c >= 'A' && c <= 'F') {
                    digit = c - 'A' + 10;
                } else {
                    throw NotWellFormed{};
                }
                value = std::min<char32_t>(value * (hex ? 16 : 10) + digit, 0x110000);
            }
            if (p == digits) throw NotWellFormed{};
            Expect(';');
            if (!IsXmlChar(value)) throw NotWellFormed{};
            AppendCodePoint(out, value);
            return;
        }
        const std::wstring_view name = Name();
        Expect(';');
        if (name == L"lt") {
            out.push_back('<');
        } else if (name == L"gt") {
            out.push_back('>');
        } else if (name == L"amp") {
            out.push_back('&');
        } else if (name == L"apos") {
            out.push_back('\'');
        } else if (name == L"quot") {
            out.push_back('"');
        } else {
            throw NotWellFormed{};  // no DTD here declares anything
        }
    }

    void CharacterData() {
        const wchar_t* start = p;
        while (p < end && IsPlain(*p) && *p != '<' && *p != '&' && *p != ']') ++p;
        run.append(start, p);
        if (p >= end || *p == '<' || *p == '&') return;
        if (*p == ']') {
            if (Starts(L"]]>")) throw NotWellFormed{};
            run.push_back(*p++);
            return;
        }
        AppendCodePoint(run, NextChar());
    }

    // A CDATA section, p past "<![CDATA[": its text joins the element's text.
    void CharacterSection() {
        while (!Skip(L"]]>")) {
            const wchar_t* start = p;
            while (p < end && IsPlain(*p) && *p != ']') ++p;
            run.append(start, p);
            if (!Starts(L"]]>")) AppendCodePoint(run, NextChar());
        }
        FlushText();
    }

    void FlushText() {
        if (run.empty()) return;
        AppendAnsi(tree.content, run);
        run.clear();
    }

    const wchar_t* p;
    const wchar_t* end;
    XmlTree& tree;
    std::vector<Open> open;
    std::wstring run;  // the text being read, before its conversion
    std::unordered_map<std::wstring_view, Interned> names;
    std::vector<std::wstring_view> attributeNames;  // of the start tag being read, in order
    std::unordered_set<std::wstring_view> manyNames;
    bool prefixedAttributes = false;  // some name in the start tag has a colon
    std::vector<Binding> bindings;
    static const Binding kXmlBinding;
};

const Reader::Binding Reader::kXmlBinding{L"xml", "http://www.w3.org/XML/1998/namespace"};

// A decoded file. Not a std::wstring: that would be filled with zeros first, a second
// pass over as many pages as the text itself.
struct WideText {
    std::unique_ptr<wchar_t[]> units;
    std::size_t size = 0;

    explicit WideText(std::size_t capacity) : units(new wchar_t[capacity == 0 ? 1 : capacity]) {}
    [[nodiscard]] std::wstring_view View() const { return std::wstring_view(units.get(), size); }
};

// UTF-8 as UTF-16, refusing what is not UTF-8 (overlong forms, surrogates, beyond
// U+10FFFF), as the system's strict conversion and the platform's parser refuse it.
WideText DecodeUtf8(std::string_view bytes) {
    WideText decoded(bytes.size());  // never more units than bytes
    wchar_t* const text = decoded.units.get();
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t units = 0;
    for (std::size_t i = 0; i < size;) {
        const unsigned lead = in[i];
        if (lead < 0x80) {
            text[units++] = static_cast<wchar_t>(lead);
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
            throw NotWellFormed{};
        }
        if (size - i <= trail) throw NotWellFormed{};
        for (std::size_t k = 1; k <= trail; ++k) {
            const unsigned next = in[i + k];
            if ((next & 0xC0) != 0x80) throw NotWellFormed{};
            c = c << 6 | (next & 0x3F);
        }
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) throw NotWellFormed{};
        i += trail + 1;
        if (c < 0x10000) {
            text[units++] = static_cast<wchar_t>(c);
        } else {
            c -= 0x10000;
            text[units++] = static_cast<wchar_t>(0xD800 + (c >> 10));
            text[units++] = static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
        }
    }
    decoded.size = units;
    return decoded;
}

// The bytes as UTF-16, or NotWellFormed when they are not valid in the code page.
WideText Decode(std::string_view bytes, unsigned codePage) {
    if (bytes.empty()) return WideText(0);
    const std::size_t units = codepage::ToUtf16(codePage, bytes, true, nullptr, 0);
    if (units == 0) throw NotWellFormed{};
    WideText text(units);
    text.size = codepage::ToUtf16(codePage, bytes, true, text.units.get(), units);
    if (text.size != units) throw NotWellFormed{};
    return text;
}

// A last odd byte is ignored, as the platform's parser ignores it.
WideText DecodeUtf16(std::string_view bytes, bool bigEndian) {
    WideText text(bytes.size() / 2);
    text.size = bytes.size() / 2;
    for (std::size_t i = 0; i < text.size; ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        text.units[i] = static_cast<wchar_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
    }
    return text;
}

// The four-byte signatures by which the platform's parser knows other encodings
// (UCS-4 in its byte orders, EBCDIC, UTF-16 without a byte-order mark).
bool HasOtherSignature(std::string_view bytes) {
    if (bytes.size() < 4) return false;
    static const char* const kSignatures[] = {"\0\0\0<", "<\0\0\0", "\0\0<\0", "\0<\0\0", "\x4C\x6F\xA7\x94",
                                              "<\0?\0", "\0<\0?"};
    for (const char* signature : kSignatures)
        if (bytes.compare(0, 4, std::string_view(signature, 4)) == 0) return true;
    return false;
}

// How the file was decoded, which decides the encoding names its declaration may give.
enum class Decoding { Utf16WithMark, Utf8WithMark, AsDeclared };

bool DeclarationAgrees(Decoding decoding, const std::string& name, const XmlPrologue& prologue) {
    switch (decoding) {
        case Decoding::Utf16WithMark:
            return name.empty() || EqualsIgnoringAsciiCase(name, "UTF-16") || EqualsIgnoringAsciiCase(name, "UTF16");
        case Decoding::Utf8WithMark:
            return name.empty() || EqualsIgnoringAsciiCase(name, "UTF-8") || EqualsIgnoringAsciiCase(name, "UTF8");
        case Decoding::AsDeclared:
            // The strict reading of the declaration must find the name the loose one found.
            return name == prologue.declaredEncoding;
    }
    return false;
}

// The text of the file, decoded as its byte-order mark or its declaration says; what
// this reader does not decode goes to the platform.
WideText DecodeFile(const std::string& bytes, const XmlPrologue& prologue, Decoding& decoding) {
    const std::string_view all(bytes);
    if (prologue.form == XmlPrologue::Form::Utf16) {
        const auto first = static_cast<unsigned char>(all[0]);
        if (first != 0xFF && first != 0xFE) throw ForPlatform{};
        decoding = Decoding::Utf16WithMark;
        return DecodeUtf16(all.substr(2), first == 0xFE);
    }
    if (prologue.form == XmlPrologue::Form::Utf8WithBom) {
        decoding = Decoding::Utf8WithMark;
        return DecodeUtf8(all.substr(3));
    }
    if (HasOtherSignature(all)) throw ForPlatform{};
    decoding = Decoding::AsDeclared;
    const std::string& name = prologue.declaredEncoding;
    if (name.empty() || EqualsIgnoringAsciiCase(name, "UTF-8") || EqualsIgnoringAsciiCase(name, "UTF8"))
        return DecodeUtf8(all);
    if (EqualsIgnoringAsciiCase(name, "GBK")) {
        // The platform reads this name itself, and has its own way with bytes that are
        // not GBK: such a file is its to judge.
        try {
            return Decode(all, 936);
        } catch (const NotWellFormed&) {
            throw ForPlatform{};
        }
    }
    if (std::optional<unsigned> codePage = prologue.ChineseCodePage()) {
        // Without the four-byte code page (Wine has none), its one- and two-byte part is code page 936.
        if (*codePage == 54936 && !codepage::IsAvailable(*codePage)) codePage = 936u;
        return Decode(all, *codePage);
    }
    throw ForPlatform{};
}

}  // namespace

XmlReading ReadXml(const std::string& bytes) {
    const XmlPrologue prologue = XmlPrologue::Read(bytes);
    if (prologue.declaresEntities) return {};
    try {
        Decoding decoding = Decoding::AsDeclared;
        const WideText text = DecodeFile(bytes, prologue, decoding);
        auto tree = std::make_shared<XmlTree>();
        tree->Reserve(text.size);
        Reader reader(text.View(), *tree);
        if (!DeclarationAgrees(decoding, reader.Declaration(), prologue)) return {Outcome::ForPlatform, nullptr};
        reader.Body();
        return {Outcome::Parsed, std::move(tree)};
    } catch (const NotWellFormed&) {
        return {};
    } catch (const ForPlatform&) {
        return {Outcome::ForPlatform, nullptr};
    }
}
