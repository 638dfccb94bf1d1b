// The start, voice and notice options and the time control inside the conference
// dialog, through the real export: what the dialog opens with, typing into the digit
// edits, the spin button, and what confirming stores in the record.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <string>
#include <vector>

#include "conference/ConferenceTexts.h"
#include "controls/ControlTexts.h"
#include "framework/Text.h"
#include "host/Screenshot.h"
#include "res/resource.h"
#include "support/DialogDriver.h"

using namespace e2e;

namespace {

HostRecord Stored(const char* startText, int noticeMinutes) {
    return MakeRecord("周例会", "", "", {}, noticeMinutes, startText);
}

HWND Field(HWND dialog, int id) { return ::GetDlgItem(TimeControlOf(dialog), id); }
std::string Shown(HWND dialog, int id) { return GetText(TimeControlOf(dialog), id); }

// A real click on one arrow of the spin button. The mouse-leave stops the up-down
// control's hover tracking, which otherwise may send one more step later.
void ClickSpin(HWND dialog, bool up) {
    const HWND spin = Field(dialog, IDC_TIME_SPIN);
    RECT client{};
    ::GetClientRect(spin, &client);
    const LPARAM at = MAKELPARAM(client.right / 2, up ? client.bottom / 4 : client.bottom * 3 / 4);
    ::PostMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(spin, WM_LBUTTONUP, 0, at);
    ::PostMessageA(spin, WM_MOUSELEAVE, 0, 0);
}

SYSTEMTIME PickerDate(HWND dialog) {
    SYSTEMTIME date{};
    ::SendDlgItemMessageA(dialog, IDC_START_DATE, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
    return date;
}

int Selected(HWND dialog) { return static_cast<int>(::SendDlgItemMessageA(dialog, IDC_NOTICE_MINUTES, CB_GETCURSEL, 0, 0)); }

std::string Item(HWND dialog, int index) {
    char buffer[64] = {};
    ::SendDlgItemMessageA(dialog, IDC_NOTICE_MINUTES, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

// A message box over the conference dialog itself, answered with OK.
void ExpectBoxOwnedByDialog(DialogDriver& driver, const std::string& text) {
    driver.Then([text] {
        const MessageBoxInfo box = FindMessageBox();
        if (box.box == nullptr) return false;
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, texts::kCaptionNotice);
        EXPECT_EQ(box.owner, FindConferenceDialog());
        Click(box.box, IDOK);
        return true;
    });
}

// The switches `on` checked and `off` not, then the conference named and confirmed.
void ExpectSwitchesAndConfirm(HWND dialog, std::initializer_list<int> on, std::initializer_list<int> off) {
    for (int id : on) EXPECT_TRUE(IsChecked(dialog, id)) << id;
    for (int id : off) EXPECT_FALSE(IsChecked(dialog, id)) << id;
    SetText(dialog, IDC_CONF_NAME, "周例会");
    Click(dialog, IDOK);
}

// Expects the member check's refusal, which comes after the start and the notice are
// stored, cancels the dialog, and gives the record the call returned.
const ConferenceRecord* RunToTheMemberCheck(DialogDriver& driver, const ConferenceRecord* given) {
    driver.ExpectMessageBox(texts::kNoMembers, texts::kCaptionNotice);
    driver.OnConference([](HWND dialog) { Click(dialog, IDCANCEL); });
    return driver.Run(given, "1001");
}

// The buttons that were told not to click themselves on focus, by control id. Wine's
// buttons never do, so the message itself is what can be seen here.
std::vector<int> dontClickIds;

LRESULT CALLBACK RecordDontClick(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == BM_SETDONTCLICK && sent->wParam != 0)
        dontClickIds.push_back(::GetDlgCtrlID(sent->hwnd));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST(ScheduleOptionsOpening, ANewConferenceIsScheduledForNow) {
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        Click(dialog, IDCANCEL);  // posted: it runs after these checks, even a failed one
        EXPECT_FALSE(IsChecked(dialog, IDC_START_NOW));
        EXPECT_TRUE(IsChecked(dialog, IDC_START_SCHEDULED));
        EXPECT_FALSE(IsChecked(dialog, IDC_VOICE));
        EXPECT_FALSE(IsChecked(dialog, IDC_SMS));
        EXPECT_EQ(Selected(dialog), 0);
        ASSERT_EQ(::SendDlgItemMessageA(dialog, IDC_NOTICE_MINUTES, CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(Item(dialog, 0), "10分钟");
        EXPECT_EQ(Item(dialog, 1), "20分钟");
        EXPECT_EQ(Item(dialog, 2), "30分钟");

        // Label, date picker and time control all show one moment: the opening.
        const std::string label = GetText(dialog, IDC_CURRENT_TIME);
        const size_t colon = label.rfind(" :");
        ASSERT_NE(colon, std::string::npos) << label;
        EXPECT_GT(colon, 0u) << label;  // after the text of message 10409
        int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
        ASSERT_EQ(std::sscanf(label.c_str() + colon, " :%d-%d-%d %d:%d:%d", &year, &month, &day, &hour, &minute,
                              &second),
                  6)
            << label;
        const SYSTEMTIME date = PickerDate(dialog);
        EXPECT_EQ(date.wYear, year);
        EXPECT_EQ(date.wMonth, month);
        EXPECT_EQ(date.wDay, day);
        EXPECT_EQ(Shown(dialog, IDC_HOURS), std::to_string(hour));
        EXPECT_EQ(Shown(dialog, IDC_MINUTES), std::to_string(minute));
        EXPECT_EQ(Shown(dialog, IDC_SECONDS), std::to_string(second));
        std::tm opened{};
        opened.tm_year = year - 1900;
        opened.tm_mon = month - 1;
        opened.tm_mday = day;
        opened.tm_hour = hour;
        opened.tm_min = minute;
        opened.tm_sec = second;
        opened.tm_isdst = -1;
        const double age = std::difftime(std::time(nullptr), std::mktime(&opened));
        EXPECT_GE(age, 0);
        EXPECT_LT(age, 10);
    });
    driver.Run(nullptr, "1001");
}

TEST(ScheduleOptionsOpening, AStoredStartAndNoticeAreShown) {
    HostRecord given = Stored("2008年05月20日 14:30", 20);
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        EXPECT_TRUE(IsChecked(dialog, IDC_START_SCHEDULED));
        EXPECT_FALSE(IsChecked(dialog, IDC_START_NOW));
        const SYSTEMTIME date = PickerDate(dialog);
        EXPECT_EQ(date.wYear, 2008);
        EXPECT_EQ(date.wMonth, 5);
        EXPECT_EQ(date.wDay, 20);
        EXPECT_EQ(Shown(dialog, IDC_HOURS), "14");
        EXPECT_EQ(Shown(dialog, IDC_MINUTES), "30");
        EXPECT_EQ(Shown(dialog, IDC_SECONDS), "0");
        // Message 10409, whatever the language file makes it, then the stored start.
        const std::string label = GetText(dialog, IDC_CURRENT_TIME);
        const std::string start = " :2008-05-20 14:30:00";
        EXPECT_GT(label.size(), start.size()) << label;
        EXPECT_EQ(label.substr(label.size() < start.size() ? 0 : label.size() - start.size()), start) << label;
        EXPECT_EQ(Selected(dialog), 1);
        EXPECT_TRUE(IsChecked(dialog, IDC_SMS));
        Click(dialog, IDOK);  // untouched: the same start and notice come back
    });
    const ConferenceRecord* record = RunToTheMemberCheck(driver, &given.record);
    EXPECT_STREQ(record->startText, "2008年05月20日 14:30");
    EXPECT_EQ(record->noticeMinutes, 20);
}

TEST(ScheduleOptionsOpening, StartAtOnceAndAnOddNoticeValue) {
    HostRecord given = Stored(texts::kStartAtOnce, 15);
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        EXPECT_TRUE(IsChecked(dialog, IDC_START_NOW));
        EXPECT_FALSE(IsChecked(dialog, IDC_START_SCHEDULED));
        EXPECT_EQ(Selected(dialog), 0);
        EXPECT_FALSE(IsChecked(dialog, IDC_SMS));
        SetPickerDate(dialog, 2009, 1, 2);  // ignored while starting at once
        Click(dialog, IDOK);
    });
    const ConferenceRecord* record = RunToTheMemberCheck(driver, &given.record);
    EXPECT_STREQ(record->startText, texts::kStartAtOnce);
    EXPECT_EQ(record->noticeMinutes, 0);
}

