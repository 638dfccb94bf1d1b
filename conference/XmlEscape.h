#pragma once
// Texts written into the request document.
#include <string>

// Values as element content and as attribute values, so that any value keeps the
// document well-formed: & < > " escaped; the C0 controls XML cannot carry and a lead
// byte (of the process code page) without its trail byte left out; other bytes unchanged.
// In attributes tab and line breaks become references, so that they arrive as sent.
[[nodiscard]] std::string EscapeXmlText(const std::string& value);
[[nodiscard]] std::string EscapeXmlAttribute(const std::string& value);
