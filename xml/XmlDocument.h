#pragma once
// One loaded XML document, read-only: load a whole file and walk it from its root.
//
// The file is read once and parsed from those bytes by the layer's own reader
// (xml/XmlReader.h); only a file with a DOCTYPE or in an encoding that reader does not
// decode goes to the platform's DOM, which needs COM initialised on the calling thread.
#include <windows.h>
#include <msxml2.h>
#include <wrl/client.h>

#include <memory>
#include <string>

#include "xml/XmlElement.h"
#include "xml/XmlElementCursor.h"
#include "xml/XmlTree.h"

class XmlDocument {
public:
    XmlDocument() = default;
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;
    virtual ~XmlDocument();

    // Loads the file and gives its root element: empty for a missing, unreadable,
    // oversized or not well-formed file, for a DOCTYPE that declares entities, when
    // memory runs out, and when the platform's DOM is needed but cannot be created.
    // Raises only while it builds the root of a document the DOM loaded.
    XmlElement Load(std::string path);
    // The same, for a file's bytes read already.
    XmlElement Parse(const std::string& bytes);

private:
    std::shared_ptr<const XmlTree> tree;
    Microsoft::WRL::ComPtr<IXMLDOMDocument> domDocument;
};
