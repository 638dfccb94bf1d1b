#pragma once
// One loaded XML document, read-only: load a whole file and walk it from its root.
//
// The file is read once and parsed from those bytes by the layer's own reader
// (xml/XmlReader.h); only a file with a DOCTYPE or in an encoding that reader does not
// decode goes to the platform's DOM, which needs COM initialised on the calling thread.
// Either way the document is one tree of the same form (xml/XmlTree.h).
#include <string>
#include <string_view>

#include "xml/XmlElement.h"
#include "xml/XmlElementCursor.h"

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

    // Why the last load gave an empty root, in a few words for the person who has to
    // mend the file; empty after a load that gave one.
    [[nodiscard]] const std::string& Refusal() const { return refusal; }

private:
    XmlElement Keep(XmlElement root, std::string_view why);

    // The document itself is held by the elements made of it: each keeps it alive.
    std::string refusal;
};
