// The contact picker as a user meets it: opened from the conference dialog's add
// button, over that dialog, with the host's language file and skin. The picker's own
// behaviour in detail is tested with the library's code in the unit tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "support/ControlDriver.h"
#include "support/DialogDriver.h"
#include "support/PickerDirectory.h"

using namespace e2e;

namespace {


}  // namespace

TEST(ContactPickerFromConference, OpensOverTheDialogAndHandsTheChosenPeopleBack) {
    PickerDirectory directory;
    DialogDriver driver;
    HWND conference = nullptr;
    int membersBefore = -1;
    driver.OnConference([&](HWND dialog) {
        conference = dialog;
        membersBefore = ListRowCount(::GetDlgItem(dialog, IDC_MEMBER_LIST));
        Click(dialog, IDC_ADD_MEMBERS);
    });
    driver.OnPicker([&](HWND picker) {
        EXPECT_EQ(::GetWindow(picker, GW_OWNER), conference);
        EXPECT_FALSE(::IsWindowEnabled(conference));
        char caption[256] = {};
        ::GetWindowTextA(picker, caption, sizeof caption);
        EXPECT_EQ(std::string(caption).rfind("Msg", 0), std::string::npos) << "the language file gives the texts";
        HWND tree = ::GetDlgItem(picker, IDC_COMPANY_TREE);
        const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
        EXPECT_EQ(ImageCount(tree, images), 5) << "the skin's tree pictures";
        ClickTreeItem(tree, FindTreeItem(tree, {"甲公司"}));
    });
    driver.OnPicker([](HWND picker) {
        HWND tree = ::GetDlgItem(picker, IDC_COMPANY_TREE);
        ClickTreeItem(tree, FindTreeItem(tree, {"甲公司", "研发部"}));
    });
    driver.OnPicker([](HWND picker) {
        HWND tree = ::GetDlgItem(picker, IDC_COMPANY_TREE);
        EXPECT_TRUE(IsTreeItemExpanded(tree, FindTreeItem(tree, {"甲公司", "研发部"})));
        Click(picker, IDC_MOVE);
    });
    driver.OnPicker([](HWND picker) {
        EXPECT_EQ(ListColumn(::GetDlgItem(picker, IDC_CHOSEN_LIST), 0),
                  (std::vector<std::string>{"张三", "李四", "王五", "赵六"}));
        Click(picker, IDOK);
    });
    driver.OnConference([&](HWND dialog) {
        EXPECT_EQ(ListRowCount(::GetDlgItem(dialog, IDC_MEMBER_LIST)), membersBefore + 4);
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
            membersBefore = ListRowCount(::GetDlgItem(dialog, IDC_MEMBER_LIST));
            Click(dialog, IDC_ADD_MEMBERS);
        });
        driver.OnPicker([](HWND picker) {
            HWND tree = ::GetDlgItem(picker, IDC_COMPANY_TREE);
            SelectTreeItem(tree, FindTreeItem(tree, {"乙公司"}));
            Click(picker, IDC_MOVE);
        });
        driver.OnPicker([closeBox](HWND picker) {
            EXPECT_EQ(ListRowCount(::GetDlgItem(picker, IDC_CHOSEN_LIST)), 2);
            if (closeBox) {
                ::PostMessageA(picker, WM_SYSCOMMAND, SC_CLOSE, 0);
            } else {
                ::SetFocus(::GetDlgItem(picker, IDC_CHOSEN_LIST));
                PostKey(::GetDlgItem(picker, IDC_CHOSEN_LIST), VK_ESCAPE);
            }
        });
        driver.OnConference([&](HWND dialog) {
            EXPECT_EQ(ListRowCount(::GetDlgItem(dialog, IDC_MEMBER_LIST)), membersBefore) << (closeBox ? "close box" : "Esc");
            Click(dialog, IDCANCEL);
        });
        driver.Run(nullptr, "nobody");
    }
}
