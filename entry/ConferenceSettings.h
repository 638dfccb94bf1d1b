#pragma once
// The library's own conference record: the host's ConferenceRecord with owned texts.
// One process-wide instance; the dialog takes the host's record over into it and
// writes the confirmed settings back into it.
#include <string>
#include <vector>

#include "Quorvel.h"

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

    // A copy of a host's record; a null text is the empty text.
    static ConferenceSettings FromHost(const ConferenceRecord& record);
};

// The process-wide record, constructed empty at load.
ConferenceSettings& GetConferenceSettings();

// The process-wide record as the host reads it: every text non-null, valid until the
// next call of this function or unload.
ConferenceRecord* PublishConferenceRecord();

// Takes `given` (may be null) over into `own`, in the order the record's fields are
// cleared and copied; returns 1 for update mode (a non-empty confId), else 0.
int TakeOverRecord(ConferenceSettings& own, const ConferenceSettings* given);
