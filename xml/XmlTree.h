#pragma once
// A loaded document, whichever parser read it: one compact tree whose texts are already
// in the process's ANSI code page, so that walking it converts nothing.
//
// Only what the layer's operations can see is kept: the elements, the other named nodes
// among an element's children (processing instructions, entity references: their names
// are child names that XmlElement::GetChild stops at), the attributes a lookup by name
// finds, and the character data of the root in document order. An element's text is one
// span of that character data.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct XmlTree {
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    struct Node {
        std::uint32_t name = 0;  // in `strings`
        std::uint32_t nameLength = 0;
        std::uint32_t firstChild = kNone;
        std::uint32_t nextSibling = kNone;
        std::uint32_t firstAttribute = 0;  // in `attributes`
        std::uint32_t attributeCount = 0;
        std::uint32_t textBegin = 0;  // in `content`
        std::uint32_t textEnd = 0;
        bool isElement = true;  // else a processing instruction or an entity reference
    };

    struct Attribute {
        std::uint32_t name = 0;  // in `strings`
        std::uint32_t nameLength = 0;
        std::uint32_t value = 0;
        std::uint32_t valueLength = 0;
        // False for names that a lookup by name without namespace never finds: namespace
        // declarations, and names that do not survive the trip through the code page.
        bool findable = true;
    };

    std::vector<Node> nodes;  // the root element first
    std::vector<Attribute> attributes;
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

    // Appends `node` as the next child of `parent` (none for the root), whose last child
    // so far is `lastChild` (kNone before the first); gives its index.
    std::uint32_t AddChild(const Node& node, std::uint32_t parent, std::uint32_t& lastChild) {
        const auto index = static_cast<std::uint32_t>(nodes.size());
        nodes.push_back(node);
        if (parent != kNone) {
            if (lastChild == kNone) {
                nodes[parent].firstChild = index;
            } else {
                nodes[lastChild].nextSibling = index;
            }
            lastChild = index;
        }
        return index;
    }

    [[nodiscard]] std::string_view Name(const Node& node) const {
        return std::string_view(strings).substr(node.name, node.nameLength);
    }
    [[nodiscard]] std::string_view Text(const Node& node) const {
        return std::string_view(content).substr(node.textBegin, node.textEnd - node.textBegin);
    }
    [[nodiscard]] const Attribute* FindAttribute(const Node& node, std::string_view name) const {
        for (std::uint32_t i = 0; i < node.attributeCount; ++i) {
            const Attribute& attribute = attributes[node.firstAttribute + i];
            if (attribute.findable && std::string_view(strings).substr(attribute.name, attribute.nameLength) == name)
                return &attribute;
        }
        return nullptr;
    }
    [[nodiscard]] std::string_view Value(const Attribute& attribute) const {
        return std::string_view(strings).substr(attribute.value, attribute.valueLength);
    }
};
