#pragma once
// The confirmation of the conference dialog, apart from its window: the checks in their
// order, the record writes between them, and the request document at the end.
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "conference/MemberEntry.h"
#include "conference/ConferenceSettings.h"

// What the dialog holds when the user confirms.
struct ConferenceValues {
    bool updateMode = false;
    std::string userId;
    std::string name;          // as typed
    std::string description;   // as typed
    int chairmanIndex = -1;    // into members; -1 for none
    bool voiceOn = false;
    bool scheduled = false;
    // The scheduled start as 14 digits YYYYMMDDhhmmss, or nothing when it is not set.
    // Asked only for a scheduled start once the checks before it have passed: reading the
    // time fields may itself tell the user that a field holds no number.
    std::function<std::optional<std::string>()> readStart;
    bool smsOn = false;
    int noticeChoice = 0;      // the minutes list's selection: 10, 20, 30 minutes
    std::vector<MemberEntry> members;
};

// Why the dialog stays open: the message box to show.
struct Refusal {
    const char* text;
    const char* caption;
};

// Checks `values` and writes them into `record` step by step; a refusal leaves the
// record with what the steps before it wrote. Otherwise the request document.
[[nodiscard]] std::variant<Refusal, std::string> Confirm(const ConferenceValues& values,
                                                        ConferenceSettings& record);
