#include "xml/XmlDocument.h"

#include <new>
#include <optional>

#include "xml/PlatformDom.h"
#include "xml/XmlFile.h"
#include "xml/XmlReader.h"

namespace {
const char kOutOfMemory[] = "not enough memory to load it";
}  // namespace

XmlDocument::~XmlDocument() = default;

XmlElement XmlDocument::Keep(XmlElement root, std::string_view why) {
    try {
        refusal.assign(root.IsEmpty() ? why : std::string_view());
    } catch (const std::bad_alloc&) {
        refusal.clear();  // the load's result matters more than its explanation
    }
    return root;
}

XmlElement XmlDocument::Load(std::string path) {
    std::optional<std::string> bytes;
    try {
        bytes = ReadXmlFile(path);
    } catch (const std::bad_alloc&) {
        return Keep({}, kOutOfMemory);
    }
    if (!bytes) return Keep({}, "not found, not readable, or larger than the 128 MiB the library reads");
    return Parse(*bytes);
}

XmlElement XmlDocument::Parse(const std::string& bytes) {
    XmlReading reading;
    try {
        reading = ReadXml(bytes);
    } catch (const std::bad_alloc&) {
        return Keep({}, kOutOfMemory);
    }
    if (reading.outcome == XmlReading::Outcome::Refused) return Keep({}, reading.refusal);
    if (reading.outcome == XmlReading::Outcome::Parsed) return Keep(XmlElement(std::move(reading.tree), 0), {});
    const Microsoft::WRL::ComPtr<IXMLDOMDocument> dom = LoadDom(bytes);
    if (!dom) return Keep({}, "the platform's XML parser, which this file needs, cannot be created (COM not "
                              "initialised on this thread?)");
    XmlElement root;
    try {
        root = DomRoot(dom);
    } catch (const std::bad_alloc&) {
        return Keep({}, kOutOfMemory);
    }
    return Keep(std::move(root), reading.refusal);
}