TEST(ScheduleOptionsOpening, AStoredStartOutOfRangeOpensAtTheCurrentTime) {
    for (const char* startText : {"2008年13月20日 14:30", "2008年02月30日 10:00", "2008年05月20日 25:00",
                                  "2008年05月20日 14:60", "1960年05月20日 14:30", "下周一上午"}) {
        HostRecord given = Stored(startText, 0);
        std::tm now{};
        const std::time_t moment = std::time(nullptr);
        localtime_s(&now, &moment);
        DialogDriver driver;
        driver.OnConference([&](HWND dialog) {
            const SYSTEMTIME date = PickerDate(dialog);
            EXPECT_EQ(date.wYear, now.tm_year + 1900) << startText;
            EXPECT_EQ(date.wMonth, now.tm_mon + 1) << startText;
            EXPECT_EQ(GetText(dialog, IDC_CURRENT_TIME).find("2008-"), std::string::npos) << startText;
            EXPECT_TRUE(IsChecked(dialog, IDC_START_SCHEDULED)) << startText;  // still a scheduled start
            Click(dialog, IDCANCEL);
        });
        driver.Run(&given.record, "1001");
    }
}

TEST(ScheduleOptionsTyping, DigitEditsRefuseKeystrokesOutsideATimeOfDay) {
    HostRecord given = Stored("2008年05月20日 14:30", 20);
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        Retype(dialog, IDC_HOURS, "249");   // 24 refused, then 29 refused: 2
        Retype(dialog, IDC_MINUTES, "75");  // 75 refused: 7
        Retype(dialog, IDC_SECONDS, "60");  // 60 refused: 6
    });
    driver.OnConference([](HWND dialog) {
        EXPECT_EQ(Shown(dialog, IDC_HOURS), "2");
        EXPECT_EQ(Shown(dialog, IDC_MINUTES), "7");
        EXPECT_EQ(Shown(dialog, IDC_SECONDS), "6");
        Retype(dialog, IDC_HOURS, "09");
        Retype(dialog, IDC_SECONDS, "45");
    });
    driver.OnConference([](HWND dialog) {
        EXPECT_EQ(Shown(dialog, IDC_HOURS), "09");
        EXPECT_EQ(Shown(dialog, IDC_SECONDS), "45");
        Click(dialog, IDC_SMS);  // the notice off
        Click(dialog, IDOK);
    });
    const ConferenceRecord* record = RunToTheMemberCheck(driver, &given.record);
    EXPECT_STREQ(record->startText, "2008年05月20日 09:07");
    EXPECT_EQ(record->noticeMinutes, 0);
}

