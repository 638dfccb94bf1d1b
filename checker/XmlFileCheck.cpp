#include "checker/XmlFileCheck.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "framework/Text.h"
#include "xml/XmlAccessError.h"
#include "xml/XmlPrologue.h"

namespace {

bool IsValidIn(const std::string& bytes, unsigned codePage) {
    return bytes.empty() || ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                                  static_cast<int>(bytes.size()), nullptr, 0) > 0;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Names the parser reads on its own, besides the 936 family that the layer converts.
bool ParserReadsEncoding(const std::string& declared) {
    const std::string name = Lower(declared);
    return name.empty() || name == "utf-8" || name == "utf-16" || name == "gbk" || name == "us-ascii" ||
           name == "iso-8859-1";
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (file.bad()) return std::nullopt;
    return bytes.str();
}

std::string ExplainXmlRefusal(const std::string& bytes) {
    if (bytes.find_first_not_of(" \t\r\n") == std::string::npos) return "empty file";
    const XmlPrologue prologue = XmlPrologue::Read(bytes);
    if (prologue.declaresEntities) return "refused: its DOCTYPE declares entities";
    if (const std::optional<unsigned> codePage = prologue.ChineseCodePage()) {
        if (!prologue.ReencodeAsUtf8(bytes, *codePage))
            return text::Format("encoding: bytes that are not valid in code page %u, which the declared \"%s\" "
                                "stands for",
                                *codePage, prologue.declaredEncoding.c_str());
    } else if (prologue.form == XmlPrologue::Form::Bytes) {
        if (!ParserReadsEncoding(prologue.declaredEncoding))
            return "encoding: \"" + prologue.declaredEncoding + "\" is not an encoding the library reads";
        const std::string name = Lower(prologue.declaredEncoding);
        if ((name.empty() || name == "utf-8") && !IsValidIn(bytes, CP_UTF8))
            return name.empty() ? "encoding: no encoding declared, so it is read as UTF-8, and its bytes are not "
                                  "UTF-8 (GBK without a declaration?)"
                                : "encoding: declared UTF-8, but its bytes are not UTF-8";
    }
    const int depth = ElementDepth(bytes);
    if (depth > kParserDepthLimit)
        return text::Format("too deep: elements nested %d levels, the parser reads at most %d", depth,
                            kParserDepthLimit);
    return "not well-formed XML";
}

std::string DescribeXmlEncoding(const std::string& bytes) {
    const XmlPrologue prologue = XmlPrologue::Read(bytes);
    switch (prologue.form) {
    case XmlPrologue::Form::Utf16:
        return "UTF-16";
    case XmlPrologue::Form::Utf8WithBom:
        return "UTF-8 with byte order mark";
    case XmlPrologue::Form::Bytes:
        break;
    }
    return prologue.declaredEncoding.empty() ? "UTF-8, not declared" : prologue.declaredEncoding;
}

int ElementDepth(const std::string& bytes) {
    int depth = 0, deepest = 0;
    std::size_t i = 0;
    const auto skipPast = [&](const char* end) {
        const std::size_t at = bytes.find(end, i);
        i = at == std::string::npos ? bytes.size() : at + std::char_traits<char>::length(end);
    };
    while ((i = bytes.find('<', i)) != std::string::npos) {
        if (bytes.compare(i, 4, "<!--") == 0) {
            skipPast("-->");
        } else if (bytes.compare(i, 9, "<![CDATA[") == 0) {
            skipPast("]]>");
        } else if (bytes.compare(i, 2, "<?") == 0) {
            skipPast("?>");
        } else if (bytes.compare(i, 2, "<!") == 0) {
            skipPast(">");
        } else if (bytes.compare(i, 2, "</") == 0) {
            --depth;
            skipPast(">");
        } else {
            // A start tag: past its quoted values to its end; "/>" closes it at once.
            char quote = 0;
            std::size_t j = i + 1;
            for (; j < bytes.size(); ++j) {
                const char c = bytes[j];
                if (quote != 0) {
                    if (c == quote) quote = 0;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '>') {
                    break;
                }
            }
            const bool empty = j < bytes.size() && bytes[j - 1] == '/';
            if (!empty) deepest = std::max(deepest, ++depth);
            i = j;
        }
    }
    return deepest;
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
    try {
        root = document.Load(path);
    } catch (const XmlAccessError&) {
        root = XmlElement();
    }
    if (root.IsEmpty()) {
        report.Error(found + "not loaded: " + ExplainXmlRefusal(*bytes));
    } else {
        report.Note(found + "loaded (" + DescribeXmlEncoding(*bytes) + ")");
    }
    return root;
}
