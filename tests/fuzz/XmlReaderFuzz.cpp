// The layer's XML reader on any bytes. Beyond not failing: the tree it gives is sound
// (every index and span inside it, no element deeper than the limit), and a tree written
// out again as XML reads back as the same tree.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "framework/CodePageConversion.h"
#include "xml/XmlPrologue.h"
#include "xml/XmlReader.h"

namespace {

constexpr std::size_t kMaxDepth = 257;

// The attributes of node `index`: they run to the next node's first.
std::uint32_t AttributesEnd(const XmlTree& tree, std::uint32_t index) {
    return index + 1 < tree.nodes.size() ? tree.nodes[index + 1].firstAttribute
                                         : static_cast<std::uint32_t>(tree.attributes.size());
}

void CheckSound(const XmlTree& tree) {
    FUZZ_CHECK(!tree.nodes.empty() && tree.IsElement(0) && tree.nodes[0].end == tree.nodes.size());
    for (const XmlTree::Span& name : tree.names)
        FUZZ_CHECK(std::size_t{name.offset} + name.length <= tree.strings.size());
    for (std::uint32_t i = 0; i < tree.nodes.size(); ++i) {
        const XmlTree::Node& node = tree.nodes[i];
        FUZZ_CHECK((node.name & ~XmlTree::kMark) < tree.names.size() && !tree.Name(i).empty());
        FUZZ_CHECK(node.end > i && node.end <= tree.nodes.size());
        FUZZ_CHECK(node.textBegin <= node.textEnd && node.textEnd <= tree.content.size());
        FUZZ_CHECK(node.firstAttribute <= AttributesEnd(tree, i) && AttributesEnd(tree, i) <= tree.attributes.size());
    }
    for (const XmlTree::Attribute& attribute : tree.attributes) {
        FUZZ_CHECK((attribute.name & ~XmlTree::kMark) < tree.names.size());
        FUZZ_CHECK(std::size_t{attribute.value} + attribute.valueLength <= tree.strings.size());
    }
}

// Depth of the deepest element below `index` (itself 1); a node's descendants follow
// it, so the walk ends.
std::size_t Depth(const XmlTree& tree, std::uint32_t index, std::size_t depth) {
    std::size_t deepest = depth;
    for (std::uint32_t child = tree.FirstChild(index); child != XmlTree::kNone; child = tree.NextSibling(index, child)) {
        FUZZ_CHECK(child > index && tree.nodes[child].end <= tree.nodes[index].end);
        if (tree.IsElement(child)) deepest = std::max(deepest, Depth(tree, child, depth + 1));
    }
    return deepest;
}

// ANSI text as UTF-8, for writing the tree out.
std::string Utf8(std::string_view ansi) {
    if (ansi.empty()) return {};
    std::wstring wide(codepage::ToUtf16(codepage::kAnsi, ansi, false, nullptr, 0), L'\0');
    wide.resize(codepage::ToUtf16(codepage::kAnsi, ansi, false, wide.data(), wide.size()));
    std::string utf8(codepage::FromUtf16(codepage::kUtf8, wide, nullptr, 0), '\0');
    utf8.resize(codepage::FromUtf16(codepage::kUtf8, wide, utf8.data(), utf8.size()));
    return utf8;
}

std::string Escaped(std::string_view ansi, bool attribute) {
    // Tab and line feed stand for themselves in content; in a value a reader would make
    // them blanks. A carriage return is always a reference, or a reader drops it.
    constexpr std::string_view kMarkup = "&<>\"\r\t\n";
    constexpr const char* kReferences[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&#13;", "&#9;", "&#10;"};
    constexpr std::size_t kFirstBlank = 5;
    std::string out;
    for (const char c : ansi) {
        const std::size_t at = kMarkup.find(c);
        if (at == std::string_view::npos || (at >= kFirstBlank && !attribute))
            out += c;
        else
            out += kReferences[at];
    }
    return Utf8(out);
}

// The tree can be written out as it was read: no namespace was resolved, every name
// came through the code page (a character it lacks becomes '?', which no name holds),
// and every attribute can be looked up by its name.
bool Writable(const XmlTree& tree) {
    for (const XmlTree::Attribute& attribute : tree.attributes)
        if ((attribute.name & XmlTree::kMark) != 0) return false;
    for (const XmlTree::Span& name : tree.names)
        if (std::string_view(tree.strings).substr(name.offset, name.length).find_first_of(":?") != std::string_view::npos)
            return false;
    return true;
}

void Write(const XmlTree& tree, std::uint32_t index, std::string& out) {
    const XmlTree::Node& node = tree.nodes[index];
    const std::string name = Utf8(tree.Name(index));
    if (!tree.IsElement(index)) {
        out += "<?" + name + "?>";
        return;
    }
    out += "<" + name;
    for (std::uint32_t i = node.firstAttribute; i < AttributesEnd(tree, index); ++i) {
        const XmlTree::Attribute& attribute = tree.attributes[i];
        out += " " + Utf8(tree.NameText(attribute.name)) + "=\"" + Escaped(tree.Value(attribute), true) + "\"";
    }
    out += ">";
    // The element's own text lies between its children's spans.
    std::uint32_t at = node.textBegin;
    for (std::uint32_t child = tree.FirstChild(index); child != XmlTree::kNone; child = tree.NextSibling(index, child)) {
        const XmlTree::Node& next = tree.nodes[child];
        FUZZ_CHECK(at <= next.textBegin);
        out += Escaped(std::string_view(tree.content).substr(at, next.textBegin - at), false);
        Write(tree, child, out);
        at = next.textEnd;
    }
    FUZZ_CHECK(at <= node.textEnd);
    out += Escaped(std::string_view(tree.content).substr(at, node.textEnd - at), false);
    out += "</" + name + ">";
}

bool SameTree(const XmlTree& a, const XmlTree& b) {
    if (a.nodes.size() != b.nodes.size() || a.attributes.size() != b.attributes.size()) return false;
    for (std::uint32_t i = 0; i < a.nodes.size(); ++i) {
        const XmlTree::Node &x = a.nodes[i], &y = b.nodes[i];
        if (a.Name(i) != b.Name(i) || a.Text(i) != b.Text(i) || a.IsElement(i) != b.IsElement(i) || x.end != y.end ||
            x.firstAttribute != y.firstAttribute)
            return false;
    }
    for (std::size_t k = 0; k < a.attributes.size(); ++k) {
        const XmlTree::Attribute &p = a.attributes[k], &q = b.attributes[k];
        if (a.Value(p) != b.Value(q) || (p.name & XmlTree::kMark) != (q.name & XmlTree::kMark) ||
            a.NameText(p.name) != b.NameText(q.name))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const XmlPrologue prologue = XmlPrologue::Read(bytes);
    if (const std::optional<unsigned> codePage = prologue.ChineseCodePage()) {
        if (const std::optional<std::string> utf8 = prologue.ReencodeAsUtf8(bytes, *codePage))
            FUZZ_CHECK(utf8->empty() || codepage::ToUtf16(codepage::kUtf8, *utf8, true, nullptr, 0) != 0);
    }
    const XmlReading reading = ReadXml(bytes);
    if (reading.outcome != XmlReading::Outcome::Parsed) return 0;
    const XmlTree& tree = *reading.tree;
    CheckSound(tree);
    FUZZ_CHECK(Depth(tree, 0, 1) <= kMaxDepth);
    if (!Writable(tree)) return 0;
    std::string written = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    Write(tree, 0, written);
    const XmlReading again = ReadXml(written);
    FUZZ_CHECK(again.outcome == XmlReading::Outcome::Parsed);
    FUZZ_CHECK(SameTree(tree, *again.tree));
    return 0;
}
