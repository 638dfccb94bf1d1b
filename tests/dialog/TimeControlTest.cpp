#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/TestWindows.h"
#include "controls/ControlTexts.h"
#include "controls/TimeControl.h"
#include "framework/Text.h"
#include "res/resource.h"

namespace {

std::time_t LocalMoment(int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = 2008 - 1900;
    t.tm_mon = 4;
    t.tm_mday = 20;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

class TimeControlTest : public testing::Test {
protected:
    void SetUp() override {
        parent = testwindows::CreateParent();
        e2e::ClearSkinCalls();
        control = std::make_unique<TimeControl>();
        ASSERT_TRUE(control->CreateChild(parent));
        window = control->Handle();
        control->AsWindow().Show(true);
        control->AsWindow().Move(10, 10, 139, 18);
    }
    void TearDown() override {
        control.reset();
        ::DestroyWindow(parent);
    }

    HWND Field(int id) const { return ::GetDlgItem(window, id); }
    std::string Shown(int id) const { return text::GetWindowText(Field(id)); }
    void Type(int id, const std::string& keys) {
        for (char c : keys) ::SendMessageA(Field(id), WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    void Clear(int id) { text::SetWindowText(Field(id), ""); }
    // What the spin button sends for one click: the up arrow proposes -1.
    void Spin(int delta) {
        NMUPDOWN change{};
        change.hdr.hwndFrom = Field(IDC_TIME_SPIN);
        change.hdr.idFrom = IDC_TIME_SPIN;
        change.hdr.code = UDN_DELTAPOS;
        change.iDelta = delta;
        ::SendMessageA(window, WM_NOTIFY, IDC_TIME_SPIN, reinterpret_cast<LPARAM>(&change));
    }
    RECT Placed(int id) const {
        RECT r = {};
        ::GetWindowRect(Field(id), &r);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    HWND parent = nullptr;
    HWND window = nullptr;
    std::unique_ptr<TimeControl> control;
};

TEST_F(TimeControlTest, InitialisesSkinsAndShowsZeros) {
    std::vector<std::string> expected = {e2e::SkinCall("skinmmSetSkin", window, "TimeControl")};
    for (int id : {IDC_HOURS, IDC_MINUTES, IDC_SECONDS, IDC_HOUR_MINUTE_COLON, IDC_MINUTE_SECOND_COLON})
        expected.push_back(e2e::SkinCall("skinmmRemoveCtrl", Field(id), std::to_string(id)));
    const std::vector<std::string> calls = e2e::SkinCalls();
    ASSERT_GE(calls.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + static_cast<long>(expected.size())), expected);
    EXPECT_EQ(Shown(IDC_HOURS), "0");
    EXPECT_EQ(Shown(IDC_MINUTES), "0");
    EXPECT_EQ(Shown(IDC_SECONDS), "0");
    EXPECT_EQ(control->GetTimeText(), "000000");
}

TEST_F(TimeControlTest, ArrangesFieldsColonsAndSpinFromTheClientArea) {
    const std::vector<std::string> calls = e2e::SkinCalls();
    EXPECT_NE(std::find(calls.begin(), calls.end(),
                        e2e::SkinCall("skinmmSetChildShapeRect", window, "timearea 0 0 139 17 1")),
              calls.end());
    const struct { int id, left, width; } expected[] = {
        {IDC_HOURS, 1, 37}, {IDC_HOUR_MINUTE_COLON, 38, 4}, {IDC_MINUTES, 42, 37},
        {IDC_MINUTE_SECOND_COLON, 79, 4}, {IDC_SECONDS, 83, 37}};
    for (const auto& e : expected) {
        const RECT r = Placed(e.id);
        EXPECT_EQ(r.left, e.left) << e.id;
        EXPECT_EQ(r.right - r.left, e.width) << e.id;
        EXPECT_EQ(r.top, 1) << e.id;
        EXPECT_EQ(r.bottom - r.top, 16) << e.id;
    }
    const RECT spin = Placed(IDC_TIME_SPIN);
    EXPECT_EQ(spin.left, 121);
    EXPECT_EQ(spin.top, 0);
    EXPECT_EQ(spin.right - spin.left, 18);
    EXPECT_EQ(spin.bottom - spin.top, 17);
}

TEST_F(TimeControlTest, SetTimeShowsPlainNumbersAndGetTimeTextPadsThem) {
    control->SetTime(LocalMoment(9, 5, 7));
    EXPECT_EQ(Shown(IDC_HOURS), "9");
    EXPECT_EQ(Shown(IDC_MINUTES), "5");
    EXPECT_EQ(Shown(IDC_SECONDS), "7");
    EXPECT_EQ(control->GetTimeText(), "090507");
    control->SetTime(LocalMoment(23, 59, 59));
    EXPECT_EQ(control->GetTimeText(), "235959");
}

TEST_F(TimeControlTest, TypingKeepsATimeOfDay) {
    Clear(IDC_HOURS);
    Type(IDC_HOURS, "24");
    EXPECT_EQ(Shown(IDC_HOURS), "2");
    Type(IDC_HOURS, "3");
    EXPECT_EQ(Shown(IDC_HOURS), "23");
    for (int id : {IDC_MINUTES, IDC_SECONDS}) {
        Clear(id);
        Type(id, "60");
        EXPECT_EQ(Shown(id), "6") << id;
        Clear(id);
        Type(id, "59");
        EXPECT_EQ(Shown(id), "59") << id;
    }
    EXPECT_EQ(control->GetTimeText(), "235959");
}

TEST_F(TimeControlTest, SpinStepsTheFocusedFieldWithoutWrapping) {
    control->SetTime(LocalMoment(0, 58, 1));
    ::SetFocus(Field(IDC_MINUTES));
    Spin(-1);
    EXPECT_EQ(Shown(IDC_MINUTES), "59");
    Spin(-1);
    EXPECT_EQ(Shown(IDC_MINUTES), "59");

    ::SetFocus(Field(IDC_SECONDS));
    Spin(1);
    EXPECT_EQ(Shown(IDC_SECONDS), "0");
    Spin(1);
    EXPECT_EQ(Shown(IDC_SECONDS), "0");
    Spin(0);  // no change proposed counts as up
    EXPECT_EQ(Shown(IDC_SECONDS), "1");

    ::SetFocus(Field(IDC_HOURS));
    Spin(1);
    EXPECT_EQ(Shown(IDC_HOURS), "0");
    Spin(-5);
    EXPECT_EQ(Shown(IDC_HOURS), "1");  // one step, whatever the size of the change
    EXPECT_EQ(control->GetTimeText(), "015901");
}

TEST_F(TimeControlTest, SpinStopsAtTheLastHourOfTheDay) {
    control->SetTime(LocalMoment(22, 0, 0));
    ::SetFocus(Field(IDC_HOURS));
    Spin(-1);
    Spin(-1);
    EXPECT_EQ(control->GetTimeText(), "230000");
}

TEST_F(TimeControlTest, WithFocusOutsideTheFieldsSpinStepsTheHours) {
    control->SetTime(LocalMoment(9, 5, 7));
    for (HWND elsewhere : {parent, Field(IDC_TIME_SPIN)}) {
        ::SetFocus(elsewhere);
        Spin(-1);
    }
    EXPECT_EQ(control->GetTimeText(), "110507");
}

TEST_F(TimeControlTest, SpinNormalisesTheFields) {
    control->SetTime(LocalMoment(9, 5, 0));
    Clear(IDC_SECONDS);
    Type(IDC_SECONDS, "007");
    Clear(IDC_MINUTES);
    Type(IDC_MINUTES, "05");
    EXPECT_EQ(control->GetTimeText(), "090507");
    ::SetFocus(Field(IDC_SECONDS));
    Spin(-1);
    EXPECT_EQ(Shown(IDC_SECONDS), "8");
    EXPECT_EQ(Shown(IDC_MINUTES), "5");
}

TEST_F(TimeControlTest, AnEmptyFieldIsReportedAndNothingIsRead) {
    control->SetTime(LocalMoment(9, 5, 7));
    text::SetWindowText(Field(IDC_HOURS), "11");
    Clear(IDC_MINUTES);
    text::SetWindowText(Field(IDC_SECONDS), "30");
    std::optional<std::string> timeText;
    std::vector<testwindows::SeenBox> seen;
    {
        testwindows::MessageBoxWatcher watcher;
        timeText = control->GetTimeText();
        seen = watcher.Seen();
    }
    EXPECT_EQ(timeText, std::nullopt);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, texts::kIntegerRequired);
    EXPECT_EQ(seen[0].owner, parent);  // the control's top-level window
    EXPECT_EQ(::GetFocus(), Field(IDC_MINUTES));
    EXPECT_EQ(Shown(IDC_MINUTES), "");  // reading back does not rewrite the fields
}

TEST_F(TimeControlTest, PastedTextWithoutANumberIsReported) {
    control->SetTime(LocalMoment(9, 5, 7));
    text::SetWindowText(Field(IDC_SECONDS), "ab");
    testwindows::MessageBoxWatcher watcher;
    EXPECT_EQ(control->GetTimeText(), std::nullopt);
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(::GetFocus(), Field(IDC_SECONDS));
}

TEST_F(TimeControlTest, TextOutsideTheRangeSetFromOutsideIsTakenBack) {
    control->SetTime(LocalMoment(9, 5, 7));
    text::SetWindowText(Field(IDC_HOURS), "24");
    text::SetWindowText(Field(IDC_MINUTES), "999");
    text::SetWindowText(Field(IDC_SECONDS), "59");
    EXPECT_EQ(Shown(IDC_HOURS), "9");
    EXPECT_EQ(Shown(IDC_MINUTES), "5");
    EXPECT_EQ(control->GetTimeText(), "090559");
}

TEST_F(TimeControlTest, SpinGoesOnAfterAFailedReadAndRefillsTheField) {
    control->SetTime(LocalMoment(9, 5, 7));
    Clear(IDC_HOURS);
    ::SetFocus(Field(IDC_SECONDS));
    testwindows::MessageBoxWatcher watcher;
    Spin(-1);
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].text, texts::kIntegerRequired);
    // The failed field took the focus, so the step went to it.
    EXPECT_EQ(Shown(IDC_HOURS), "10");
    EXPECT_EQ(Shown(IDC_MINUTES), "5");
    EXPECT_EQ(Shown(IDC_SECONDS), "7");
}

TEST_F(TimeControlTest, EnterAndEscDoNotCloseIt) {
    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(::IsWindow(window));
    EXPECT_EQ(control->Handle(), window);
}

// Counts how often a time control is deleted.
class CountedTimeControl : public TimeControl {
public:
    explicit CountedTimeControl(int& deletions) : deletions_(deletions) {}
    ~CountedTimeControl() override { ++deletions_; }

private:
    int& deletions_;
};

TEST(TimeControlLifetime, DeletingTheObjectDestroysItsWindowOnce) {
    const HWND parent = testwindows::CreateParent();
    int deletions = 0;
    auto control = std::make_unique<CountedTimeControl>(deletions);
    ASSERT_TRUE(control->CreateChild(parent));
    const HWND window = control->Handle();
    const HWND hours = ::GetDlgItem(window, IDC_HOURS);
    control.reset();
    EXPECT_EQ(deletions, 1);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_FALSE(::IsWindow(hours));
    ::DestroyWindow(parent);
}

TEST(TimeControlLifetime, DestroyingOnlyTheWindowLeavesTheObjectToItsOwner) {
    const HWND parent = testwindows::CreateParent();
    int deletions = 0;
    auto control = std::make_unique<CountedTimeControl>(deletions);
    ASSERT_TRUE(control->CreateChild(parent));
    control->SetTime(LocalMoment(9, 5, 7));
    ::DestroyWindow(parent);  // takes the child with it
    EXPECT_EQ(deletions, 0);
    EXPECT_EQ(control->Handle(), nullptr);
    testwindows::MessageBoxWatcher watcher;
    EXPECT_EQ(control->GetTimeText(), "090507");  // no window, nothing to read or report
    EXPECT_TRUE(watcher.Seen().empty());
    control.reset();
    EXPECT_EQ(deletions, 1);
}

}  // namespace
