#include "xml/XmlElementCursor.h"

#include "xml/XmlError.h"

XmlElementCursor XmlElement::GetChildren(std::string tagName) const {
    if (!tree) RaiseNullReference();
    return XmlElementCursor(tree, index, std::move(tagName));
}

XmlElementCursor::XmlElementCursor(std::shared_ptr<const XmlTree> tree, std::uint32_t parent, std::string filter)
    : tree(std::move(tree)), parent(parent), next(std::make_shared<std::uint32_t>()), filter(std::move(filter)) {
    Restart();
}

XmlElementCursor::XmlElementCursor(const XmlElementCursor& other)
    : tree(other.tree), parent(other.parent), next(other.next), filter(other.filter) {
    Restart();
}

XmlElementCursor& XmlElementCursor::operator=(const XmlElementCursor& other) {
    tree = other.tree;
    parent = other.parent;
    next = other.next;
    filter = other.filter;
    Restart();
    return *this;
}

void XmlElementCursor::Restart() const {
    if (tree) *next = tree->FirstChild(parent);
}

XmlElement XmlElementCursor::Next() {
    if (!tree) return {};
    while (*next != XmlTree::kNone) {
        const std::uint32_t child = *next;
        *next = tree->NextSibling(parent, child);
        if (tree->IsElement(child) && (filter.empty() || tree->Name(child) == filter)) return XmlElement(tree, child);
    }
    return {};
}
