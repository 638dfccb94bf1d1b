#pragma once
// The conference request document, written from the dialog's values alone, so that
// it can be built and checked without any window.
#include <string>
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

// The chairman's id: members[chairmanIndex].id when that index is valid, else empty.
[[nodiscard]] std::string ChairmanId(const std::vector<MemberEntry>& members, int chairmanIndex);
