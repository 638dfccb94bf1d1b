#include "controls/TimeControl.h"

#include <tuple>

#include "controls/ControlTexts.h"
#include "controls/FieldRules.h"
#include "framework/DataExchange.h"
#include "framework/Module.h"
#include "res/resource.h"
#include "skinmm/SkinMM.h"

namespace {
// A time of day: a start such as 24:60:60 is one no server can read.
constexpr int kMaxHours = 23;
constexpr int kMaxMinutes = 59;
constexpr int kMaxSeconds = 59;
}  // namespace

const MessageMap<TimeControl> TimeControl::messageMap = {
    OnMessage(WM_SIZE, &TimeControl::OnSize),
    OnCommand(IDC_HOURS, EN_CHANGE, &TimeControl::OnHoursChange),
    OnCommand(IDC_MINUTES, EN_CHANGE, &TimeControl::OnMinutesChange),
    OnCommand(IDC_SECONDS, EN_CHANGE, &TimeControl::OnSecondsChange),
    OnNotify(IDC_TIME_SPIN, UDN_DELTAPOS, &TimeControl::OnSpinDelta),
};

TimeControl::TimeControl() : Dialog(IDD_TIME_CONTROL) {}

TimeControl::~TimeControl() = default;

bool TimeControl::DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return messageMap.Dispatch(*this, message, wParam, lParam, result);
}

void TimeControl::DoDataExchange(DataExchange& exchange) {
    exchange.Control(IDC_MINUTE_SECOND_COLON, minuteSecondColon);
    exchange.Control(IDC_HOUR_MINUTE_COLON, hourMinuteColon);
    exchange.Control(IDC_SECONDS, secondsEdit);
    exchange.Control(IDC_MINUTES, minutesEdit);
    exchange.Control(IDC_HOURS, hoursEdit);
    exchange.Integer(IDC_HOURS, hours);
    exchange.Integer(IDC_MINUTES, minutes);
    exchange.Integer(IDC_SECONDS, seconds);
}

void TimeControl::OnValueNotInteger() {
    ShowMessageBox(::GetAncestor(Handle(), GA_ROOT), texts::kIntegerRequired, texts::kCaptionNotice,
                   MB_OK | MB_ICONEXCLAMATION);
}

BOOL TimeControl::OnInitDialog() {
    Dialog::OnInitDialog();
    skinmmSetSkin(Handle(), "TimeControl");
    // The skin leaves the fields and colons in their standard look.
    for (HWND control : {hoursEdit.Handle(), minutesEdit.Handle(), secondsEdit.Handle(), hourMinuteColon.Handle(),
                         minuteSecondColon.Handle()})
        skinmmRemoveCtrl(control);
    ArrangeControls();
    hoursEdit.SetRange(0, kMaxHours);
    minutesEdit.SetRange(0, kMaxMinutes);
    secondsEdit.SetRange(0, kMaxSeconds);
    return TRUE;
}

void TimeControl::SetTime(std::time_t moment) {
    std::tm local{};
    if (localtime_s(&local, &moment) != 0) return;
    hours = local.tm_hour;
    minutes = local.tm_min;
    seconds = local.tm_sec;
    UpdateData(false);
}

std::optional<std::string> TimeControl::GetTimeText() {
    failedField = nullptr;
    const int keptHours = hours;
    const int keptMinutes = minutes;
    const int keptSeconds = seconds;
    if (Handle() != nullptr && !UpdateData(true)) {
        failedField = ::GetFocus();  // the data exchange moved it to the failed field
    } else {
        for (const auto& [value, highest, edit] :
             {std::tuple{hours, kMaxHours, hoursEdit.Handle()}, std::tuple{minutes, kMaxMinutes, minutesEdit.Handle()},
              std::tuple{seconds, kMaxSeconds, secondsEdit.Handle()}}) {
            if (value < 0 || value > highest) {
                failedField = edit;
                break;
            }
        }
    }
    if (failedField != nullptr) {
        hours = keptHours;
        minutes = keptMinutes;
        seconds = keptSeconds;
        return std::nullopt;
    }
    return text::Format("%02d%02d%02d", hours, minutes, seconds);
}

void TimeControl::FocusFailedField() const {
    if (failedField != nullptr && ::IsWindow(failedField)) ::SetFocus(failedField);
}

void TimeControl::OnSize() {
    Default();
    ArrangeControls();
}

void TimeControl::ArrangeControls() {
    if (hoursEdit.Handle() == nullptr) return;
    const RECT client = AsWindow().ClientRect();
    const int bottom = client.bottom - 1;
    skinmmSetChildShapeRect(Handle(), "timearea", client.left, client.top, client.right, bottom, 1);
    const int width = (client.right - client.left - 26) / 3;
    Item(IDC_TIME_SPIN).Move(client.right - 18, client.top, 18, bottom - client.top);
    const int y = client.top + 1;
    const int height = bottom - y;
    int x = client.left + 1;
    for (const auto& [control, w] :
         {std::pair{hoursEdit.Handle(), width}, std::pair{hourMinuteColon.Handle(), 4},
          std::pair{minutesEdit.Handle(), width}, std::pair{minuteSecondColon.Handle(), 4},
          std::pair{secondsEdit.Handle(), width}}) {
        Window(control).Move(x, y, w, height);
        x += w;
    }
}

// Steps the focused field (the hours when no field has the focus) within its range.
LRESULT TimeControl::OnSpinDelta(const NMUPDOWN& change) {
    UpdateData(true);  // a failed field has been reported and now has the focus
    const HWND focus = ::GetFocus();
    int* target = &hours;
    const DigitEdit* edit = &hoursEdit;
    if (focus == minutesEdit.Handle()) {
        target = &minutes;
        edit = &minutesEdit;
    } else if (focus == secondsEdit.Handle()) {
        target = &seconds;
        edit = &secondsEdit;
    }
    int lowest = 0;
    int highest = 0;
    edit->GetRange(lowest, highest);
    *target = SpinStep(*target, change.iDelta, lowest, highest);
    UpdateData(false);
    return 0;
}
