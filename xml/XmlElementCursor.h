#pragma once
// A forward cursor over the child elements of one element, optionally only those with
// one tag name. Its position is that of the DOM's node list: a copy shares the list and
// restarts it.
#include <windows.h>
#include <msxml2.h>
#include <wrl/client.h>

#include <string>

#include "xml/XmlElement.h"

class XmlElementCursor {
public:
    XmlElementCursor() = default;
    // Over `list`, the child nodes of an element of `document`.
    XmlElementCursor(Microsoft::WRL::ComPtr<IXMLDOMDocument> document, Microsoft::WRL::ComPtr<IXMLDOMNodeList> list,
                     std::string filter);
    XmlElementCursor(const XmlElementCursor& other);
    XmlElementCursor& operator=(const XmlElementCursor& other);
    XmlElementCursor(XmlElementCursor&&) = default;
    XmlElementCursor& operator=(XmlElementCursor&&) = default;

    // The next matching child element, or an empty one at the end (and after it).
    [[nodiscard]] XmlElement Next();

private:
    void Restart() const;

    // Declared before the list so that the list is dropped first.
    Microsoft::WRL::ComPtr<IXMLDOMDocument> document;
    Microsoft::WRL::ComPtr<IXMLDOMNodeList> list;
    std::string filter;
};