// Puts `text` on the clipboard, selects the whole field and pastes it.
void PasteInto(HWND field, const char* text, bool byShiftInsert) {
    ASSERT_TRUE(::OpenClipboard(field));
    ::EmptyClipboard();
    const size_t size = std::strlen(text) + 1;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(memory), text, size);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_TEXT, memory);
    ::CloseClipboard();
    ::SendMessageA(field, EM_SETSEL, 0, -1);
    if (!byShiftInsert) {
        ::SendMessageA(field, WM_PASTE, 0, 0);
        return;
    }
    // The edit pastes on its own here, without a WM_PASTE to itself.
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    const BYTE shift = keys[VK_SHIFT];
    keys[VK_SHIFT] = 0x80;
    ::SetKeyboardState(keys);
    ::SendMessageA(field, WM_KEYDOWN, VK_INSERT, 1);
    keys[VK_SHIFT] = shift;
    ::SetKeyboardState(keys);
}

TEST(ScheduleOptionsTyping, PastedTimesOutsideTheRangeAreTakenBackAndAnEmptyFieldStopsTheRequest) {
    HostRecord given = Stored("2008年05月20日 14:30", 20);
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        text::SetWindowText(Field(dialog, IDC_HOURS), "999");
        PasteInto(Field(dialog, IDC_MINUTES), "75", false);
        PasteInto(Field(dialog, IDC_SECONDS), "60", true);
        EXPECT_EQ(Shown(dialog, IDC_HOURS), "14");
        EXPECT_EQ(Shown(dialog, IDC_MINUTES), "30");
        EXPECT_EQ(Shown(dialog, IDC_SECONDS), "0");
        PasteInto(Field(dialog, IDC_SECONDS), "5", true);
        EXPECT_EQ(Shown(dialog, IDC_SECONDS), "5");  // a paste in range stands
        text::SetWindowText(Field(dialog, IDC_MINUTES), "");
        SetText(dialog, IDC_CONF_DESCRIPTION, "说明");
        ::SetFocus(::GetDlgItem(dialog, IDC_CONF_NAME));
        Click(dialog, IDOK);
    });
    driver.ExpectMessageBox(texts::kIntegerRequired, texts::kCaptionNotice);
    driver.ExpectMessageBox(texts::kTimeNotSet, texts::kCaptionNotice);
    driver.OnConference([](HWND dialog) {
        EXPECT_EQ(::GetFocus(), Field(dialog, IDC_MINUTES));
        Click(dialog, IDCANCEL);
    });
    const ConferenceRecord* record = driver.Run(&given.record, "1001");
    EXPECT_EQ(driver.MessageCodes(), std::vector<WPARAM>({2}));  // no request, only the cancel
    EXPECT_STREQ(record->startText, "2008年05月20日 14:30");
    EXPECT_STREQ(record->description, "说明");
    EXPECT_STREQ(record->memberCount, "100");
}

