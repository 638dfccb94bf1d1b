#include "xml/XmlElement.h"

XmlElement::~XmlElement() = default;

XmlElement XmlElement::GetChild(std::string tagName) const {
    if (!tree) return {};
    // Stops at the first child of that name, as the DOM's walk does: a processing
    // instruction with that target hides a later element.
    std::uint32_t child = tree->FirstChild(index);
    while (child != XmlTree::kNone && tree->Name(child) != tagName) child = tree->NextSibling(index, child);
    if (child == XmlTree::kNone || !tree->IsElement(child)) return {};
    return XmlElement(tree, child);
}

bool XmlElement::HasAttribute(std::string name) const {
    return tree && tree->FindAttribute(index, name) != nullptr;
}

std::string XmlElement::GetAttribute(std::string name) const {
    if (!tree) return {};
    const XmlTree::Attribute* attribute = tree->FindAttribute(index, name);
    return attribute != nullptr ? std::string(tree->Value(*attribute)) : std::string();
}

std::string XmlElement::GetText() const { return tree ? std::string(tree->Text(index)) : std::string(); }
