#include "conference/RequestDocument.h"

#include "framework/Text.h"

namespace {
constexpr char kLineEnd[] = "\r\n";
}

std::string EscapeXml(const std::string& value) {
    std::string escaped;
    escaped.reserve(value.size());
    for (char c : value) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string MemberIdFromUri(const std::string& uri) {
    const size_t sip = uri.find("sip:");
    const size_t at = uri.find('@');
    const long long p = sip == std::string::npos ? -1 : static_cast<long long>(sip);
    const long long a = at == std::string::npos ? -1 : static_cast<long long>(at);
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
                      EscapeXml(v.userId).c_str()));
    if (v.updateMode) line("<confid>" + EscapeXml(v.confId) + "</confid>");
    line("<name>" + EscapeXml(v.name) + "</name>");
    if (!v.chairmanId.empty()) line("<chairman>" + EscapeXml(v.chairmanId) + "</chairman>");
    line("<desc>" + EscapeXml(v.description) + "</desc>");
    line(v.voiceOn ? "<audio>1</audio>" : "<audio>0</audio>");
    line("<max>100</max>");
    if (v.startDigits.empty())
        line("<starttime flag=\"0\"></starttime>");
    else
        line("<starttime flag=\"1\">" + EscapeXml(v.startDigits) + "</starttime>");
    if (v.smsOn)
        line(text::Format("<msgtime flag=\"1\">%d</msgtime>", v.noticeMinutes));
    else
        line("<msgtime flag=\"0\"></msgtime>");
    line("<userlist>");
    for (const MemberEntry& member : v.members) {
        if (member.checked == 0) continue;
        line("<user mobile=\"" + EscapeXml(member.phone) + "\">" + EscapeXml(member.uri) + "</user>");
    }
    line("</userlist>");
    doc += "</dsml>";
    return doc;
}
