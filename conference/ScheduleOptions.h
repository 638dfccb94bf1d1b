#pragma once
// The voice option, the start (at once, or at a scheduled date and time) and the SMS
// notice of the conference dialog, with the time control they own.
#include <memory>
#include <optional>
#include <string>

#include "conference/ConferenceSettings.h"
#include "conference/Confirm.h"
#include "framework/Window.h"

class TimeControl;

class ScheduleOptions {
public:
    ScheduleOptions();
    ~ScheduleOptions();
    ScheduleOptions(const ScheduleOptions&) = delete;
    ScheduleOptions& operator=(const ScheduleOptions&) = delete;

    // Creates the time control as a shown child of `dialog`, whose controls the options use.
    void CreateTimeControl(HWND dialog);
    // Gone with the dialog's window.
    void DestroyTimeControl();
    // None when the time control could not be made or is gone.
    [[nodiscard]] Window TimeControlWindow() const;

    // The date and time of a stored start (now, for one that names no moment), the
    // current-time label, and start at once.
    void InitStart(const std::string& startText);
    void InitNoticeChoices();
    // The start and the notice the record holds.
    void ApplyRecord(const ConferenceSettings& record);

    void OnVoiceClicked();
    void OnSmsClicked();
    void OnStartNow() { scheduled = false; }
    void OnScheduled() { scheduled = true; }

    [[nodiscard]] bool VoiceOn() const { return voiceOn; }
    [[nodiscard]] bool SmsOn() const { return smsOn; }
    [[nodiscard]] bool Scheduled() const { return scheduled; }
    // The minutes list's selection.
    [[nodiscard]] int NoticeChoice() const;
    // The scheduled start; no digits when the date is not set or there is no time
    // control, or a time field holds no number (reported to the user at once) or a value
    // out of range.
    [[nodiscard]] StartReading ReadStart() const;
    // After a refused start: the focus goes back to the time field that was refused.
    void FocusRefusedTime() const;

private:
    void SetOptionMark(int id, bool on) const;

    Window dialog;
    std::unique_ptr<TimeControl> timeControl;
    bool voiceOn = false;
    bool smsOn = false;
    bool scheduled = false;
};
