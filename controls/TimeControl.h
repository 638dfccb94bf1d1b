#pragma once
// The hours:minutes:seconds child dialog of the conference dialog, with a spin
// button that steps the focused field.
#include <ctime>
#include <optional>
#include <string>

#include "controls/DigitEdit.h"
#include "framework/Dialog.h"

class TimeControl : public Dialog {
public:
    TimeControl();
    // Whoever created the control deletes it, once; destroying only its window leaves
    // the object to that owner.
    ~TimeControl() override;

    // Hours, minutes and seconds of `moment` in local time, written to the fields.
    void SetTime(std::time_t moment);
    // The fields read back, as "%02d%02d%02d". Nothing when a field holds no number (it
    // has been reported and has the focus) or a value lies outside its range; the
    // fields then keep their previous values.
    [[nodiscard]] std::optional<std::string> GetTimeText();
    // Gives the focus to the field that made the last `GetTimeText` fail, if any.
    void FocusFailedField() const;

protected:
    void DoDataExchange(DataExchange& exchange) override;
    void OnValueNotInteger() override;
    BOOL OnInitDialog() override;
    // Enter and Esc never close the time control by themselves.
    void OnOK() override {}
    void OnCancel() override {}
    bool DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnSize();
    void OnHoursChange() { hoursEdit.OnTextChanged(); }
    void OnMinutesChange() { minutesEdit.OnTextChanged(); }
    void OnSecondsChange() { secondsEdit.OnTextChanged(); }
    LRESULT OnSpinDelta(const NMUPDOWN& change);
    void ArrangeControls();

    Window minuteSecondColon;
    Window hourMinuteColon;
    DigitEdit secondsEdit;
    DigitEdit minutesEdit;
    DigitEdit hoursEdit;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    HWND failedField = nullptr;

    static const MessageMap<TimeControl> messageMap;
};
