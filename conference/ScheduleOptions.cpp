#include "conference/ScheduleOptions.h"

#include "conference/ConferenceTexts.h"
#include "conference/StartTime.h"
#include "controls/TimeControl.h"
#include "framework/DateTimePicker.h"
#include "res/resource.h"
#include "text/MessageIds.h"
#include "text/MessageTable.h"

ScheduleOptions::ScheduleOptions() = default;

ScheduleOptions::~ScheduleOptions() = default;

void ScheduleOptions::CreateTimeControl(HWND owner) {
    dialog = Window(owner);
    // Radio-styled but toggled by their own handlers: a button of that style clicks
    // itself when it gets the focus by keyboard or reactivation, which would flip voice
    // or SMS behind the user's back.
    for (int id : {IDC_VOICE, IDC_SMS}) dialog.Item(id).Send(BM_SETDONTCLICK, TRUE, 0);
    timeControl = std::make_unique<TimeControl>();
    if (!timeControl->CreateChild(owner)) {
        timeControl.reset();
        return;
    }
    // Made after the template's controls; Tab reaches it right after the date it belongs to.
    ::SetWindowPos(timeControl->Handle(), dialog.Item(IDC_START_DATE).Handle(), 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    timeControl->AsWindow().Show(true);
}

// BM_SETCHECK takes WS_TABSTOP off an unchecked radio-styled button, as it would for a
// radio group; these two options stand alone and stay Tab stops whatever their mark.
void ScheduleOptions::SetOptionMark(int id, bool on) const {
    const Button option = dialog.Item<Button>(id);
    option.SetCheck(on ? BST_CHECKED : BST_UNCHECKED);
    option.SetStyle(option.Style() | WS_TABSTOP);
}

void ScheduleOptions::DestroyTimeControl() { timeControl.reset(); }

Window ScheduleOptions::TimeControlWindow() const { return timeControl ? timeControl->AsWindow() : Window(); }

void ScheduleOptions::InitStart(const std::string& startText) {
    std::time_t start = std::time(nullptr);
    std::tm stored{};
    if (!startText.empty() && startText != texts::kStartAtOnce && ParseStartText(startText, stored)) {
        // A year the platform's calendar cannot hold (before 1970, after 3000) has no moment.
        const std::time_t moment = StartMoment(stored);
        if (moment != static_cast<std::time_t>(-1)) start = moment;
    }

    std::tm local{};
    localtime_s(&local, &start);
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(local.tm_year + 1900);
    date.wMonth = static_cast<WORD>(local.tm_mon + 1);
    date.wDay = static_cast<WORD>(local.tm_mday);
    date.wDayOfWeek = static_cast<WORD>(local.tm_wday);
    date.wHour = static_cast<WORD>(local.tm_hour);
    date.wMinute = static_cast<WORD>(local.tm_min);
    date.wSecond = static_cast<WORD>(local.tm_sec);
    dialog.Item<DateTimePicker>(IDC_START_DATE).SetSystemTime(date);
    if (timeControl) timeControl->SetTime(start);

    char shown[64] = {};
    std::strftime(shown, sizeof shown, " :%Y-%m-%d %H:%M:%S", &local);
    dialog.Item(IDC_CURRENT_TIME).SetText(GetMessageText(messages::kCurrentTimeLabel) + shown);
    dialog.Item<Button>(IDC_START_NOW).SetCheck(BST_CHECKED);
}

void ScheduleOptions::InitNoticeChoices() {
    const auto minutes = dialog.Item<ComboBox>(IDC_NOTICE_MINUTES);
    for (const char* choice : texts::kNoticeMinuteChoices) minutes.AddString(choice);
    minutes.SetCurSel(0);
}

void ScheduleOptions::ApplyRecord(const ConferenceSettings& record) {
    const bool atOnce = record.startText == texts::kStartAtOnce;
    dialog.Item<Button>(IDC_START_NOW).SetCheck(atOnce ? BST_CHECKED : BST_UNCHECKED);
    dialog.Item<Button>(IDC_START_SCHEDULED).SetCheck(atOnce ? BST_UNCHECKED : BST_CHECKED);
    scheduled = !atOnce;

    const auto minutes = dialog.Item<ComboBox>(IDC_NOTICE_MINUTES);
    const int n = record.noticeMinutes;
    if (n == 10 || n == 20 || n == 30) {
        minutes.SetCurSel(n / 10 - 1);
        smsOn = true;
    } else {
        minutes.SetCurSel(0);
    }
    SetOptionMark(IDC_SMS, smsOn);
}

void ScheduleOptions::OnVoiceClicked() {
    voiceOn = !voiceOn;
    SetOptionMark(IDC_VOICE, voiceOn);
}

void ScheduleOptions::OnSmsClicked() {
    smsOn = !smsOn;
    SetOptionMark(IDC_SMS, smsOn);
}

int ScheduleOptions::NoticeChoice() const { return dialog.Item<ComboBox>(IDC_NOTICE_MINUTES).GetCurSel(); }

StartReading ScheduleOptions::ReadStart() const {
    SYSTEMTIME date{};
    if (!dialog.Item<DateTimePicker>(IDC_START_DATE).GetSystemTime(date) || !timeControl) return {};
    const std::optional<std::string> time = timeControl->GetTimeText();
    if (!time) return StartReading{std::nullopt, true};
    return StartReading{text::Format("%04d%02d%02d", date.wYear, date.wMonth, date.wDay) + *time, false};
}

void ScheduleOptions::FocusRefusedTime() const {
    if (timeControl) timeControl->FocusFailedField();
}
