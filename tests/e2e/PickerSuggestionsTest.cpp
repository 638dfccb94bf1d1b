// Finding people in the picker by typing: the suggestion list below the name and number
// edits, driven by the keys of the edit and by the mouse, opened from the conference dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ThreadWindows.h"
#include "host/Screenshot.h"
#include "res/resource.h"
#include "support/ControlDriver.h"
#include "support/DialogDriver.h"
#include "support/PickerDirectory.h"

using namespace e2e;

namespace {

// The suggestion popup of the picker, shown or not.
HWND SuggestionsOf(HWND picker) {
    return FindThreadWindow([picker](HWND w) {
        return ::GetWindow(w, GW_OWNER) == picker && lstrcmpiA(WindowClassName(w).c_str(), "ListBox") == 0;
    });
}

bool IsOpen(HWND picker) {
    const HWND list = SuggestionsOf(picker);
    return list != nullptr && ::IsWindowVisible(list);
}

std::vector<std::string> Rows(HWND list) {
    std::vector<std::string> rows;
    const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[512] = {};
        ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        rows.push_back(text);
    }
    return rows;
}

int Highlighted(HWND picker) { return static_cast<int>(::SendMessageA(SuggestionsOf(picker), LB_GETCURSEL, 0, 0)); }

// Puts the caret in an edit of the picker and types, as a user would.
void TypeInto(HWND picker, int id, const std::string& chars) {
    const HWND edit = ::GetDlgItem(picker, id);
    ::SetFocus(edit);
    TypeChars(edit, chars);
}

// Each test opens the picker from the conference dialog, acts on it, and sees how many
// members the conference dialog took back.
class PickerSuggestions : public ::testing::Test {
protected:
    void SetUp() override {
        driver.OnConference([this](HWND dialog) {
            membersBefore = ListRowCount(::GetDlgItem(dialog, IDC_MEMBER_LIST));
            Click(dialog, IDC_ADD_MEMBERS);
        });
    }
    void RunExpectingMembersAdded(int added) {
        driver.OnConference([this, added](HWND dialog) {
            EXPECT_EQ(ListRowCount(::GetDlgItem(dialog, IDC_MEMBER_LIST)), membersBefore + added);
            Click(dialog, IDCANCEL);
        });
        driver.Run(nullptr, "nobody");
    }

    PickerDirectory directory;
    DialogDriver driver;
    int membersBefore = -1;
};

}  // namespace

TEST_F(PickerSuggestions, InitialsOpenTheListAndEnterPicksThePersonOnce) {
    driver.OnPicker([](HWND picker) { TypeInto(picker, IDC_PICKER_NAME, "zs"); });
    driver.Wait(300);  // painted before the picture is taken
    driver.OnPicker([](HWND picker) {
        const HWND list = SuggestionsOf(picker);
        ASSERT_TRUE(IsOpen(picker));
        EXPECT_EQ(Rows(list), (std::vector<std::string>{"张三\t研发部\t13900001001", "张三好友\t好友\t1001",
                                                        "郑十一\t同学\t3002"}));
        EXPECT_EQ(Highlighted(picker), 0);
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(picker, IDC_PICKER_NAME)) << "the edit keeps the focus";
        EXPECT_EQ(::GetActiveWindow(), picker);
        EXPECT_NE(::GetWindowLongPtrA(list, GWL_EXSTYLE) & WS_EX_NOACTIVATE, 0);
        RECT edit{}, popup{};
        ::GetWindowRect(::GetDlgItem(picker, IDC_PICKER_NAME), &edit);
        ::GetWindowRect(list, &popup);
        EXPECT_TRUE(popup.top == edit.bottom || popup.bottom == edit.top) << "next to the edit";
        const std::string path = HostFolder() + "\\picker-suggestions.bmp";
        EXPECT_TRUE(SaveWindowsScreenshot(picker, list, path.c_str())) << path;
        PostKey(::GetDlgItem(picker, IDC_PICKER_NAME), VK_RETURN);
    });
    driver.OnPicker([](HWND picker) {
        EXPECT_EQ(ListColumn(::GetDlgItem(picker, IDC_CHOSEN_LIST), 0), (std::vector<std::string>{"张三"}));
        EXPECT_EQ(ListColumn(::GetDlgItem(picker, IDC_CHOSEN_LIST), 2), (std::vector<std::string>{"研发部"}));
        EXPECT_FALSE(IsOpen(picker));
        EXPECT_EQ(GetText(picker, IDC_PICKER_NAME), "");
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(picker, IDC_PICKER_NAME));
        TypeInto(picker, IDC_PICKER_NAME, "zs");
    });
    // The same person again, and the friend with the same identifier: nobody is added.
    driver.OnPicker([](HWND picker) { PostKey(::GetDlgItem(picker, IDC_PICKER_NAME), VK_RETURN); });
    driver.OnPicker([](HWND picker) { TypeInto(picker, IDC_PICKER_NAME, "zs"); });
    driver.OnPicker([](HWND picker) { PostKey(::GetDlgItem(picker, IDC_PICKER_NAME), VK_DOWN); });
    driver.OnPicker([](HWND picker) {
        EXPECT_EQ(Highlighted(picker), 1);
        PostKey(::GetDlgItem(picker, IDC_PICKER_NAME), VK_RETURN);
    });
    driver.OnPicker([](HWND picker) {
        EXPECT_EQ(ListColumn(::GetDlgItem(picker, IDC_CHOSEN_LIST), 0), (std::vector<std::string>{"张三"}));
        EXPECT_EQ(GetText(picker, IDC_PICKER_NAME), "");
        Click(picker, IDOK);
    });
    RunExpectingMembersAdded(1);
}

