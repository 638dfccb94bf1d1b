#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "support/TestWindows.h"
#include "controls/DigitEdit.h"
#include "framework/Text.h"

namespace {

// A numbers-only edit, as the time control's template makes them, with a DigitEdit on it.
class DigitEditTest : public testing::Test {
protected:
    void SetUp() override {
        parent = testwindows::CreateParent();
        window = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_NUMBER | ES_CENTER, 10, 10, 80, 20,
                                   parent, reinterpret_cast<HMENU>(100), ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(edit.Subclass(window));
        ::SetFocus(window);
    }
    void TearDown() override { ::DestroyWindow(parent); }

    void Type(const std::string& keys) {
        for (char c : keys) ::SendMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    std::string Text() const { return text::GetWindowText(window); }
    // The text after typing `keys`.
    std::string Typed(const std::string& keys) {
        Type(keys);
        return Text();
    }
    void Show(const std::string& s, int selStart, int selEnd) {
        text::SetWindowText(window, s);
        ::SendMessageA(window, EM_SETSEL, selStart, selEnd);
    }
    std::pair<int, int> Range() const {
        int lowest = -1, highest = -1;
        edit.GetRange(lowest, highest);
        return {lowest, highest};
    }
    DWORD Selection() const { return static_cast<DWORD>(::SendMessageA(window, EM_GETSEL, 0, 0)); }

    HWND parent = nullptr;
    HWND window = nullptr;
    DigitEdit edit;
};

TEST_F(DigitEditTest, RefusesAKeystrokeThatLeavesTheRange) {
    edit.SetRange(0, 24);
    EXPECT_EQ(Typed("25"), "2");
    EXPECT_EQ(Typed("4"), "24");
    EXPECT_EQ(Typed("0"), "24");
}

TEST_F(DigitEditTest, ReplacingASelectionIsCheckedOnTheResult) {
    edit.SetRange(0, 60);
    Show("45", 0, -1);
    EXPECT_EQ(Typed("7"), "7");
}

TEST_F(DigitEditTest, ARefusedKeystrokeRestoresTextAndCollapsesTheSelectionToItsEnd) {
    edit.SetRange(0, 60);
    Show("6", 0, 0);
    EXPECT_EQ(Typed("7"), "6");  // 76
    EXPECT_EQ(Selection(), MAKELONG(0, 0));
    EXPECT_EQ(Typed("1"), "16");

    Show("16", 0, 1);
    EXPECT_EQ(Typed("9"), "16");  // 96
    EXPECT_EQ(Selection(), MAKELONG(1, 1));
}

TEST_F(DigitEditTest, EditingCharactersAreCheckedToo) {
    edit.SetRange(10, 60);
    Show("45", 2, 2);
    EXPECT_EQ(Typed("\b"), "45");  // 4, below the lowest
    Show("45", 0, 1);
    EXPECT_EQ(Typed("\x18"), "45");  // Ctrl+X of the 4 leaves 5
    EXPECT_EQ(Selection(), MAKELONG(1, 1));

    edit.SetRange(0, 60);
    Show("45", 2, 2);
    EXPECT_EQ(Typed("\b\b"), "");  // empty reads as 0, which is in range
}

TEST_F(DigitEditTest, LeadingZerosAndNonDigits) {
    edit.SetRange(0, 23);
    EXPECT_EQ(Typed("0000"), "0000");
    EXPECT_EQ(Typed("a-"), "0000");  // the numbers-only style refuses these before the range is asked
}

TEST_F(DigitEditTest, BeforeSetRangeOnlyZeroIsAccepted) {
    EXPECT_EQ(Range(), std::make_pair(0, 0));
    EXPECT_EQ(Typed("5"), "");
    EXPECT_EQ(Typed("0"), "0");
}

TEST_F(DigitEditTest, AnOverlongNumberSaturatesAndIsRefused) {
    edit.SetRange(0, 59);
    Show("429496729", 9, 9);
    EXPECT_EQ(Typed("6"), "429496729");  // 2^32: a wrapping conversion would read 0

    edit.SetRange(0, INT_MAX - 1);
    Show("214748364", 9, 9);
    EXPECT_EQ(Typed("6"), "2147483646");
    Show("214748364", 9, 9);
    EXPECT_EQ(Typed("7"), "214748364");  // INT_MAX itself, one above the highest
}

TEST_F(DigitEditTest, GetRangeGivesBackWhatSetRangeStored) {
    edit.SetRange(30, 5);  // not reordered
    EXPECT_EQ(Range(), std::make_pair(30, 5));
}

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
WNDPROC belowCounting = nullptr;
int countedChars = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR) ++countedChars;
    return ::CallWindowProcA(belowCounting, window, message, wParam, lParam);
}

TEST_F(DigitEditTest, DetachingGivesTheWindowItsOwnProcedureBack) {
    const HWND other = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_NUMBER, 0, 0, 40, 20, parent, nullptr,
                                         ::GetModuleHandleA(nullptr), nullptr);
    const LONG_PTR own = ::GetWindowLongPtrA(other, GWLP_WNDPROC);
    DigitEdit attached;
    ASSERT_TRUE(attached.Subclass(other));
    EXPECT_NE(::GetWindowLongPtrA(other, GWLP_WNDPROC), own);
    attached.Unsubclass();
    EXPECT_EQ(attached.Handle(), nullptr);
    EXPECT_EQ(::GetWindowLongPtrA(other, GWLP_WNDPROC), own);
    ::SendMessageA(other, WM_CHAR, '7', 1);  // no range check any more
    EXPECT_EQ(text::GetWindowText(other), "7");
}

TEST_F(DigitEditTest, DetachingUnderAnotherProcedureKeepsTheChain) {
    edit.SetRange(0, 9);
    belowCounting = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    countedChars = 0;
    edit.Unsubclass();
    Type("12");
    EXPECT_EQ(countedChars, 2);
    EXPECT_EQ(Text(), "12");  // both reached the edit, unchecked
}

TEST_F(DigitEditTest, DestroyingTheWindowDetachesTheObject) {
    ::DestroyWindow(window);
    EXPECT_EQ(edit.Handle(), nullptr);
    DigitEdit again;
    const HWND other = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_NUMBER, 0, 0, 40, 20, parent, nullptr,
                                         ::GetModuleHandleA(nullptr), nullptr);
    EXPECT_TRUE(edit.Subclass(other));
    EXPECT_FALSE(again.Subclass(other));  // one object per window
}

}  // namespace
