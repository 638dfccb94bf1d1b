#include "conference/XmlEscape.h"

#include "framework/Text.h"

namespace {
// XML 1.0 cannot carry C0 controls other than tab, line feed and carriage return, not
// even as references; they can only arrive by pasting or from files, so they are left
// out.
bool IsForbiddenControl(unsigned char c) { return c < 0x20 && c != '\t' && c != '\n' && c != '\r'; }

bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

std::string Escape(const std::string& value, bool attribute) {
    std::string kept;
    kept.reserve(value.size());
    for (char c : value)
        if (!IsForbiddenControl(static_cast<unsigned char>(c))) kept += c;

    std::string escaped;
    escaped.reserve(kept.size());
    for (size_t i = 0; i < kept.size(); ++i) {
        const char c = kept[i];
        const unsigned char byte = static_cast<unsigned char>(c);
        if (text::IsLeadByte(byte)) {
            // A double-byte character is copied whole; its trail byte is never markup.
            // A lead byte without a trail would make a reader swallow the quote or the
            // angle bracket after it, so it is left out; other bytes that are not GBK pass.
            if (i + 1 < kept.size() && IsTrailByte(static_cast<unsigned char>(kept[i + 1]))) {
                escaped += c;
                escaped += kept[++i];
            }
            continue;
        }
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        // A reader normalises a literal tab or line break in an attribute to a blank.
        case '\t': escaped += attribute ? "&#9;" : "\t"; break;
        case '\n': escaped += attribute ? "&#10;" : "\n"; break;
        case '\r': escaped += attribute ? "&#13;" : "\r"; break;
        default: escaped += c;
        }
    }
    return escaped;
}
}  // namespace

std::string EscapeXmlText(const std::string& value) { return Escape(value, false); }

std::string EscapeXmlAttribute(const std::string& value) { return Escape(value, true); }
