#include "xml/XmlElement.h"

#include "xml/Bstr.h"
#include "xml/XmlAccessError.h"
#include "xml/XmlElementCursor.h"

using Microsoft::WRL::ComPtr;

namespace {
constexpr DOMNodeType kElementNode = NODE_ELEMENT;

bool HasNodeName(IXMLDOMNode* node, const std::string& name) {
    Bstr nodeName;
    CheckXmlCall(node->get_nodeName(nodeName.Out()), node, IID_IXMLDOMNode);
    return nodeName.EqualsAnsi(name);
}
}  // namespace

XmlElement::XmlElement(const ComPtr<IXMLDOMNode>& from) {
    if (!from) return;
    DOMNodeType type = NODE_INVALID;
    CheckXmlCall(from->get_nodeType(&type), from.Get(), IID_IXMLDOMNode);
    if (type != kElementNode) return;
    ComPtr<IXMLDOMDocument> owner;
    CheckXmlCall(from->get_ownerDocument(owner.GetAddressOf()), from.Get(), IID_IXMLDOMNode);
    document = std::move(owner);
    node = from;
}

XmlElement::XmlElement(ComPtr<IXMLDOMDocument> document, ComPtr<IXMLDOMNode> node)
    : document(std::move(document)), node(std::move(node)) {}

XmlElement::~XmlElement() {
    node.Reset();
    document.Reset();
}

XmlElementCursor XmlElement::GetChildren(std::string tagName) const {
    if (tree) return XmlElementCursor(tree, index, std::move(tagName));
    if (!node) RaiseNullReference();
    ComPtr<IXMLDOMNodeList> children;
    CheckXmlCall(node->get_childNodes(children.GetAddressOf()), node.Get(), IID_IXMLDOMNode);
    return XmlElementCursor(document, std::move(children), std::move(tagName));
}

XmlElement XmlElement::GetChild(std::string tagName) const {
    if (tree) {
        // Stops at the first child of that name, as the DOM's walk does: a processing
        // instruction with that target hides a later element.
        std::uint32_t child = TreeNode().firstChild;
        while (child != XmlTree::kNone && tree->Name(tree->nodes[child]) != tagName) child = tree->nodes[child].nextSibling;
        if (child == XmlTree::kNone || !tree->nodes[child].isElement) return {};
        return XmlElement(tree, child);
    }
    if (!node) return {};
    ComPtr<IXMLDOMNode> child;
    CheckXmlCall(node->get_firstChild(child.GetAddressOf()), node.Get(), IID_IXMLDOMNode);
    while (child && !HasNodeName(child.Get(), tagName)) {
        ComPtr<IXMLDOMNode> next;
        CheckXmlCall(child->get_nextSibling(next.GetAddressOf()), child.Get(), IID_IXMLDOMNode);
        child = std::move(next);
    }
    return ChildElement(std::move(child));
}

XmlElement XmlElement::ChildElement(ComPtr<IXMLDOMNode> child) const {
    if (!child) return {};
    DOMNodeType type = NODE_INVALID;
    CheckXmlCall(child->get_nodeType(&type), child.Get(), IID_IXMLDOMNode);
    if (type != kElementNode) return {};
    // A child shares this element's document: no need to ask it for its owner.
    return XmlElement(document, std::move(child));
}

ComPtr<IXMLDOMNode> XmlElement::FindAttribute(const std::string& name) const {
    ComPtr<IXMLDOMNamedNodeMap> attributes;
    CheckXmlCall(node->get_attributes(attributes.GetAddressOf()), node.Get(), IID_IXMLDOMNode);
    if (!attributes) RaiseNullReference();
    const Bstr wideName = Bstr::FromAnsi(name);
    const Bstr noNamespace(::SysAllocStringLen(nullptr, 0));
    if (noNamespace.Get() == nullptr) throw XmlAccessError(E_OUTOFMEMORY);
    ComPtr<IXMLDOMNode> attribute;
    CheckXmlCall(attributes->getQualifiedItem(wideName.Get(), noNamespace.Get(), attribute.GetAddressOf()),
                 attributes.Get(), IID_IXMLDOMNamedNodeMap);
    return attribute;
}

bool XmlElement::HasAttribute(std::string name) const {
    if (tree) return tree->FindAttribute(TreeNode(), name) != nullptr;
    if (!node) return false;
    return FindAttribute(name) != nullptr;
}

std::string XmlElement::GetAttribute(std::string name) const {
    if (tree) {
        const XmlTree::Attribute* attribute = tree->FindAttribute(TreeNode(), name);
        return attribute != nullptr ? std::string(tree->Value(*attribute)) : std::string();
    }
    if (!node) return {};
    const ComPtr<IXMLDOMNode> attribute = FindAttribute(name);
    if (!attribute) return {};
    Bstr value;
    CheckXmlCall(attribute->get_text(value.Out()), attribute.Get(), IID_IXMLDOMNode);
    return value.ToAnsi();
}

std::string XmlElement::GetText() const {
    if (tree) return std::string(tree->Text(TreeNode()));
    if (!node) return {};
    Bstr text;
    CheckXmlCall(node->get_text(text.Out()), node.Get(), IID_IXMLDOMNode);
    return text.ToAnsi();
}
