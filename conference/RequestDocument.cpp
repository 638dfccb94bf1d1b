#include "conference/RequestDocument.h"

#include "framework/Text.h"

namespace {
constexpr char kLineEnd[] = "\r\n";
}

namespace {
// XML 1.0 cannot carry C0 controls other than tab, line feed and carriage return, not
// even as references; they can only arrive by pasting or from files, so they are left
// out.
bool IsForbiddenControl(unsigned char c) { return c < 0x20 && c != '\t' && c != '\n' && c != '\r'; }

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
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
        if (IsLeadByte(byte)) {
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

std::string MemberIdFromUri(const std::string& uri) { return std::string(MemberIdViewFromUri(uri)); }

std::string_view MemberIdViewFromUri(std::string_view uri) {
    const size_t sip = uri.find("sip:");
    const size_t at = uri.find('@');
    const long long p = sip == std::string_view::npos ? -1 : static_cast<long long>(sip);
    const long long a = at == std::string_view::npos ? -1 : static_cast<long long>(at);
    const long long start = p + 4;
    const long long length = a - p - 4;
    const long long size = static_cast<long long>(uri.size());
    if (length < 0 || start >= size) return {};
    return uri.substr(static_cast<size_t>(start), static_cast<size_t>(length < size - start ? length : size - start));
}

std::string StartTextFromDigits(const std::string& d) {
    const auto piece = [&d](size_t from, size_t count) { return from < d.size() ? d.substr(from, count) : std::string(); };
    return text::Format("%s年%s月%s日 %s:%s", piece(0, 4).c_str(), piece(4, 2).c_str(), piece(6, 2).c_str(),
                        piece(8, 2).c_str(), piece(10, 2).c_str());
}

std::string ChairmanId(const std::vector<MemberEntry>& members, int chairmanIndex) {
    if (chairmanIndex < 0 || static_cast<size_t>(chairmanIndex) >= members.size()) return {};
    return members[static_cast<size_t>(chairmanIndex)].id;
}

std::string WriteRequestDocument(const RequestValues& v) {
    std::string doc;
    const auto line = [&doc](const std::string& s) { doc += s + kLineEnd; };
    line(text::Format("<dsml method=\"%s\"  id=\"%s\">", v.updateMode ? "updateconf" : "createconf",
                      EscapeXmlAttribute(v.userId).c_str()));
    if (v.updateMode) line("<confid>" + EscapeXmlText(v.confId) + "</confid>");
    line("<name>" + EscapeXmlText(v.name) + "</name>");
    if (!v.chairmanId.empty()) line("<chairman>" + EscapeXmlText(v.chairmanId) + "</chairman>");
    line("<desc>" + EscapeXmlText(v.description) + "</desc>");
    line(v.voiceOn ? "<audio>1</audio>" : "<audio>0</audio>");
    line("<max>100</max>");
    if (v.startDigits.empty())
        line("<starttime flag=\"0\"></starttime>");
    else
        line("<starttime flag=\"1\">" + EscapeXmlText(v.startDigits) + "</starttime>");
    if (v.smsOn)
        line(text::Format("<msgtime flag=\"1\">%d</msgtime>", v.noticeMinutes));
    else
        line("<msgtime flag=\"0\"></msgtime>");
    line("<userlist>");
    for (const MemberEntry& member : v.members) {
        if (!member.checked) continue;
        line("<user mobile=\"" + EscapeXmlAttribute(member.phone) + "\">" + EscapeXmlText(member.uri) + "</user>");
    }
    line("</userlist>");
    doc += "</dsml>";
    return doc;
}
