#pragma once
// One loaded XML file, read-only, through the platform's DOM component.
#include <msxml2.h>
#include <wrl/client.h>

#include <string>

// The component's interface ids, for ComPtr's queries (mingw's header omits them).
__CRT_UUID_DECL(IXMLDOMDocument, 0x2933BF81, 0x7B36, 0x11D2, 0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60)
__CRT_UUID_DECL(IXMLDOMNode, 0x2933BF80, 0x7B36, 0x11D2, 0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60)

#include "xml/XmlElement.h"
#include "xml/XmlElementCursor.h"

class XmlDocument {
public:
    XmlDocument() = default;
    virtual ~XmlDocument() = default;

    // Loads the file and returns its root; empty when the file is missing, not
    // well-formed, refused, or the component cannot be created. Raises nothing while
    // loading.
    XmlElement Load(const std::string& path);

private:
    Microsoft::WRL::ComPtr<IXMLDOMDocument> document_;
};

// A new document set up for reading files: synchronous, white space kept, nothing
// external resolved. Empty when the component cannot be created.
[[nodiscard]] Microsoft::WRL::ComPtr<IXMLDOMDocument> CreateDomDocument();
