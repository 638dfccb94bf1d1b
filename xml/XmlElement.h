#pragma once
// A counted handle to one element of a loaded document; it keeps its document alive.
// Every operation but GetChildren accepts an empty element.
#include <cstdint>
#include <memory>
#include <string>

#include "xml/XmlTree.h"

class XmlElementCursor;

class XmlElement {
public:
    XmlElement() = default;
    // Element `index` of a loaded tree.
    XmlElement(std::shared_ptr<const XmlTree> tree, std::uint32_t index) : tree(std::move(tree)), index(index) {}
    XmlElement(const XmlElement&) = default;
    XmlElement& operator=(const XmlElement&) = default;
    XmlElement(XmlElement&&) = default;
    XmlElement& operator=(XmlElement&&) = default;
    virtual ~XmlElement();

    [[nodiscard]] bool IsEmpty() const { return !tree; }
    // The child elements named `tagName` (all child elements when it is empty).
    // An empty element raises the null-reference error. Defined with the cursor it makes
    // (XmlElementCursor.cpp), so that the element needs nothing of the cursor's.
    [[nodiscard]] XmlElementCursor GetChildren(std::string tagName) const;
    // The first child node named `tagName`, exactly; empty if none or not an element.
    [[nodiscard]] XmlElement GetChild(std::string tagName) const;
    [[nodiscard]] bool HasAttribute(std::string name) const;
    // The attribute's value as the parser delivers it; empty when absent.
    [[nodiscard]] std::string GetAttribute(std::string name) const;
    // The text of all descendant text nodes, white space as in the file.
    [[nodiscard]] std::string GetText() const;

private:
    std::shared_ptr<const XmlTree> tree;
    std::uint32_t index = 0;
};
