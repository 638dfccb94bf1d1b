#include "xml/XmlElement.h"

#include "xml/XmlAccessError.h"
#include "xml/XmlElementCursor.h"
#include "xml/XmlText.h"

using Microsoft::WRL::ComPtr;

namespace {

std::string NodeName(IXMLDOMNode* node) {
    Bstr name;
    CheckXml(node->get_nodeName(name.Out()));
    return NarrowText(name.Get());
}

}  // namespace

XmlElement XmlElement::FromNode(const ComPtr<IXMLDOMNode>& node) {
    if (node == nullptr) return {};
    DOMNodeType type = NODE_INVALID;
    CheckXml(node->get_nodeType(&type));
    if (type != NODE_ELEMENT) return {};
    ComPtr<IXMLDOMDocument> owner;
    CheckXml(node->get_ownerDocument(&owner));
    return XmlElement(owner, node);
}

XmlElementCursor XmlElement::GetChildren(const std::string& tagName) const {
    if (node_ == nullptr) throw XmlAccessError(E_POINTER);
    ComPtr<IXMLDOMNodeList> children;
    CheckXml(node_->get_childNodes(&children));
    return XmlElementCursor(children, tagName);
}

XmlElement XmlElement::GetChild(const std::string& tagName) const {
    if (node_ == nullptr) return {};
    ComPtr<IXMLDOMNode> child;
    CheckXml(node_->get_firstChild(&child));
    while (child != nullptr && NodeName(child.Get()) != tagName) {
        ComPtr<IXMLDOMNode> next;
        CheckXml(child->get_nextSibling(&next));
        child = next;
    }
    return FromNode(child);
}

ComPtr<IXMLDOMNode> XmlElement::FindAttribute(const std::string& name) const {
    ComPtr<IXMLDOMNamedNodeMap> attributes;
    CheckXml(node_->get_attributes(&attributes));
    if (attributes == nullptr) throw XmlAccessError(E_POINTER);
    Bstr wideName(WidenText(name));
    Bstr noNamespace(::SysAllocString(L""));
    ComPtr<IXMLDOMNode> attribute;
    CheckXml(attributes->getQualifiedItem(wideName.Get(), noNamespace.Get(), &attribute));
    return attribute;
}

bool XmlElement::HasAttribute(const std::string& name) const {
    if (node_ == nullptr) return false;
    return FindAttribute(name) != nullptr;
}

std::string XmlElement::GetAttribute(const std::string& name) const {
    if (!HasAttribute(name)) return {};
    ComPtr<IXMLDOMNode> attribute = FindAttribute(name);
    Bstr value;
    CheckXml(attribute->get_text(value.Out()));
    return NarrowText(value.Get());
}

std::string XmlElement::GetText() const {
    if (node_ == nullptr) return {};
    Bstr value;
    CheckXml(node_->get_text(value.Out()));
    return NarrowText(value.Get());
}
