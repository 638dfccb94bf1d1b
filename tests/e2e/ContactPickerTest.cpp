// The contact picker as a user meets it: opened from the conference dialog's add
// button, over that dialog, with the host's language file and skin. The picker's own
// behaviour in detail is tested with the library's code in the unit tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ControlDriver.h"
#include "support/DialogDriver.h"
#include "support/PickerDirectory.h"

using namespace e2e;

namespace {

constexpr int kAddMembers = 1005;
constexpr int kMemberList = 1008;
constexpr int kCompanyTree = 1208;
constexpr int kChosenList = 1209;
constexpr int kMove = 1157;

}  // namespace

TEST(ContactPickerFromConference, OpensOverTheDialogAndHandsTheChosenPeopleBack) {
    PickerDirectory directory;
    DialogDriver driver;
    HWND conference = nullptr;
    int membersBefore = -1;
    driver.OnConference([&](HWND dialog) {
        conference = dialog;
        membersBefore = ListRowCount(::GetDlgItem(dialog, kMemberList));
        Click(dialog, kAddMembers);
    });
    driver.OnPicker([&](HWND picker) {
        EXPECT_EQ(::GetWindow(picker, GW_OWNER), conference);
        EXPECT_FALSE(::IsWindowEnabled(conference));
        char caption[256] = {};
        ::GetWindowTextA(picker, caption, sizeof caption);
        EXPECT_EQ(std::string(caption).rfind("Msg", 0), std::string::npos) << "the language file gives the texts";
        HWND tree = ::GetDlgItem(picker, kCompanyTree);
        const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
        EXPECT_EQ(::ImageList_GetImageCount(images), 5) << "the skin's tree pictures";
        ClickTreeItem(tree, FindTreeItem(tree, {"甲公司"}));
    });
    driver.OnPicker([](HWND picker) {
        HWND tree = ::GetDlgItem(picker, kCompanyTree);
        ClickTreeItem(tree, FindTreeItem(tree, {"甲公司", "研发部"}));
    });
    driver.OnPicker([](HWND picker) {
        HWND tree = ::GetDlgItem(picker, kCompanyTree);
        EXPECT_TRUE(IsTreeItemExpanded(tree, FindTreeItem(tree, {"甲公司", "研发部"})));
        Click(picker, kMove);
    });
    driver.OnPicker([](HWND picker) {
        EXPECT_EQ(ListColumn(::GetDlgItem(picker, kChosenList), 0),
                  (std::vector<std::string>{"张三", "李四", "王五", "赵六"}));
        Click(picker, IDOK);
    });
    driver.OnConference([&](HWND dialog) {
        EXPECT_EQ(ListRowCount(::GetDlgItem(dialog, kMemberList)), membersBefore + 4);
        Click(dialog, IDCANCEL);
    });
    driver.Run(nullptr, "nobody");
}

TEST(ContactPickerFromConference, ClosingThePickerAddsNobody) {
    PickerDirectory directory;
    for (const bool closeBox : {false, true}) {
        DialogDriver driver;
        int membersBefore = -1;
        driver.OnConference([&](HWND dialog) {
            membersBefore = ListRowCount(::GetDlgItem(dialog, kMemberList));
            Click(dialog, kAddMembers);
        });
        driver.OnPicker([](HWND picker) {
            HWND tree = ::GetDlgItem(picker, kCompanyTree);
            SelectTreeItem(tree, FindTreeItem(tree, {"乙公司"}));
            Click(picker, kMove);
        });
        driver.OnPicker([closeBox](HWND picker) {
            EXPECT_EQ(ListRowCount(::GetDlgItem(picker, kChosenList)), 2);
            if (closeBox) {
                ::PostMessageA(picker, WM_SYSCOMMAND, SC_CLOSE, 0);
            } else {
                ::SetFocus(::GetDlgItem(picker, kChosenList));
                PostKey(::GetDlgItem(picker, kChosenList), VK_ESCAPE);
            }
        });
        driver.OnConference([&](HWND dialog) {
            EXPECT_EQ(ListRowCount(::GetDlgItem(dialog, kMemberList)), membersBefore) << (closeBox ? "close box" : "Esc");
            Click(dialog, IDCANCEL);
        });
        driver.Run(nullptr, "nobody");
    }
}
