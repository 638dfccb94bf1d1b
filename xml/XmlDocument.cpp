#include "xml/XmlDocument.h"

#include <new>
#include <optional>

#include "xml/PlatformDom.h"
#include "xml/XmlFile.h"
#include "xml/XmlReader.h"

XmlDocument::~XmlDocument() = default;

XmlElement XmlDocument::Load(std::string path) {
    tree.reset();
    domDocument.Reset();
    std::optional<std::string> bytes;
    try {
        bytes = ReadXmlFile(path);
    } catch (const std::bad_alloc&) {
        return {};
    }
    return bytes ? Parse(*bytes) : XmlElement();
}

XmlElement XmlDocument::Parse(const std::string& bytes) {
    tree.reset();
    domDocument.Reset();
    try {
        XmlReading reading = ReadXml(bytes);
        if (reading.outcome == XmlReading::Outcome::Refused) return {};
        if (reading.outcome == XmlReading::Outcome::Parsed) {
            tree = std::move(reading.tree);
            return XmlElement(tree, 0);
        }
    } catch (const std::bad_alloc&) {
        return {};
    }
    domDocument = LoadDom(bytes);
    return DomRoot(domDocument);
}
