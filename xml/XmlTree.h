#pragma once
// A loaded document, whichever parser read it: one compact tree whose texts are already
// in the process's ANSI code page, so that walking it converts nothing.
//
// Only what the layer's operations can see is kept: the elements, the other named nodes
// among an element's children (processing instructions, entity references: their names
// are child names that XmlElement::GetChild stops at), the attributes, and the character
// data of the root in document order. An element's text is one span of that character
// data. Nodes are in document order, each followed by its descendants, so that a node
// needs no links of its own: a large directory's tree costs less than its file.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct XmlTree {
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    // In a node's name: the node is a processing instruction or an entity reference. In
    // an attribute's: no lookup by name without namespace finds it (a namespace
    // declaration, or a name that does not survive the trip through the code page).
    static constexpr std::uint32_t kMark = 0x80000000u;

    struct Node {
        std::uint32_t name = 0;  // in `names`, with kMark for a node that is not an element
        std::uint32_t end = 0;   // the index just past its descendants
        std::uint32_t firstAttribute = 0;  // in `attributes`; they run to the next node's first
        std::uint32_t textBegin = 0;       // in `content`
        std::uint32_t textEnd = 0;
    };

    struct Attribute {
        std::uint32_t name = 0;  // in `names`, with kMark when no lookup finds it
        std::uint32_t value = 0;  // in `strings`
        std::uint32_t valueLength = 0;
    };

    // A name's text in `strings`.
    struct Span {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };

    std::vector<Node> nodes;  // the root element first
    std::vector<Attribute> attributes;
    std::vector<Span> names;
    std::string strings;  // names and attribute values
    std::string content;  // the character data inside the root, in document order

    // Room for a document of `units` characters as directories are written, so that the
    // tree is not copied as it grows; what is reserved and never used is never touched.
    void Reserve(std::size_t units) {
        nodes.reserve(units / 16);
        attributes.reserve(units / 32);
        strings.reserve(units / 4);
        content.reserve(units / 4);
    }

    // Appends a node named `name` (a name's index) with no descendants yet; gives its index.
    std::uint32_t Add(std::uint32_t name, bool isElement) {
        const auto index = static_cast<std::uint32_t>(nodes.size());
        Node node;
        node.name = isElement ? name : name | kMark;
        node.end = index + 1;
        node.firstAttribute = static_cast<std::uint32_t>(attributes.size());
        node.textBegin = node.textEnd = static_cast<std::uint32_t>(content.size());
        nodes.push_back(node);
        return index;
    }
    // Ends node `index`: what was added since is inside it.
    void Close(std::uint32_t index) {
        nodes[index].end = static_cast<std::uint32_t>(nodes.size());
        nodes[index].textEnd = static_cast<std::uint32_t>(content.size());
    }
    // Appends a name's text to `strings`; gives its index.
    std::uint32_t AddName(std::string_view text) {
        names.push_back(Span{static_cast<std::uint32_t>(strings.size()), static_cast<std::uint32_t>(text.size())});
        strings += text;
        return static_cast<std::uint32_t>(names.size() - 1);
    }

    [[nodiscard]] bool IsElement(std::uint32_t node) const { return (nodes[node].name & kMark) == 0; }
    // The first child of `node`, or kNone.
    [[nodiscard]] std::uint32_t FirstChild(std::uint32_t node) const {
        return node + 1 < nodes[node].end ? node + 1 : kNone;
    }
    // The next child of `parent` after its child `child`, or kNone.
    [[nodiscard]] std::uint32_t NextSibling(std::uint32_t parent, std::uint32_t child) const {
        return nodes[child].end < nodes[parent].end ? nodes[child].end : kNone;
    }

    [[nodiscard]] std::string_view NameText(std::uint32_t name) const {
        const Span& entry = names[name & ~kMark];
        return std::string_view(strings).substr(entry.offset, entry.length);
    }
    [[nodiscard]] std::string_view Name(std::uint32_t node) const { return NameText(nodes[node].name); }
    [[nodiscard]] std::string_view Text(std::uint32_t node) const {
        return std::string_view(content).substr(nodes[node].textBegin, nodes[node].textEnd - nodes[node].textBegin);
    }
    [[nodiscard]] const Attribute* FindAttribute(std::uint32_t node, std::string_view name) const {
        const std::uint32_t last =
            node + 1 < nodes.size() ? nodes[node + 1].firstAttribute : static_cast<std::uint32_t>(attributes.size());
        for (std::uint32_t i = nodes[node].firstAttribute; i < last; ++i)
            if ((attributes[i].name & kMark) == 0 && NameText(attributes[i].name) == name) return &attributes[i];
        return nullptr;
    }
    [[nodiscard]] std::string_view Value(const Attribute& attribute) const {
        return std::string_view(strings).substr(attribute.value, attribute.valueLength);
    }
};
