#pragma once
// The parser of the layer's reader (xml/XmlReader.h), over text in one of the two forms
// of xml/XmlCharacters.h: it checks a whole document as the platform's parser does and
// builds its tree. It raises NotWellFormed, TooDeep or ForPlatform, and may raise
// std::bad_alloc.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "xml/AnsiCodePage.h"
#include "xml/NamespaceScope.h"
#include "xml/XmlCharacters.h"
#include "xml/XmlTree.h"

// Limits of the platform's parser: it refuses an element nested deeper, and a name
// longer (in UTF-8 bytes).
constexpr std::size_t kMaxXmlDepth = 257;
constexpr std::size_t kMaxXmlNameBytes = 50000;

struct NotWellFormed {};
struct TooDeep {};
// A DOCTYPE, which the platform's parser reads.
struct ForPlatform {};

template <typename Unit>
class XmlParser {
public:
    using View = std::basic_string_view<Unit>;
    using Text = std::basic_string<Unit>;
    using Form = TextForm<Unit>;

    XmlParser(View text, XmlTree& tree) : p(text.data()), end(text.data() + text.size()), tree(tree) {}

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
    struct Interned {
        std::uint32_t name;  // in the tree's names
        bool survives;
    };
    static bool IsBlank(Unit c) { return IsXmlBlank(Form::Code(c)); }
    static bool Is(View text, std::string_view literal) { return IsLiteral(text, literal); }

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
        if (bytes > kMaxXmlNameBytes) throw NotWellFormed{};
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
        if (open.size() >= kMaxXmlDepth) throw TooDeep{};
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
        const std::size_t bindingsBefore = namespaces.Size();
        if (name.find(':') != View::npos || prefixedAttributes) ResolveNamespaces(index, name, firstAttribute);
        if (empty) {
            namespaces.DropTo(bindingsBefore);
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
        namespaces.DropTo(open.back().bindingsBefore);
        open.pop_back();
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
            if (declaration.valueLength > 0) namespaces.Bind(name.substr(6), std::string(tree.Value(declaration)));
        }
        const View prefix = NamespaceScope<Unit>::PrefixOf(elementName);
        if (!prefix.empty() && namespaces.Find(prefix) == nullptr) {
            tree.nodes[element].name = Intern(elementName.substr(prefix.size() + 1)).name;
        }
        namespaces.BeginTag();
        for (std::uint32_t i = 0; i < attributeNames.size(); ++i) {
            const View name = attributeNames[i];
            const View attributePrefix = NamespaceScope<Unit>::PrefixOf(name);
            if (attributePrefix.empty() || Is(attributePrefix, "xmlns")) continue;
            XmlTree::Attribute& attribute = tree.attributes[firstAttribute + i];
            const View local = name.substr(attributePrefix.size() + 1);
            if (const std::string* uri = namespaces.Find(attributePrefix)) {
                attribute.name |= XmlTree::kMark;
                if (!namespaces.AddQualified(local, *uri)) throw NotWellFormed{};
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
                const unsigned lower = c | 0x20;
                unsigned digit = 0;
                if (c >= '0' && c <= '9') {
                    digit = c - '0';
                } else if (hex && lower >= 'a' && lower <= 'f') {
                    digit = lower - 'a' + 10;
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
        static const std::pair<std::string_view, char> kPredefined[] = {
            {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"apos", '\''}, {"quot", '"'}};
        for (const auto& [entity, character] : kPredefined) {
            if (!Is(name, entity)) continue;
            out.push_back(static_cast<Unit>(character));
            return;
        }
        throw NotWellFormed{};  // no DTD here declares anything
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
    NamespaceScope<Unit> namespaces;
};
