#include "xml/XmlElementCursor.h"

#include "xml/XmlAccessError.h"
#include "xml/XmlText.h"

using Microsoft::WRL::ComPtr;

XmlElementCursor::XmlElementCursor(ComPtr<IXMLDOMNodeList> list, std::string filter)
    : list_(std::move(list)), filter_(std::move(filter)) {
    if (list_ != nullptr) CheckXml(list_->reset());
}

XmlElementCursor::XmlElementCursor(const XmlElementCursor& other) : list_(other.list_), filter_(other.filter_) {
    if (list_ != nullptr) CheckXml(list_->reset());
}

XmlElementCursor& XmlElementCursor::operator=(const XmlElementCursor& other) {
    list_ = other.list_;
    filter_ = other.filter_;
    if (list_ != nullptr) CheckXml(list_->reset());
    return *this;
}

XmlElement XmlElementCursor::Next() {
    if (list_ == nullptr) return {};
    for (;;) {
        ComPtr<IXMLDOMNode> node;
        CheckXml(list_->nextNode(&node));
        if (node == nullptr) return {};
        DOMNodeType type = NODE_INVALID;
        CheckXml(node->get_nodeType(&type));
        if (type != NODE_ELEMENT) continue;
        if (!filter_.empty()) {
            Bstr name;
            CheckXml(node->get_nodeName(name.Out()));
            if (NarrowText(name.Get()) != filter_) continue;
        }
        return XmlElement::FromNode(node);
    }
}
