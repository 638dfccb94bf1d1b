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

// The scheduled start as read from the dialog's date and time fields.
struct StartReading {
    std::optional<std::string> digits;  // YYYYMMDDhhmmss; none when the start is not set
    bool timeFieldRefused = false;      // a time field held no number (the user has been told)
};

// What the dialog holds when the user confirms.
struct ConferenceValues {
    bool updateMode = false;
    std::string userId;
    std::string name;          // as typed
    std::string description;   // as typed
    int chairmanIndex = -1;    // into members; -1 for none
    bool voiceOn = false;
    bool scheduled = false;
    // Asked only for a scheduled start once the checks before it have passed: reading the
    // time fields may itself tell the user that a field holds no number.
    std::function<StartReading()> readStart;
    bool smsOn = false;
    int noticeChoice = 0;      // the minutes list's selection: 10, 20, 30 minutes
    std::vector<MemberEntry> members;
};

// The field at fault, which takes the focus once the user has read a refusal.
enum class RefusalFocus { Name, Description, StartDate, RefusedTimeField, MemberList };

// Why the dialog stays open: the message box to show.
struct Refusal {
    const char* text;
    const char* caption;
    RefusalFocus focus;
};

// Checks `values` and writes them into `record` step by step; a refusal leaves the
// record with what the steps before it wrote. Otherwise the request document.
[[nodiscard]] std::variant<Refusal, std::string> Confirm(const ConferenceValues& values,
                                                        ConferenceSettings& record);
