#include "xml/XmlReader.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "xml/AnsiCodePage.h"
#include "xml/XmlDecoding.h"
#include "xml/XmlPrologue.h"

namespace {

using Outcome = XmlReading::Outcome;

// Limits of the platform's parser: it refuses an element nested deeper, and a name
// longer (in UTF-8 bytes).
constexpr std::size_t kMaxDepth = 257;
constexpr std::size_t kMaxNameBytes = 50000;

// Raised inside the reader only.
struct NotWellFormed {};
struct TooDeep {};
struct ForPlatform {};

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

template <typename Unit>
class Reader {
public:
    using View = std::basic_string_view<Unit>;
    using Text = std::basic_string<Unit>;
    using Form = TextForm<Unit>;

    Reader(View text, XmlTree& tree) : p(text.data()), end(text.data() + text.size()), tree(tree) {}

    // The XML declaration if the text starts with one: its encoding name, empty if none.
    std::string Declaration() {
        if (!Starts("<?xml") || p + 5 >= end || !IsBlank(p[5])) return {};
        p += 5;
        SkipBlanks();
        if (!Skip("version")) throw NotWellFormed{};
        const View version = PseudoAttributeValue();
        // What the platform's parser reads: "1." and digits.
        if (version.size() < 2 || version[0] != '1' || version[1] != '.') throw NotWellFormed{};
        for (const Unit c : version.substr(2))
            if (c < '0' || c > '9') throw NotWellFormed{};
        std::string encoding;
        if (!AtBlank()) return EndOfDeclaration(encoding);
        SkipBlanks();
        if (Skip("encoding")) {
            const View name = PseudoAttributeValue();
            if (name.empty() || !((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= 'A' && name[0] <= 'Z')))
                throw NotWellFormed{};
            for (const Unit c : name) {
                const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                                c == '.' || c == '_' || c == '-';
                if (!ok) throw NotWellFormed{};
                encoding.push_back(static_cast<char>(c));
            }
        }
        SkipBlanks();
        if (Skip("standalone")) {
            const View value = PseudoAttributeValue();
            if (!Is(value, "yes") && !Is(value, "no")) throw NotWellFormed{};
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
        View name;
        std::size_t bindingsBefore;
    };
    // A namespace prefix in scope, with its URI in the code page, and the binding of the
    // same prefix it hides (one more than its index; 0 for none).
    struct Binding {
        View prefix;
        std::string uri;
        std::size_t hidden;
    };
    struct Interned {
        std::uint32_t name;  // in the tree's names
        bool survives;
    };
    // An attribute in a namespace: its local name and its namespace's URI.
    using Qualified = std::pair<View, std::string_view>;
    struct QualifiedHash {
        std::size_t operator()(const Qualified& name) const {
            return std::hash<View>()(name.first) * 31 + std::hash<std::string_view>()(name.second);
        }
    };

    static bool IsBlank(Unit c) { return c == 0x20 || c == 0x9 || c == 0xA || c == 0xD; }

    // Whether `text` is the ASCII `literal`.
    static bool Is(View text, std::string_view literal) {
        return text.size() == literal.size() &&
               std::equal(literal.begin(), literal.end(), text.begin(),
                          [](char a, Unit b) { return static_cast<unsigned>(a) == Form::Code(b); });
    }

    bool Starts(std::string_view literal) const {
        return static_cast<std::size_t>(end - p) >= literal.size() && Is(View(p, literal.size()), literal);
    }
    bool Skip(std::string_view literal) {
        if (!Starts(literal)) return false;
        p += literal.size();
        return true;
    }
    void Expect(char c) {
        if (p >= end || *p != static_cast<Unit>(c)) throw NotWellFormed{};
        ++p;
    }
    bool AtBlank() const { return p < end && IsBlank(*p); }
    bool SkipBlanks() {
        const Unit* start = p;
        while (p < end && IsBlank(*p)) ++p;
        return p != start;
    }

    std::string EndOfDeclaration(const std::string& encoding) {
        if (!Skip("?>")) throw NotWellFormed{};
        return encoding;
    }

    // `= "value"` of the declaration, with blanks allowed around the sign.
    View PseudoAttributeValue() {
        SkipBlanks();
        Expect('=');
        SkipBlanks();
        if (p >= end || (*p != '"' && *p != '\'')) throw NotWellFormed{};
        const Unit quote = *p++;
        const Unit* start = p;
        while (p < end && *p != quote) ++p;
        if (p >= end) throw NotWellFormed{};
        return View(start, static_cast<std::size_t>(p++ - start));
    }

    // The next character, line ends normalised (CR LF and a lone CR read as LF); anything
    // that is not an XML character is refused.
    char32_t NextChar() {
        if (p >= end) throw NotWellFormed{};
        if (*p == 0xD) {
            ++p;
            if (p < end && *p == 0xA) ++p;
            return 0xA;
        }
        int units = 1;
        const char32_t c = Form::Peek(p, end, units);
        p += units;
        if (!IsXmlChar(c)) throw NotWellFormed{};
        return c;
    }

    View Name() {
        const Unit* start = p;
        int units = 1;
        char32_t c = Form::Peek(p, end, units);
        if (!IsNameStart(c)) throw NotWellFormed{};
        std::size_t bytes = 0;
        do {
            bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
            p += units;
            c = Form::Peek(p, end, units);
        } while (p < end && IsNameChar(c));
        if (bytes > kMaxNameBytes) throw NotWellFormed{};
        return View(start, static_cast<std::size_t>(p - start));
    }

    const Interned& Intern(View name) {
        const auto found = names.find(name);
        if (found != names.end()) return found->second;
        const auto offset = static_cast<std::uint32_t>(tree.strings.size());
        if (!AppendAnsi(tree.strings, name)) throw NotWellFormed{};
        const auto length = static_cast<std::uint32_t>(tree.strings.size() - offset);
        tree.names.push_back(XmlTree::Span{offset, length});
        const Interned interned{static_cast<std::uint32_t>(tree.names.size() - 1),
                                SurvivesCodePage(name, std::string_view(tree.strings).substr(offset, length))};
        return names.emplace(name, interned).first->second;
    }

    void Misc(bool beforeRoot) {
        for (;;) {
            SkipBlanks();
            if (Skip("<!--")) {
                Comment();
            } else if (Skip("<?")) {
                Instruction();
            } else if (beforeRoot && Starts("<!DOCTYPE")) {
                throw ForPlatform{};
            } else {
                return;
            }
        }
    }

    void Comment() {
        for (;;) {
            while (p < end && Form::IsPlain(*p) && *p != '-') ++p;
            if (Skip("--")) {
                Expect('>');
                return;
            }
            NextChar();
        }
    }

    // A processing instruction, p past "<?"; inside an element it is one of its children.
    void Instruction() {
        const View target = Name();
        const auto lower = [](Unit c) { return Form::Code(c) | 0x20; };
        if (target.size() == 3 && lower(target[0]) == 'x' && lower(target[1]) == 'm' && lower(target[2]) == 'l')
            throw NotWellFormed{};
        if (!Skip("?>")) {
            if (!SkipBlanks()) throw NotWellFormed{};
            while (!Skip("?>")) {
                while (p < end && Form::IsPlain(*p) && *p != '?') ++p;
                if (!Starts("?>")) NextChar();
            }
        }
        if (!open.empty()) tree.Add(Intern(target).name, false);
    }

    // The root element and everything in it, p past its '<'.
    void Elements() {
        StartTag();
        while (!open.empty()) {
            if (p >= end) throw NotWellFormed{};
            const Unit c = *p;
            if (c == '<') {
                FlushText();
                ++p;
                if (Skip("/")) {
                    EndTag();
                } else if (Skip("!--")) {
                    Comment();
                } else if (Skip("![CDATA[")) {
                    CharacterSection();
                } else if (Skip("?")) {
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
        if (open.size() >= kMaxDepth) throw TooDeep{};
        const View name = Name();
        const std::uint32_t index = tree.Add(Intern(name).name, true);
        const auto firstAttribute = static_cast<std::uint32_t>(tree.attributes.size());
        attributeNames.clear();
        if (!manyNames.empty()) manyNames.clear();
        prefixedAttributes = false;
        bool empty = false;
        for (;;) {
            const bool blank = SkipBlanks();
            if (Skip(">")) break;
            if (Skip("/>")) {
                empty = true;
                break;
            }
            if (!blank) throw NotWellFormed{};
            Attribute();
        }
        const std::size_t bindingsBefore = bindings.size();
        if (name.find(':') != View::npos || prefixedAttributes) ResolveNamespaces(index, name, firstAttribute);
        if (empty) {
            DropBindings(bindingsBefore);
        } else {
            open.push_back(Open{index, name, bindingsBefore});
        }
    }

    void Attribute() {
        const View name = Name();
        SkipBlanks();
        Expect('=');
        SkipBlanks();
        if (p >= end || (*p != '"' && *p != '\'')) throw NotWellFormed{};
        const Unit quote = *p++;
        run.clear();
        for (;;) {
            const Unit* start = p;
            while (p < end && Form::IsPlain(*p) && *p != quote && *p != '<' && *p != '&' && *p != 0x9 && *p != 0xA)
                ++p;
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
            Form::Append(run, c == 0x9 || c == 0xA ? 0x20 : c);
        }
        ++p;
        CheckUnique(name);
        if (name.find(':') != View::npos) prefixedAttributes = true;
        const Interned& interned = Intern(name);
        XmlTree::Attribute attribute;
        attribute.name = interned.survives && !IsNamespaceDeclaration(name) ? interned.name : interned.name | XmlTree::kMark;
        attribute.value = static_cast<std::uint32_t>(tree.strings.size());
        if (!AppendAnsi(tree.strings, View(run))) throw NotWellFormed{};
        attribute.valueLength = static_cast<std::uint32_t>(tree.strings.size() - attribute.value);
        tree.attributes.push_back(attribute);
        run.clear();
    }

    static bool IsNamespaceDeclaration(View name) {
        return Is(name, "xmlns") || Is(name.substr(0, 6), "xmlns:");
    }

    // Attributes of one element are few; a set only for an element that has many.
    void CheckUnique(View name) {
        constexpr std::size_t kScanned = 16;
        if (attributeNames.size() < kScanned) {
            for (const View other : attributeNames)
                if (other == name) throw NotWellFormed{};
            if (attributeNames.size() + 1 == kScanned) manyNames.insert(attributeNames.begin(), attributeNames.end());
        }
        if (attributeNames.size() + 1 >= kScanned && !manyNames.insert(name).second) throw NotWellFormed{};
        attributeNames.push_back(name);
    }

    void EndTag() {
        const View name = Name();
        if (name != open.back().name) throw NotWellFormed{};
        SkipBlanks();
        Expect('>');
        tree.Close(open.back().node);
        DropBindings(open.back().bindingsBefore);
        open.pop_back();
    }

    // The prefix of a qualified name as the platform's parser splits it: before the
    // first colon, when a name-start character other than a colon follows it. Names it
    // cannot split keep no prefix and are taken whole.
    static View PrefixOf(View name) {
        const std::size_t colon = name.find(':');
        if (colon == 0 || colon == View::npos || colon + 1 >= name.size()) return {};
        int units = 1;
        const char32_t next = Form::Peek(name.data() + colon + 1, name.data() + name.size(), units);
        if (next == ':' || !(next >= 0xD800 || next == 0 || IsNameStart(next))) return {};
        return name.substr(0, colon);
    }

    const Binding* FindBinding(View prefix) const {
        if (Is(prefix, "xml")) return &xmlBinding;
        const auto found = inScope.find(prefix);
        return found == inScope.end() ? nullptr : &bindings[found->second - 1];
    }

    void Bind(View prefix, std::string uri) {
        std::size_t& latest = inScope[prefix];
        bindings.push_back(Binding{prefix, std::move(uri), latest});
        latest = bindings.size();
    }

    // Drops the bindings from `count` on, bringing back those they hid.
    void DropBindings(std::size_t count) {
        while (bindings.size() > count) {
            const Binding& binding = bindings.back();
            if (binding.hidden == 0) {
                inScope.erase(binding.prefix);
            } else {
                inScope[binding.prefix] = binding.hidden;
            }
            bindings.pop_back();
        }
    }

    // Names as the platform's namespace-aware parser gives them: a prefix that nothing
    // declares is dropped, from element and attribute names alike; an attribute in a
    // namespace is not found by its name alone, and two with the same local name in the
    // same namespace are an error. Declarations in the tag apply to the whole tag.
    void ResolveNamespaces(std::uint32_t element, View elementName, std::uint32_t firstAttribute) {
        for (std::uint32_t i = 0; i < attributeNames.size(); ++i) {
            const View name = attributeNames[i];
            if (name.size() <= 6 || !Is(name.substr(0, 6), "xmlns:")) continue;
            const XmlTree::Attribute& declaration = tree.attributes[firstAttribute + i];
            // An empty URI binds nothing.
            if (declaration.valueLength > 0) Bind(name.substr(6), std::string(tree.Value(declaration)));
        }
        const View prefix = PrefixOf(elementName);
        if (!prefix.empty() && FindBinding(prefix) == nullptr) {
            tree.nodes[element].name = Intern(elementName.substr(prefix.size() + 1)).name;
        }
        qualified.clear();
        for (std::uint32_t i = 0; i < attributeNames.size(); ++i) {
            const View name = attributeNames[i];
            const View attributePrefix = PrefixOf(name);
            if (attributePrefix.empty() || Is(attributePrefix, "xmlns")) continue;
            XmlTree::Attribute& attribute = tree.attributes[firstAttribute + i];
            const View local = name.substr(attributePrefix.size() + 1);
            if (const Binding* binding = FindBinding(attributePrefix)) {
                attribute.name |= XmlTree::kMark;
                if (!qualified.emplace(local, binding->uri).second) throw NotWellFormed{};
            } else {
                const Interned& interned = Intern(local);
                attribute.name = interned.survives ? interned.name : interned.name | XmlTree::kMark;
            }
        }
    }

    // A character or entity reference, p past '&'; appends the character it stands for.
    void Reference(Text& out) {
        if (Skip("#")) {
            const bool hex = Skip("x");
            char32_t value = 0;
            const Unit* digits = p;
            for (; p < end && *p != ';'; ++p) {
                const unsigned c = Form::Code(*p);
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
            Form::Append(out, value);
            return;
        }
        const View name = Name();
        Expect(';');
        if (Is(name, "lt")) {
            out.push_back('<');
        } else if (Is(name, "gt")) {
            out.push_back('>');
        } else if (Is(name, "amp")) {
            out.push_back('&');
        } else if (Is(name, "apos")) {
            out.push_back('\'');
        } else if (Is(name, "quot")) {
            out.push_back('"');
        } else {
            throw NotWellFormed{};  // no DTD here declares anything
        }
    }

    void CharacterData() {
        const Unit* start = p;
        while (p < end && Form::IsPlain(*p) && *p != '<' && *p != '&' && *p != ']') ++p;
        run.append(start, p);
        if (p >= end || *p == '<' || *p == '&') return;
        if (*p == ']') {
            if (Starts("]]>")) throw NotWellFormed{};
            run.push_back(*p++);
            return;
        }
        Form::Append(run, NextChar());
    }

    // A CDATA section, p past "<![CDATA[": its text joins the element's text.
    void CharacterSection() {
        while (!Skip("]]>")) {
            const Unit* start = p;
            while (p < end && Form::IsPlain(*p) && *p != ']') ++p;
            run.append(start, p);
            if (!Starts("]]>")) Form::Append(run, NextChar());
        }
        FlushText();
    }

    void FlushText() {
        if (run.empty()) return;
        if (!AppendAnsi(tree.content, View(run))) throw NotWellFormed{};
        run.clear();
    }

    const Unit* p;
    const Unit* end;
    XmlTree& tree;
    std::vector<Open> open;
    Text run;  // the text being read, before its conversion
    std::unordered_map<View, Interned> names;
    std::vector<View> attributeNames;  // of the start tag being read, in order
    std::unordered_set<View> manyNames;
    bool prefixedAttributes = false;  // some name in the start tag has a colon
    std::vector<Binding> bindings;
    std::unordered_map<View, std::size_t> inScope;  // the binding of each prefix, one more than its index
    std::unordered_set<Qualified, QualifiedHash> qualified;
    const Binding xmlBinding{View(), "http://www.w3.org/XML/1998/namespace", 0};
};

// How the file was decoded, which decides the encoding names its declaration may give.
enum class Decoding { Utf16WithMark, Utf8WithMark, AsDeclared };

bool DeclarationAgrees(Decoding decoding, const std::string& name, const XmlPrologue& prologue) {
    switch (decoding) {
        case Decoding::Utf16WithMark:
            return name.empty() || NamesUtf16(name);
        case Decoding::Utf8WithMark:
            return name.empty() || NamesUtf8(name);
        case Decoding::AsDeclared:
            // The strict reading of the declaration must find the name the loose one found.
            return name == prologue.declaredEncoding;
    }
    return false;
}

XmlReading Refuse(std::string why) { return {Outcome::Refused, nullptr, std::move(why)}; }
XmlReading LeaveToPlatform(std::string why) { return {Outcome::ForPlatform, nullptr, std::move(why)}; }

const char kNotWellFormed[] = "not well-formed XML";

template <typename Unit>
XmlReading Parse(std::basic_string_view<Unit> text, Decoding decoding, const XmlPrologue& prologue) {
    auto tree = std::make_shared<XmlTree>();
    tree->Reserve(text.size());
    Reader<Unit> reader(text, *tree);
    if (!DeclarationAgrees(decoding, reader.Declaration(), prologue)) return LeaveToPlatform(kNotWellFormed);
    reader.Body();
    return {Outcome::Parsed, std::move(tree), {}};
}

// Names the platform's parser reads on its own, besides those this reader decodes.
bool PlatformReads(const std::string& name) {
    for (const char* read : {"UTF-16", "US-ASCII", "ISO-8859-1"})
        if (EqualsIgnoringAsciiCase(name, read)) return true;
    return false;
}

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

// A file of 8-bit text, by the encoding its declaration names.
XmlReading ReadDeclared(std::string_view body, const XmlPrologue& prologue) {
    const std::string& name = prologue.declaredEncoding;
    if (name.empty() || NamesUtf8(name)) {
        if (FindInvalidUtf8(body) != std::string_view::npos)
            return Refuse(name.empty() ? "encoding: no encoding declared, so it is read as UTF-8, and its bytes are "
                                         "not UTF-8 (GBK without a declaration?)"
                                       : "encoding: declared UTF-8, but its bytes are not UTF-8");
        return Parse<char>(body, Decoding::AsDeclared, prologue);
    }
    if (EqualsIgnoringAsciiCase(name, "GBK")) {
        // The platform reads this name itself, and has its own way with bytes that are
        // not GBK: such a file is its to judge.
        const std::optional<std::string> utf8 = CodePageToUtf8(body, 936);
        if (!utf8) return LeaveToPlatform("encoding: bytes that are not valid in GBK (code page 936)");
        return Parse<char>(*utf8, Decoding::AsDeclared, prologue);
    }
    if (const std::optional<unsigned> codePage = ChineseCodePage(name)) {
        const std::optional<std::string> utf8 = CodePageToUtf8(body, UsableCodePage(*codePage));
        if (!utf8) {
            char why[160];
            std::snprintf(why, sizeof why, "encoding: bytes that are not valid in code page %u, which the declared "
                          "\"%s\" stands for", *codePage, name.c_str());
            return Refuse(why);
        }
        return Parse<char>(*utf8, Decoding::AsDeclared, prologue);
    }
    return LeaveToPlatform(PlatformReads(name) ? kNotWellFormed
                                               : "encoding: " + Quoted(name) + " is not an encoding the library reads");
}

XmlReading ReadForm(const std::string& bytes, const XmlPrologue& prologue) {
    const std::string_view body = std::string_view(bytes).substr(MarkSize(prologue.form));
    switch (prologue.form) {
        case EncodingForm::Utf16LeWithBom:
        case EncodingForm::Utf16BeWithBom: {
            const std::wstring text = DecodeUtf16(body, prologue.form == EncodingForm::Utf16BeWithBom);
            return Parse<wchar_t>(text, Decoding::Utf16WithMark, prologue);
        }
        case EncodingForm::Utf8WithBom:
            if (FindInvalidUtf8(body) != std::string_view::npos)
                return Refuse("encoding: a UTF-8 byte-order mark, but bytes that are not UTF-8");
            return Parse<char>(body, Decoding::Utf8WithMark, prologue);
        case EncodingForm::Bytes:
        case EncodingForm::Utf7WithBom:
            return ReadDeclared(body, prologue);
        case EncodingForm::Utf16Le:
        case EncodingForm::Utf16Be:
        case EncodingForm::Ucs4:
        case EncodingForm::Ebcdic:
            break;
    }
    return LeaveToPlatform(kNotWellFormed);
}

}  // namespace

XmlReading ReadXml(const std::string& bytes) {
    if (bytes.find_first_not_of(" \t\r\n") == std::string::npos) return Refuse("empty file");
    const XmlPrologue prologue = XmlPrologue::Read(bytes);
    if (prologue.declaresEntities) return Refuse("refused: its DOCTYPE declares entities");
    if (prologue.undecodable) return Refuse("encoding: an encoding the library cannot check for entity declarations");
    try {
        return ReadForm(bytes, prologue);
    } catch (const NotWellFormed&) {
        return Refuse(kNotWellFormed);
    } catch (const TooDeep&) {
        char why[120];
        std::snprintf(why, sizeof why, "too deep: elements nested more than %u levels, the parser reads at most %u",
                      static_cast<unsigned>(kMaxDepth), static_cast<unsigned>(kMaxDepth));
        return Refuse(why);
    } catch (const ForPlatform&) {
        return LeaveToPlatform(kNotWellFormed);
    }
}