TEST(ScheduleOptionsSpin, ArrowsStepTheFocusedFieldAndStopAtItsEnds) {
    HostRecord given = Stored("2008年05月20日 23:58", 0);
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        ::SetFocus(Field(dialog, IDC_MINUTES));
        ClickSpin(dialog, true);
    });
    driver.Wait(350);
    driver.OnConference([](HWND dialog) {
        EXPECT_EQ(Shown(dialog, IDC_MINUTES), "59");
        ClickSpin(dialog, true);  // no wrap to 0
    });
    driver.Wait(350);
    driver.OnConference([](HWND dialog) {
        EXPECT_EQ(Shown(dialog, IDC_MINUTES), "59");
        EXPECT_EQ(Shown(dialog, IDC_HOURS), "23");
        Retype(dialog, IDC_SECONDS, "007");
        ::SetFocus(Field(dialog, IDC_HOURS));
        ClickSpin(dialog, true);  // 23 is the last hour
    });
    driver.Wait(350);
    driver.OnConference([](HWND dialog) {
        EXPECT_EQ(Shown(dialog, IDC_HOURS), "23");
        EXPECT_EQ(Shown(dialog, IDC_SECONDS), "7");  // every field written back plainly
        ClickSpin(dialog, false);
    });
    driver.Wait(350);
    driver.OnConference([](HWND dialog) {
        EXPECT_EQ(Shown(dialog, IDC_HOURS), "22");
        ::SetFocus(::GetDlgItem(dialog, IDC_CONF_NAME));  // outside the time control: the hours step
        ClickSpin(dialog, false);
    });
    driver.Wait(350);
    driver.OnConference([](HWND dialog) {
        EXPECT_EQ(Shown(dialog, IDC_HOURS), "21");
        EXPECT_EQ(Shown(dialog, IDC_MINUTES), "59");
        Click(dialog, IDOK);
    });
    const ConferenceRecord* record = RunToTheMemberCheck(driver, &given.record);
    EXPECT_STREQ(record->startText, "2008年05月20日 21:59");
}

TEST(ScheduleOptionsSwitches, VoiceClickedThreeTimesIsOnAndStartAtOnceIsStored) {
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        for (int i = 0; i < 3; ++i) Click(dialog, IDC_VOICE);
        Click(dialog, IDC_START_NOW);
    });
    driver.OnConference([](HWND dialog) {
        ExpectSwitchesAndConfirm(dialog, {IDC_VOICE, IDC_START_NOW}, {IDC_START_SCHEDULED});
    });
    const ConferenceRecord* record = RunToTheMemberCheck(driver, nullptr);
    EXPECT_STREQ(record->startText, texts::kStartAtOnce);
    EXPECT_EQ(record->noticeMinutes, 0);
}

TEST(ScheduleOptionsSwitches, BackToScheduledWithANoticeStoresDateTimeAndMinutes) {
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        Click(dialog, IDC_VOICE);
        Click(dialog, IDC_VOICE);  // voice on and off: the radios stay
        Click(dialog, IDC_START_NOW);
        Click(dialog, IDC_START_SCHEDULED);
        Click(dialog, IDC_SMS);  // notice on
        ::SendDlgItemMessageA(dialog, IDC_NOTICE_MINUTES, CB_SETCURSEL, 2, 0);
        SetPickerDate(dialog, 2009, 1, 2);
        Retype(dialog, IDC_HOURS, "7");
        Retype(dialog, IDC_MINUTES, "5");
    });
    driver.OnConference([](HWND dialog) {
        ExpectSwitchesAndConfirm(dialog, {IDC_START_SCHEDULED, IDC_SMS}, {IDC_VOICE, IDC_START_NOW});
    });
    const ConferenceRecord* record = RunToTheMemberCheck(driver, nullptr);
    EXPECT_STREQ(record->startText, "2009年01月02日 07:05");
    EXPECT_EQ(record->noticeMinutes, 30);
}

