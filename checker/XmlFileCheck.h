#pragma once
// One XML file of the host folder, loaded through the library's XML layer exactly as the
// dialogs load it, with a report line: found or not, its size, loaded or why not.
#include <optional>
#include <string>

#include "checker/HostReport.h"
#include "xml/XmlDocument.h"

// The parser reads at most this many nested elements; deeper files it refuses whole.
inline constexpr int kParserDepthLimit = 257;

// The whole file, or nothing when it cannot be opened or read.
[[nodiscard]] std::optional<std::string> ReadWholeFile(const std::string& path);

// Why the XML layer gives no root for a file of these bytes, in a few words: the
// layer itself only says that it did not load.
[[nodiscard]] std::string ExplainXmlRefusal(const std::string& bytes);

// The encoding a file of these bytes is read in, as a report shows it.
[[nodiscard]] std::string DescribeXmlEncoding(const std::string& bytes);

// The deepest nesting of elements in the bytes (comments, processing instructions,
// CDATA and quoted attribute values skipped); only used to explain a refusal.
[[nodiscard]] int ElementDepth(const std::string& bytes);

// Loads `hostDirectory\relativePath` into `document` and reports the file on one line:
// a note when it loads, an error when it is missing or does not load. The root is empty
// when the file did not load.
XmlElement LoadReportedXml(HostReport& report, XmlDocument& document, const std::string& hostDirectory,
                           const std::string& relativePath);
