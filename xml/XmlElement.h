#pragma once
// A handle to one element of a loaded document; it keeps its document alive.
#include <msxml2.h>
#include <wrl/client.h>

#include <string>

class XmlElementCursor;

class XmlElement {
public:
    XmlElement() = default;
    // An element for `node`, empty when the node is null or not an element.
    static XmlElement FromNode(const Microsoft::WRL::ComPtr<IXMLDOMNode>& node);
    virtual ~XmlElement() = default;

    [[nodiscard]] bool IsEmpty() const { return node_ == nullptr; }
    // A cursor over the child elements named `tagName` (every element when empty).
    // The one operation that refuses an empty element: raises XmlAccessError(E_POINTER).
    [[nodiscard]] XmlElementCursor GetChildren(const std::string& tagName) const;
    // The first child node named `tagName`, as an element (empty if none or not an element).
    [[nodiscard]] XmlElement GetChild(const std::string& tagName) const;
    [[nodiscard]] bool HasAttribute(const std::string& name) const;
    // The attribute's value, or the empty text.
    [[nodiscard]] std::string GetAttribute(const std::string& name) const;
    // The text of every descendant text node, white space kept.
    [[nodiscard]] std::string GetText() const;

private:
    friend class XmlDocument;
    XmlElement(Microsoft::WRL::ComPtr<IXMLDOMDocument> document, Microsoft::WRL::ComPtr<IXMLDOMNode> node)
        : document_(std::move(document)), node_(std::move(node)) {}
    Microsoft::WRL::ComPtr<IXMLDOMNode> FindAttribute(const std::string& name) const;

    // Declared in this order so that the node is released before its document.
    Microsoft::WRL::ComPtr<IXMLDOMDocument> document_;
    Microsoft::WRL::ComPtr<IXMLDOMNode> node_;
};
