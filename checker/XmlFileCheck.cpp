#include "checker/XmlFileCheck.h"

#include <fstream>
#include <sstream>

#include "framework/Text.h"
#include "xml/XmlAccessError.h"
#include "xml/XmlPrologue.h"

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (file.bad()) return std::nullopt;
    return bytes.str();
}

std::string DescribeXmlEncoding(const std::string& bytes) {
    const XmlPrologue prologue = XmlPrologue::Read(bytes);
    switch (prologue.form) {
        case EncodingForm::Bytes:
            return prologue.declaredEncoding.empty() ? "UTF-8, not declared" : prologue.declaredEncoding;
        case EncodingForm::Utf8WithBom:
            return "UTF-8 with byte order mark";
        case EncodingForm::Ucs4:
            return "UCS-4";
        case EncodingForm::Ebcdic:
            return "EBCDIC";
        case EncodingForm::Utf7WithBom:
            return "UTF-7";
        default:
            return "UTF-16";
    }
}

XmlElement LoadReportedXml(HostReport& report, XmlDocument& document, const std::string& hostDirectory,
                           const std::string& relativePath) {
    const std::string path = hostDirectory + "\\" + relativePath;
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        report.Error(relativePath + ": not found (or not readable)");
        return {};
    }
    const std::string found = relativePath + text::Format(": found, %d bytes, ", static_cast<int>(bytes->size()));
    XmlElement root;
    std::string why;
    try {
        root = document.Load(path);
        why = document.Refusal();
    } catch (const XmlAccessError&) {
        why = "the platform's XML parser failed while the document was made into a tree";
    }
    if (root.IsEmpty()) {
        report.Error(found + "not loaded: " + why);
    } else {
        report.Note(found + "loaded (" + DescribeXmlEncoding(*bytes) + ")");
    }
    return root;
}
