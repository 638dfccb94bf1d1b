#pragma once
// One loaded XML document, read-only: load a whole file and walk it from its root.
// The library does not initialise COM; its host does, on the calling thread.
#include <windows.h>
#include <msxml2.h>
#include <wrl/client.h>

#include <string>

#include "xml/XmlElement.h"
#include "xml/XmlElementCursor.h"

// A new empty DOM document that loads synchronously, keeps white space and fetches
// nothing external. Empty when the component cannot be created; the settings that
// follow then raise the null-reference error.
[[nodiscard]] Microsoft::WRL::ComPtr<IXMLDOMDocument> CreateDomDocument();

class XmlDocument {
public:
    XmlDocument() = default;
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;
    virtual ~XmlDocument();

    // Loads the file and gives its root element: empty for a missing, unreadable or
    // not well-formed file, for a DOCTYPE that declares entities, and when the component
    // cannot be created. Raises only while it builds the root.
    XmlElement Load(std::string path);

private:
    Microsoft::WRL::ComPtr<IXMLDOMDocument> document;
};
