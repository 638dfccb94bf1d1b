#pragma once
// One XML file of the host folder, loaded through the library's XML layer exactly as the
// dialogs load it, with a report line: found or not, its size, loaded or why not.
#include <optional>
#include <string>

#include "checker/HostReport.h"
#include "xml/XmlDocument.h"

// The whole file, or nothing when it cannot be opened or read.
[[nodiscard]] std::optional<std::string> ReadWholeFile(const std::string& path);

// The encoding a file of these bytes is read in, as a report shows it.
[[nodiscard]] std::string DescribeXmlEncoding(const std::string& bytes);

// Loads `hostDirectory\relativePath` into `document` and reports the file on one line:
// a note when it loads, an error when it is missing or does not load, with the reason
// the layer gives. The root is empty when the file did not load.
XmlElement LoadReportedXml(HostReport& report, XmlDocument& document, const std::string& hostDirectory,
                           const std::string& relativePath);
