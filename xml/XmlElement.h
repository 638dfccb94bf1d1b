#pragma once
// A counted handle to one element of a loaded document; it keeps its document alive.
// Every operation but GetChildren accepts an empty element. The document is the layer's
// own tree, or one of the platform's DOM.
#include <windows.h>
#include <msxml2.h>
#include <wrl/client.h>

#include <cstdint>
#include <memory>
#include <string>

#include "xml/XmlTree.h"

class XmlElementCursor;

class XmlElement {
public:
    XmlElement() = default;
    // Empty unless `node` is an element; otherwise holds it and its owner document.
    explicit XmlElement(const Microsoft::WRL::ComPtr<IXMLDOMNode>& node);
    // An element of `document` already known to be one: the root (`document` is held even
    // when there is no document element), or a child found by a cursor.
    XmlElement(Microsoft::WRL::ComPtr<IXMLDOMDocument> document, Microsoft::WRL::ComPtr<IXMLDOMNode> node);
    // Element `index` of a parsed tree.
    XmlElement(std::shared_ptr<const XmlTree> tree, std::uint32_t index) : tree(std::move(tree)), index(index) {}
    XmlElement(const XmlElement&) = default;
    XmlElement& operator=(const XmlElement&) = default;
    XmlElement(XmlElement&&) = default;
    XmlElement& operator=(XmlElement&&) = default;
    virtual ~XmlElement();

    [[nodiscard]] bool IsEmpty() const { return !node && !tree; }
    // The child elements named `tagName` (all child elements when it is empty).
    // An empty element raises the null-reference error.
    [[nodiscard]] XmlElementCursor GetChildren(std::string tagName) const;
    // The first child node named `tagName`, exactly; empty if none or not an element.
    [[nodiscard]] XmlElement GetChild(std::string tagName) const;
    [[nodiscard]] bool HasAttribute(std::string name) const;
    // The attribute's value as the parser delivers it; empty when absent.
    [[nodiscard]] std::string GetAttribute(std::string name) const;
    // The text of all descendant text nodes, white space as in the file.
    [[nodiscard]] std::string GetText() const;

private:
    [[nodiscard]] Microsoft::WRL::ComPtr<IXMLDOMNode> FindAttribute(const std::string& name) const;

    // The child element that `node` is, else empty; `node` is a child of this element.
    [[nodiscard]] XmlElement ChildElement(Microsoft::WRL::ComPtr<IXMLDOMNode> node) const;

    [[nodiscard]] const XmlTree::Node& TreeNode() const { return tree->nodes[index]; }

    // Declared before the node so that the node is dropped first.
    Microsoft::WRL::ComPtr<IXMLDOMDocument> document;
    Microsoft::WRL::ComPtr<IXMLDOMNode> node;
    std::shared_ptr<const XmlTree> tree;
    std::uint32_t index = 0;
};
