#pragma once
// The conference record the dialog works on: the host's ConferenceRecord with owned
// texts. The dialog takes the host's record over into it and writes the confirmed
// settings back into it.
#include <string>
#include <vector>

struct ConferenceSettings {
    std::string name;
    std::string description;
    std::string confId;
    std::string userId;
    std::string chairman;
    std::string startText;
    std::string memberCount;
    std::vector<std::string> memberIds;
    std::string spare1;
    std::string spare2;
    int noticeMinutes = 0;
};

// Takes `given` (may be null) over into `own`, all but its spare fields, which are left
// empty (null: left as they were); true for update mode (a non-empty confId).
[[nodiscard]] bool TakeOverRecord(ConferenceSettings& own, const ConferenceSettings* given);
