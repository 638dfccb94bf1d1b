#include "conference/RequestDocument.h"

#include "conference/XmlEscape.h"
#include "framework/Text.h"

namespace {
constexpr char kLineEnd[] = "\r\n";
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
