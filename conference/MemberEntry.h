#pragma once
#include <string>

// One person on the conference dialog's member list.
struct MemberEntry {
    bool checked = false;  // invited: written into the request
    std::string id;      // directory identifier; empty for a person typed by hand
    std::string phone;   // mobile, or PHS when there is no mobile
    std::string uri;     // "sip:..." for directory people; empty for a person typed by hand
    // What the member's row shows besides the id.
    std::string displayName;
    std::string groupName;
};