TEST_F(PickerSuggestions, EscClosesTheListAndEnterWithoutItEndsThePicker) {
    driver.OnPicker([](HWND picker) { TypeInto(picker, IDC_PICKER_NAME, "zs"); });
    driver.OnPicker([](HWND picker) { PostKey(::GetDlgItem(picker, IDC_PICKER_NAME), VK_RETURN); });
    driver.OnPicker([](HWND picker) { TypeInto(picker, IDC_TYPED_NUMBER, "1390000"); });
    driver.OnPicker([](HWND picker) {
        ASSERT_TRUE(IsOpen(picker));
        EXPECT_EQ(Rows(SuggestionsOf(picker)).size(), 4u);  // 张三, 王五, 周九, 吴十
        PostKey(::GetDlgItem(picker, IDC_TYPED_NUMBER), VK_ESCAPE);
    });
    driver.OnPicker([](HWND picker) {
        EXPECT_FALSE(IsOpen(picker));
        EXPECT_TRUE(::IsWindowVisible(picker));
        EXPECT_EQ(GetText(picker, IDC_TYPED_NUMBER), "1390000");
        PostKey(::GetDlgItem(picker, IDC_TYPED_NUMBER), VK_RETURN);
    });
    RunExpectingMembersAdded(1);  // 张三: the picker ended with OK, not cancelled
}

TEST_F(PickerSuggestions, ArrowsMoveTheHighlightAndAClickPicks) {
    driver.OnPicker([](HWND picker) { TypeInto(picker, IDC_PICKER_NAME, "w"); });
    driver.OnPicker([](HWND picker) {
        // 王五, 无号 and 吴十: 无号's identifier is no number, like that of 本人 listed
        // before it, and each of the two is a person of their own.
        EXPECT_EQ(Rows(SuggestionsOf(picker)).size(), 3u);
        const HWND edit = ::GetDlgItem(picker, IDC_PICKER_NAME);
        for (const UINT key : {VK_DOWN, VK_DOWN, VK_DOWN}) PostKey(edit, key);
    });
    driver.OnPicker([](HWND picker) {
        EXPECT_EQ(Highlighted(picker), 2) << "Down stops at the last row";
        PostKey(::GetDlgItem(picker, IDC_PICKER_NAME), VK_UP);
    });
    driver.OnPicker([](HWND picker) {
        const HWND list = SuggestionsOf(picker);
        EXPECT_EQ(Highlighted(picker), 1);
        RECT row{};
        ::SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
        const LPARAM at = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
        ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageA(list, WM_LBUTTONUP, 0, at);
    });
    driver.OnPicker([](HWND picker) {
        // From the friends list, as a move on its tab would take it.
        EXPECT_EQ(ListColumn(::GetDlgItem(picker, IDC_CHOSEN_LIST), 0), (std::vector<std::string>{"吴十"}));
        EXPECT_EQ(ListColumn(::GetDlgItem(picker, IDC_CHOSEN_LIST), 2), (std::vector<std::string>{"好友"}));
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(picker, IDC_PICKER_NAME)) << "the click leaves the focus in the edit";
        TypeInto(picker, IDC_PICKER_NAME, "w");
    });
    driver.OnPicker([](HWND picker) { PostKey(::GetDlgItem(picker, IDC_PICKER_NAME), VK_DOWN); });
    driver.OnPicker([](HWND picker) { PostKey(::GetDlgItem(picker, IDC_PICKER_NAME), VK_RETURN); });
    driver.OnPicker([](HWND picker) {
        // 无号 itself, not 本人, whose identifier also reads as 0.
        EXPECT_EQ(ListColumn(::GetDlgItem(picker, IDC_CHOSEN_LIST), 0), (std::vector<std::string>{"吴十", "无号"}));
        TypeInto(picker, IDC_PICKER_NAME, "w");
    });
    driver.OnPicker([](HWND picker) {
        ASSERT_TRUE(IsOpen(picker));
        RECT frame{};
        ::GetWindowRect(picker, &frame);
        ::SetWindowPos(picker, nullptr, frame.left + 20, frame.top + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    });
    driver.OnPicker([](HWND picker) {
        EXPECT_FALSE(IsOpen(picker)) << "closed when the picker moves away from it";
        TypeInto(picker, IDC_PICKER_NAME, "w");
    });
    driver.OnPicker([](HWND picker) {
        ASSERT_TRUE(IsOpen(picker));
        ::SetFocus(::GetDlgItem(picker, IDC_CHOSEN_LIST));
    });
    driver.OnPicker([](HWND picker) {
        EXPECT_FALSE(IsOpen(picker)) << "closed when the edit loses the focus";
        Click(picker, IDOK);
    });
    RunExpectingMembersAdded(2);
}

