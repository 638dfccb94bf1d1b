#pragma once
// A forward cursor over the child elements of one element, by tag name. Its position
// is that of the component's live node list; a copy shares it (and restarts it).
#include <msxml2.h>
#include <wrl/client.h>

#include <string>

#include "xml/XmlElement.h"

class XmlElementCursor {
public:
    XmlElementCursor(Microsoft::WRL::ComPtr<IXMLDOMNodeList> list, std::string filter);
    XmlElementCursor(const XmlElementCursor& other);
    XmlElementCursor& operator=(const XmlElementCursor& other);

    // The next matching element, or an empty one at the end (and on every call after it).
    [[nodiscard]] XmlElement Next();

private:
    Microsoft::WRL::ComPtr<IXMLDOMNodeList> list_;
    std::string filter_;
};
