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

void CheckSound(const XmlTree& tree) {
    FUZZ_CHECK(!tree.nodes.empty() && tree.nodes[0].isElement);
    for (const XmlTree::Node& node : tree.nodes) {
        FUZZ_CHECK(std::size_t{node.name} + node.nameLength <= tree.strings.size() && node.nameLength > 0);
        FUZZ_CHECK(node.textBegin <= node.textEnd && node.textEnd <= tree.content.size());
        FUZZ_CHECK(std::size_t{node.firstAttribute} + node.attributeCount <= tree.attributes.size());
        for (const std::uint32_t link : {node.firstChild, node.nextSibling})
            FUZZ_CHECK(link == XmlTree::kNone || link < tree.nodes.size());
    }
    for (const XmlTree::Attribute& attribute : tree.attributes) {
        FUZZ_CHECK(std::size_t{attribute.name} + attribute.nameLength <= tree.strings.size());
        FUZZ_CHECK(std::size_t{attribute.value} + attribute.valueLength <= tree.strings.size());
    }
}

// Depth of the deepest element below `index` (itself 1); children come after their
// parent, so the walk ends.
std::size_t Depth(const XmlTree& tree, std::uint32_t index, std::size_t depth) {
    std::size_t deepest = depth;
    for (std::uint32_t child = tree.nodes[index].firstChild; child != XmlTree::kNone;
         child = tree.nodes[child].nextSibling) {
        FUZZ_CHECK(child > index);
        if (tree.nodes[child].isElement) deepest = std::max(deepest, Depth(tree, child, depth + 1));
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
    std::string out;
    for (const char c : ansi) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\r': out += "&#13;"; break;
            case '\t': out += attribute ? "&#9;" : "\t"; break;
            case '\n': out += attribute ? "&#10;" : "\n"; break;
            default: out += c;
        }
    }
    return Utf8(out);
}

// The tree can be written out as it was read: no namespace was resolved, and every name
// came through the code page (a character it lacks becomes '?', which no name holds).
bool Writable(const XmlTree& tree) {
    if (tree.strings.find_first_of(":?") == std::string::npos) return true;
    for (const XmlTree::Node& node : tree.nodes)
        if (tree.Name(node).find_first_of(":?") != std::string_view::npos) return false;
    for (const XmlTree::Attribute& attribute : tree.attributes)
        if (!attribute.findable ||
            std::string_view(tree.strings).substr(attribute.name, attribute.nameLength).find_first_of(":?") !=
                std::string_view::npos)
            return false;
    return true;
}

void Write(const XmlTree& tree, std::uint32_t index, std::string& out) {
    const XmlTree::Node& node = tree.nodes[index];
    const std::string name = Utf8(tree.Name(node));
    if (!node.isElement) {
        out += "<?" + name + "?>";
        return;
    }
    out += "<" + name;
    for (std::uint32_t i = 0; i < node.attributeCount; ++i) {
        const XmlTree::Attribute& attribute = tree.attributes[node.firstAttribute + i];
        out += " " + Utf8(std::string_view(tree.strings).substr(attribute.name, attribute.nameLength)) + "=\"" +
               Escaped(tree.Value(attribute), true) + "\"";
    }
    out += ">";
    // The element's own text lies between its children's spans.
    std::uint32_t at = node.textBegin;
    for (std::uint32_t child = node.firstChild; child != XmlTree::kNone; child = tree.nodes[child].nextSibling) {
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
    for (std::size_t i = 0; i < a.nodes.size(); ++i) {
        const XmlTree::Node &x = a.nodes[i], &y = b.nodes[i];
        if (a.Name(x) != b.Name(y) || a.Text(x) != b.Text(y) || x.isElement != y.isElement ||
            x.firstChild != y.firstChild || x.nextSibling != y.nextSibling || x.attributeCount != y.attributeCount)
            return false;
        for (std::uint32_t k = 0; k < x.attributeCount; ++k) {
            const XmlTree::Attribute &p = a.attributes[x.firstAttribute + k], &q = b.attributes[y.firstAttribute + k];
            if (a.Value(p) != b.Value(q) || p.findable != q.findable ||
                std::string_view(a.strings).substr(p.name, p.nameLength) !=
                    std::string_view(b.strings).substr(q.name, q.nameLength))
                return false;
        }
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