TEST(ScheduleOptionsSwitches, SmsClickedOnceTakesAStoredNoticeOff) {
    HostRecord given = Stored("2008年05月20日 14:30", 30);
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        EXPECT_EQ(Selected(dialog), 2);
        Click(dialog, IDC_SMS);
    });
    driver.OnConference([](HWND dialog) {
        EXPECT_FALSE(IsChecked(dialog, IDC_SMS));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(RunToTheMemberCheck(driver, &given.record)->noticeMinutes, 0);
}

TEST(ScheduleOptionsTimeCheck, AnEmptyFieldIsReportedAndStopsTheConfirmation) {
    HostRecord given = Stored("2008年05月20日 14:30", 0);
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        SetText(TimeControlOf(dialog), IDC_HOURS, "");
        SetText(TimeControlOf(dialog), IDC_MINUTES, "45");
        Click(dialog, IDOK);
    });
    ExpectBoxOwnedByDialog(driver, texts::kIntegerRequired);
    ExpectBoxOwnedByDialog(driver, texts::kTimeNotSet);  // not the member check after it
    driver.OnConference([](HWND dialog) {
        EXPECT_EQ(::GetFocus(), Field(dialog, IDC_HOURS));
        Click(dialog, IDCANCEL);
    });
    const ConferenceRecord* record = driver.Run(&given.record, "1001");
    // Hours failed, so minutes were not read either.
    EXPECT_STREQ(record->startText, "2008年05月20日 14:30");
}

TEST(ScheduleOptionsTimeCheck, EnterInADigitEditConfirmsTheDialogNotTheTimeControl) {
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        ::SetFocus(Field(dialog, IDC_MINUTES));
        PostKey(Field(dialog, IDC_MINUTES), VK_RETURN);
    });
    driver.ExpectMessageBox(texts::kNameEmpty, texts::kCaptionNotice);
    driver.OnConference([](HWND dialog) {
        EXPECT_NE(TimeControlOf(dialog), nullptr);
        EXPECT_TRUE(::IsWindowVisible(TimeControlOf(dialog)));
        Click(dialog, IDCANCEL);
    });
    driver.Run(nullptr, "1001");
    EXPECT_EQ(driver.MessageCodes(), (std::vector<WPARAM>{2}));
}

// For a person to look at: the scheduling box with the date picker and the time control
// side by side and the label under them.
TEST(ScheduleOptionsScreenshot, SavesTheConferenceDialog) {
    HostRecord given = Stored("2008年05月20日 14:30", 20);
    DialogDriver driver;
    driver.OnConference([](HWND) {});
    driver.Wait(400);  // painted before the picture is taken
    driver.OnConference([](HWND dialog) {
        const std::string path = HostFolder() + "\\conference-dialog.bmp";
        EXPECT_TRUE(SaveWindowScreenshot(dialog, path.c_str())) << path;
        Click(dialog, IDCANCEL);
    });
    driver.Run(&given.record, "1001");
}

TEST(ScheduleOptionsKeyboard, TabReachesTheTimeFieldsAndFocusNeverTogglesVoiceOrSms) {
    HostRecord given = Stored("2008年05月20日 14:30", 0);
    dontClickIds.clear();
    const HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordDontClick, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        std::vector<HWND> cycle;
        HWND at = ::GetDlgItem(dialog, IDC_CONF_NAME);
        for (int step = 0; step < 64 && at != nullptr; ++step) {
            at = ::GetNextDlgTabItem(dialog, at, FALSE);
            cycle.push_back(at);
        }
        EXPECT_NE(std::find(cycle.begin(), cycle.end(), Field(dialog, IDC_HOURS)), cycle.end());
        EXPECT_NE(std::find(cycle.begin(), cycle.end(), Field(dialog, IDC_SECONDS)), cycle.end());

        const bool voice = IsChecked(dialog, IDC_VOICE);
        const bool sms = IsChecked(dialog, IDC_SMS);
        ::SetFocus(::GetDlgItem(dialog, IDC_VOICE));
        ::SetFocus(::GetDlgItem(dialog, IDC_SMS));
        ::SetFocus(::GetDlgItem(dialog, IDC_CONF_NAME));
        EXPECT_EQ(IsChecked(dialog, IDC_VOICE), voice);
        EXPECT_EQ(IsChecked(dialog, IDC_SMS), sms);
        Click(dialog, IDCANCEL);
    });
    driver.Run(&given.record, "1001");
    ::UnhookWindowsHookEx(hook);
    std::sort(dontClickIds.begin(), dontClickIds.end());
    EXPECT_EQ(dontClickIds, (std::vector<int>{IDC_VOICE, IDC_SMS}));
}
