#pragma once
// The conference request document, written from the dialog's values alone, so that
// it can be built and checked without any window.
#include <string>
#include <string_view>
#include <vector>

#include "conference/MemberEntry.h"

struct RequestValues {
    bool updateMode = false;
    std::string userId;
    std::string confId;        // written only in update mode
    std::string name;          // as typed, blanks included
    std::string chairmanId;    // empty: no chairman line
    std::string description;
    bool voiceOn = false;
    std::string startDigits;   // empty: start at once; else 14 digits YYYYMMDDhhmmss
    bool smsOn = false;
    int noticeMinutes = 0;
    std::vector<MemberEntry> members;  // the checked ones are written, in order
};

// The document: lines end with CR LF, the last one (</dsml>) has none.
[[nodiscard]] std::string WriteRequestDocument(const RequestValues& values);

// Values as element content and as attribute values, so that any value keeps the
// document well-formed: & < > " escaped; the C0 controls XML cannot carry and a lead
// byte (of the process code page) without its trail byte left out; other bytes unchanged. In attributes
// tab and line breaks become references, so that they arrive as sent.
[[nodiscard]] std::string EscapeXmlText(const std::string& value);
[[nodiscard]] std::string EscapeXmlAttribute(const std::string& value);

// The user part of a member's URI, by bytes: from after the first "sip:" up to the
// first at sign.
[[nodiscard]] std::string MemberIdFromUri(const std::string& uri);
// The same, as a view into `uri`.
[[nodiscard]] std::string_view MemberIdViewFromUri(std::string_view uri);

// "%s年%s月%s日 %s:%s" of the year, month, day, hour and minute digits of a 14-digit start.
[[nodiscard]] std::string StartTextFromDigits(const std::string& startDigits);

// The chairman's id: members[chairmanIndex].id when that index is valid, else empty.
[[nodiscard]] std::string ChairmanId(const std::vector<MemberEntry>& members, int chairmanIndex);