TEST_F(PickerSuggestions, TypedPeopleStillGoOnTheListByTheAddButton) {
    driver.OnPicker([](HWND picker) { TypeInto(picker, IDC_PICKER_NAME, "zs"); });
    driver.OnPicker([](HWND picker) {
        ASSERT_TRUE(IsOpen(picker));
        SetText(picker, IDC_TYPED_NUMBER, "555");
        Click(picker, IDC_ADD_TYPED);
    });
    driver.OnPicker([](HWND picker) {
        EXPECT_FALSE(IsOpen(picker));
        const HWND chosen = ::GetDlgItem(picker, IDC_CHOSEN_LIST);
        EXPECT_EQ(ListColumn(chosen, 0), (std::vector<std::string>{"zs"}));
        EXPECT_EQ(ListColumn(chosen, 1), (std::vector<std::string>{"555"}));
        EXPECT_EQ(GetText(picker, IDC_PICKER_NAME), "zs") << "the edits keep their text after an add";
        Click(picker, IDOK);
    });
    RunExpectingMembersAdded(1);
}

TEST_F(PickerSuggestions, MoreThanTwelveShowTheirCountInALastRowThatIsNotPicked) {
    std::string departments =
        "<?xml version=\"1.0\" encoding=\"GBK\"?><departments><company name=\"公司\"><list name=\"部门\">";
    for (int i = 1; i <= 15; ++i)
        departments += "<entry name=\"" + std::to_string(500 + i) + "\"><display-name>王" + std::to_string(i) +
                       "</display-name></entry>";
    departments += "</list></company></departments>";
    const ScopedHostFile many("dconf\\DepartmentInfo.xml", departments);
    driver.OnPicker([](HWND picker) { TypeInto(picker, IDC_PICKER_NAME, "w"); });
    driver.OnPicker([](HWND picker) {
        const std::vector<std::string> rows = Rows(SuggestionsOf(picker));
        ASSERT_EQ(rows.size(), 13u);
        EXPECT_EQ(rows.front(), "王1\t部门\t501");
        EXPECT_EQ(rows.back(), "…（共 16 人）") << "and 吴十 of the friends list";
        for (int i = 0; i < 14; ++i) PostKey(::GetDlgItem(picker, IDC_PICKER_NAME), VK_DOWN);
    });
    driver.OnPicker([](HWND picker) {
        EXPECT_EQ(Highlighted(picker), 11);
        PostKey(::GetDlgItem(picker, IDC_PICKER_NAME), VK_RETURN);
    });
    driver.OnPicker([](HWND picker) {
        EXPECT_EQ(ListColumn(::GetDlgItem(picker, IDC_CHOSEN_LIST), 0), (std::vector<std::string>{"王12"}));
        Click(picker, IDOK);
    });
    RunExpectingMembersAdded(1);
}
