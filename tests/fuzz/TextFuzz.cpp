// The text helpers on any bytes. Beyond not failing: a bounded text is a prefix within
// its bound that ends at a character boundary; a value escaped for the request document
// reads back through the layer's reader as sent; and text in the ANSI code page comes
// back unchanged from UTF-16.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "BoundedCheck.h"
#include "FuzzCheck.h"
#include "conference/XmlEscape.h"
#include "framework/CodePageConversion.h"
#include "framework/Text.h"
#include "xml/XmlReader.h"

namespace {

// Whether no byte would be left out by the escaping: no C0 control but tab and line
// breaks, no lead byte without a trail, and all of it in the code page.
bool KeptWhole(const std::string& value) {
    for (const char c : value)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') return false;
    return codepage::ToUtf16(936, value, true, nullptr, 0) != 0;
}

void CheckEscaping(const std::string& value) {
    const std::string document = "<?xml version=\"1.0\" encoding=\"GBK\"?><v a=\"" + EscapeXmlAttribute(value) + "\">" +
                                 EscapeXmlText(value) + "</v>";
    const XmlReading reading = ReadXml(document);
    // Bytes outside GBK are the platform's to judge; anything else must be well-formed.
    FUZZ_CHECK(reading.outcome != XmlReading::Outcome::Refused);
    if (reading.outcome != XmlReading::Outcome::Parsed || !KeptWhole(value)) return;
    const XmlTree& tree = *reading.tree;
    const XmlTree::Attribute* attribute = tree.FindAttribute(0, "a");
    FUZZ_CHECK(attribute != nullptr && tree.Value(*attribute) == value);
    // Line breaks in content arrive normalised.
    std::string normalised;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r') {
            normalised += '\n';
            if (i + 1 < value.size() && value[i + 1] == '\n') ++i;
        } else {
            normalised += value[i];
        }
    }
    FUZZ_CHECK(tree.Text(0) == normalised);
}

void CheckConversion(const std::string& value) {
    const std::size_t units = codepage::ToUtf16(codepage::kAnsi, value, true, nullptr, 0);
    if (units == 0) return;
    std::wstring wide(units, L'\0');
    FUZZ_CHECK(codepage::ToUtf16(codepage::kAnsi, value, true, wide.data(), wide.size()) == units);
    std::string back(codepage::FromUtf16(codepage::kAnsi, wide, nullptr, 0), '\0');
    back.resize(codepage::FromUtf16(codepage::kAnsi, wide, back.data(), back.size()));
    FUZZ_CHECK(back == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte is the bound; the rest is the text.
    const std::size_t bound = data[0];
    const std::string value(reinterpret_cast<const char*>(data) + 1, size - 1);
    CheckBounded(value, text::BoundedText(value.c_str(), bound), bound);
    CheckEscaping(value);
    CheckConversion(value);
    return 0;
}
