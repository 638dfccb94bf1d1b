#include "controls/TimeControl.h"

#include "res/resource.h"
#include "skinmm/SkinMM.h"

namespace {
constexpr int kMaxHours = 23;
constexpr int kMaxMinutes = 59;
constexpr int kMaxSeconds = 59;
}  // namespace

const MessageMap<TimeControl> TimeControl::messageMap = {
    OnMessage(WM_SIZE, &TimeControl::OnSize),
    OnNotify(IDC_TIME_SPIN, UDN_DELTAPOS, &TimeControl::OnSpinDelta),
};

TimeControl::TimeControl() : Dialog(IDD_TIME_CONTROL) {}

bool TimeControl::DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return messageMap.Dispatch(*this, message, wParam, lParam, result);
}

BOOL TimeControl::OnInitDialog() {
    skinmmSetSkin(Handle(), "TimeControl");
    for (int id : {IDC_HOURS, IDC_MINUTES, IDC_SECONDS, IDC_HOUR_MINUTE_COLON, IDC_MINUTE_SECOND_COLON})
        skinmmRemoveCtrl(Item(id).Handle());
    ArrangeControls();
    return TRUE;
}

void TimeControl::SetTime(std::time_t moment) {
    std::tm local{};
    localtime_s(&local, &moment);
    hours = local.tm_hour;
    minutes = local.tm_min;
    seconds = local.tm_sec;
    ExchangeToControls();
}

std::string TimeControl::GetTimeText() {
    ExchangeFromControls();
    return text::Format("%02d%02d%02d", hours, minutes, seconds);
}

void TimeControl::OnSize() {
    Default();
    ArrangeControls();
}

void TimeControl::ArrangeControls() {
    if (!Item(IDC_HOURS).Exists()) return;
    const RECT client = AsWindow().ClientRect();
    const int bottom = client.bottom - 1;
    skinmmSetChildShapeRect(Handle(), "timearea", client.left, client.top, client.right, bottom, 1);
    const int width = (client.right - client.left - 26) / 3;
    Item(IDC_TIME_SPIN).Move(client.right - 18, client.top, 18, bottom - client.top);
    const int y = client.top + 1;
    const int height = bottom - y;
    int x = client.left + 1;
    for (const auto& [id, w] : {std::pair{IDC_HOURS, width}, std::pair{IDC_HOUR_MINUTE_COLON, 4},
                                std::pair{IDC_MINUTES, width}, std::pair{IDC_MINUTE_SECOND_COLON, 4},
                                std::pair{IDC_SECONDS, width}}) {
        Item(id).Move(x, y, w, height);
        x += w;
    }
}

void TimeControl::OnSpinDelta(NMHDR* header, LRESULT* result) {
    ExchangeFromControls();
    const int step = reinterpret_cast<NMUPDOWN*>(header)->iDelta <= 0 ? 1 : -1;
    const HWND focus = ::GetFocus();
    int* target = &hours;
    int maximum = kMaxHours;
    if (focus == Item(IDC_MINUTES).Handle()) {
        target = &minutes;
        maximum = kMaxMinutes;
    } else if (focus == Item(IDC_SECONDS).Handle()) {
        target = &seconds;
        maximum = kMaxSeconds;
    }
    if (*target + step >= 0 && *target + step <= maximum) *target += step;
    ExchangeToControls();
    *result = 0;
}

void TimeControl::ExchangeToControls() {
    Item(IDC_HOURS).SetText(text::Format("%d", hours));
    Item(IDC_MINUTES).SetText(text::Format("%d", minutes));
    Item(IDC_SECONDS).SetText(text::Format("%d", seconds));
}

void TimeControl::ExchangeFromControls() {
    hours = text::ParseInt(Item(IDC_HOURS).GetText());
    minutes = text::ParseInt(Item(IDC_MINUTES).GetText());
    seconds = text::ParseInt(Item(IDC_SECONDS).GetText());
}
