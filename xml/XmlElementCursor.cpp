#include "xml/XmlElementCursor.h"

#include "xml/Bstr.h"
#include "xml/XmlAccessError.h"

using Microsoft::WRL::ComPtr;

XmlElementCursor::XmlElementCursor(ComPtr<IXMLDOMNodeList> list, std::string filter)
    : list(std::move(list)), filter(std::move(filter)) {
    Restart();
}

XmlElementCursor::XmlElementCursor(const XmlElementCursor& other) : list(other.list), filter(other.filter) {
    Restart();
}

XmlElementCursor& XmlElementCursor::operator=(const XmlElementCursor& other) {
    list = other.list;
    filter = other.filter;
    Restart();
    return *this;
}

void XmlElementCursor::Restart() const {
    if (list) CheckXmlCall(list->reset(), list.Get(), IID_IXMLDOMNodeList);
}

XmlElement XmlElementCursor::Next() {
    if (!list) return {};
    for (;;) {
        ComPtr<IXMLDOMNode> node;
        CheckXmlCall(list->nextNode(node.GetAddressOf()), list.Get(), IID_IXMLDOMNodeList);
        if (!node) return {};
        DOMNodeType type = NODE_INVALID;
        CheckXmlCall(node->get_nodeType(&type), node.Get(), IID_IXMLDOMNode);
        if (type != NODE_ELEMENT) continue;
        if (filter.empty()) return XmlElement(node);
        Bstr name;
        CheckXmlCall(node->get_nodeName(name.Out()), node.Get(), IID_IXMLDOMNode);
        if (name.ToAnsi() == filter) return XmlElement(node);
    }
}
