#include "xml/XmlElementCursor.h"

#include "xml/Bstr.h"
#include "xml/XmlAccessError.h"

using Microsoft::WRL::ComPtr;

XmlElementCursor::XmlElementCursor(ComPtr<IXMLDOMDocument> document, ComPtr<IXMLDOMNodeList> list,
                                   std::string filter)
    : document(std::move(document)), list(std::move(list)), filter(std::move(filter)) {
    Restart();
}

XmlElementCursor::XmlElementCursor(std::shared_ptr<const XmlTree> tree, std::uint32_t parent, std::string filter)
    : tree(std::move(tree)), parent(parent), next(std::make_shared<std::uint32_t>()), filter(std::move(filter)) {
    Restart();
}

XmlElementCursor::XmlElementCursor(const XmlElementCursor& other)
    : document(other.document),
      list(other.list),
      tree(other.tree),
      parent(other.parent),
      next(other.next),
      filter(other.filter) {
    Restart();
}

XmlElementCursor& XmlElementCursor::operator=(const XmlElementCursor& other) {
    document = other.document;
    list = other.list;
    tree = other.tree;
    parent = other.parent;
    next = other.next;
    filter = other.filter;
    Restart();
    return *this;
}

void XmlElementCursor::Restart() const {
    if (tree) *next = tree->nodes[parent].firstChild;
    if (list) CheckXmlCall(list->reset(), list.Get(), IID_IXMLDOMNodeList);
}

XmlElement XmlElementCursor::Next() {
    if (tree) {
        while (*next != XmlTree::kNone) {
            const std::uint32_t child = *next;
            const XmlTree::Node& node = tree->nodes[child];
            *next = node.nextSibling;
            if (node.isElement && (filter.empty() || tree->Name(node) == filter)) return XmlElement(tree, child);
        }
        return {};
    }
    if (!list) return {};
    for (;;) {
        ComPtr<IXMLDOMNode> node;
        CheckXmlCall(list->nextNode(node.GetAddressOf()), list.Get(), IID_IXMLDOMNodeList);
        if (!node) return {};
        DOMNodeType type = NODE_INVALID;
        CheckXmlCall(node->get_nodeType(&type), node.Get(), IID_IXMLDOMNode);
        if (type != NODE_ELEMENT) continue;
        // Known to be an element of the parent's document: nothing more to ask of it.
        if (filter.empty()) return XmlElement(document, std::move(node));
        Bstr name;
        CheckXmlCall(node->get_nodeName(name.Out()), node.Get(), IID_IXMLDOMNode);
        if (name.EqualsAnsi(filter)) return XmlElement(document, std::move(node));
    }
}
