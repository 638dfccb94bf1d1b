#pragma once
// The hours:minutes:seconds child dialog of the conference dialog, with a spin
// button that steps the focused field.
#include <ctime>
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
    // The fields read back, as "%02d%02d%02d"; a field that holds no number is reported
    // and keeps its previous value.
    [[nodiscard]] std::string GetTimeText();

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

    static const MessageMap<TimeControl> messageMap;
};
