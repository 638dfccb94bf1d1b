// The contact picker in a real window system: each test runs the dialog modally and
// plays the user from the driver's timer, on directory files laid beside the executable.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "picker/ContactPickerDialog.h"
#include "picker/PickerLayout.h"
#include "picker/PickerRules.h"
#include "picker/PickerTexts.h"
#include "res/resource.h"
#include "skin/SkinImages.h"
#include "support/ControlDriver.h"
#include "support/DialogDriver.h"
#include "support/Records.h"
#include "text/MessageTable.h"

using namespace e2e;

namespace {

const std::string kCaption = texts::kCaptionNotice;

// The picker's directory files, replaced for one test and restored afterwards.
class PickerFiles {
public:
    explicit PickerFiles(bool friendsPresent = true, bool departmentsPresent = true) {
        const std::string folder = HostFolder() + "\\dconf";
        createdFolder_ = ::CreateDirectoryA(folder.c_str(), nullptr) != FALSE;
        departments_ = std::make_unique<ScopedHostFile>(
            "dconf\\DepartmentInfo.xml", ReadFileBytes(TestDataPath("picker/DepartmentInfo.xml")), departmentsPresent);
        friends_ = std::make_unique<ScopedHostFile>(
            "dconf\\FriendsInfo.xml", ReadFileBytes(TestDataPath("picker/FriendsInfo.xml")), friendsPresent);
    }
    ~PickerFiles() {
        friends_.reset();
        departments_.reset();
        if (createdFolder_) ::RemoveDirectoryA((HostFolder() + "\\dconf").c_str());
    }

private:
    bool createdFolder_ = false;
    std::unique_ptr<ScopedHostFile> departments_;
    std::unique_ptr<ScopedHostFile> friends_;
};

struct PickerRun {
    explicit PickerRun(const std::string& userId = "nobody", bool friendsPresent = true,
                       bool departmentsPresent = true)
        : files(friendsPresent, departmentsPresent), picker(userId, CallContext{GetSkinImages(), GetDirectoryReader()}) {}
    INT_PTR Run() { return driver.RunModal([this] { return picker.DoModal(nullptr); }); }
    // Acts on the picker once it is open and no message box is over it.
    void Step(std::function<void(HWND)> action) { driver.OnPicker(std::move(action)); }
    void Ok() {
        Step([](HWND p) { Click(p, IDOK); });
    }

    PickerFiles files;
    ContactPickerDialog picker;
    DialogDriver driver;
};

HWND CompanyTree(HWND picker) { return ::GetDlgItem(picker, IDC_COMPANY_TREE); }
HWND FriendsTree(HWND picker) { return ::GetDlgItem(picker, IDC_FRIENDS_TREE); }
HWND ChosenListOf(HWND picker) { return ::GetDlgItem(picker, IDC_CHOSEN_LIST); }

HTREEITEM Node(HWND tree, const std::vector<std::string>& path) {
    HTREEITEM item = FindTreeItem(tree, path);
    EXPECT_NE(item, nullptr) << "no tree item " << path.back();
    return item;
}

// Selects a tree item and presses the move button.
void Move(HWND picker, HWND tree, const std::vector<std::string>& path) {
    SelectTreeItem(tree, Node(tree, path));
    Click(picker, IDC_MOVE);
}

std::vector<std::string> Names(const std::vector<ContactEntry>& entries) {
    std::vector<std::string> names;
    for (const ContactEntry& e : entries) names.emplace_back(e.displayName());
    return names;
}

// Types a person into the two edits and presses the add button.
void AddTyped(HWND picker, const std::string& name, const std::string& number) {
    SetText(picker, IDC_PICKER_NAME, name);
    SetText(picker, IDC_TYPED_NUMBER, number);
    Click(picker, IDC_ADD_TYPED);
}

RECT ChildRect(HWND dialog, int id) {
    RECT r{};
    ::GetWindowRect(::GetDlgItem(dialog, id), &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

ContactEntry Caller(const std::string& name, const std::string& display, const std::string& mobile) {
    return ContactEntry("外部", name, display, {}, mobile, {});
}

}  // namespace

TEST(ContactPickerInit, ShowsTheCompanyTabWithTextsColumnsAndSkinExclusions) {
    PickerRun run;
    ClearSkinCalls();
    run.Step([](HWND p) {
        char caption[256] = {};
        ::GetWindowTextA(p, caption, sizeof caption);
        EXPECT_EQ(caption, GetMessageText(10601));
        EXPECT_EQ(GetText(p, IDC_PICKER_NAME_LABEL), GetMessageText(10604));
        EXPECT_EQ(GetText(p, IDC_PICKER_NUMBER_LABEL), GetMessageText(10605));
        EXPECT_EQ(GetText(p, IDC_ADD_TYPED), GetMessageText(10606));
        EXPECT_EQ(GetText(p, IDOK), GetMessageText(1));
        EXPECT_EQ(GetText(p, IDC_REMOVE_CHOSEN), GetMessageText(10609));

        HWND tabs = ::GetDlgItem(p, IDC_PICKER_TABS);
        EXPECT_EQ(::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
        EXPECT_EQ(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
        char tabText[64] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = tabText;
        item.cchTextMax = sizeof tabText;
        ::SendMessageA(tabs, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(std::string(tabText), GetMessageText(10603));
        EXPECT_TRUE(::IsWindowVisible(CompanyTree(p)));
        EXPECT_FALSE(::IsWindowVisible(FriendsTree(p)));
        for (HWND tree : {CompanyTree(p), FriendsTree(p)})
            EXPECT_EQ(reinterpret_cast<HIMAGELIST>(::SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0)),
                      GetSkinImages().treeImages.Get());

        HWND list = ChosenListOf(p);
        EXPECT_EQ(::SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & 0x31, 0x31);
        const int widths[] = {70, 100, 100};
        const int headings[] = {10607, 10608, 10416};
        for (int c = 0; c < 3; ++c) {
            LVCOLUMNA column{};
            char heading[64] = {};
            column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
            column.pszText = heading;
            column.cchTextMax = sizeof heading;
            ASSERT_TRUE(::SendMessageA(list, LVM_GETCOLUMNA, c, reinterpret_cast<LPARAM>(&column)));
            EXPECT_EQ(std::string(heading), GetMessageText(headings[c]));
            EXPECT_EQ(column.cx, widths[c]);
            if (c > 0) {
                EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_CENTER);
            }
        }

        // Only the trees are kept from the skin, the company tree first.
        EXPECT_EQ(SkinCalls(), (std::vector<std::string>{
                                   SkinCall("skinmmRemoveCtrl", CompanyTree(p), std::to_string(IDC_COMPANY_TREE)),
                                   SkinCall("skinmmRemoveCtrl", FriendsTree(p), std::to_string(IDC_FRIENDS_TREE)),
                               }));
    });
    run.Ok();
    EXPECT_EQ(run.Run(), IDOK);
}

TEST(ContactPickerInit, CallerEntriesComeFirstThenTheUsersOwnEntriesOnce) {
    PickerRun run("user9");
    run.picker.GetChosenEntries() = {Caller("", "外来甲", "801"), Caller("5000", "外来乙", "")};
    run.Step([](HWND p) {
        HWND list = ChosenListOf(p);
        // USER9 of the first company, then user9 (differs in case only, so not the same
        // text) of the second; the friends list's USER9 is the first one again.
        EXPECT_EQ(ListColumn(list, 0), (std::vector<std::string>{"外来甲", "外来乙", "本人", "本人二"}));
        EXPECT_EQ(ListColumn(list, 1), (std::vector<std::string>{"801", "5000", "USER9", "user9"}));
        EXPECT_EQ(ListColumn(list, 2), (std::vector<std::string>{"外部", "外部", "市场部", "总部"}));
    });
    run.Ok();
    EXPECT_EQ(run.Run(), IDOK);
    const auto& chosen = run.picker.GetChosenEntries();
    ASSERT_EQ(chosen.size(), 4u);
    EXPECT_EQ(chosen[2].uri(), "sip:user9@jia.cn");
    EXPECT_EQ(chosen[3].uri(), "sip:user9@yi.cn");
}

TEST(ContactPickerInit, MissingFilesLeaveTheirTreeEmptyAndTheOtherFilled) {
    {
        PickerRun run("nobody", false, true);
        run.Step([](HWND p) {
            EXPECT_GT(::SendMessageA(CompanyTree(p), TVM_GETCOUNT, 0, 0), 0);
            EXPECT_EQ(::SendMessageA(FriendsTree(p), TVM_GETCOUNT, 0, 0), 0);
        });
        run.Ok();
        EXPECT_EQ(run.Run(), IDOK);
    }
    {
        PickerRun run("nobody", true, false);
        run.Step([](HWND p) {
            EXPECT_EQ(::SendMessageA(CompanyTree(p), TVM_GETCOUNT, 0, 0), 0);
            EXPECT_GT(::SendMessageA(FriendsTree(p), TVM_GETCOUNT, 0, 0), 0);
        });
        run.Ok();
        EXPECT_EQ(run.Run(), IDOK);
    }
}

TEST(ContactPickerFrame, TabsSwapTheTreesAndKeepTheirState) {
    PickerRun run;
    run.Step([](HWND p) {
        HWND company = CompanyTree(p);
        ClickTreeItem(company, Node(company, {"甲公司"}));
    });
    run.Step([](HWND p) { ClickTab(::GetDlgItem(p, IDC_PICKER_TABS), 1); });
    run.Step([](HWND p) {
        EXPECT_EQ(::SendMessageA(::GetDlgItem(p, IDC_PICKER_TABS), TCM_GETCURSEL, 0, 0), 1);
        EXPECT_FALSE(::IsWindowVisible(CompanyTree(p)));
        EXPECT_TRUE(::IsWindowVisible(FriendsTree(p)));
        ClickTab(::GetDlgItem(p, IDC_PICKER_TABS), 0);
    });
    run.Step([](HWND p) {
        EXPECT_TRUE(::IsWindowVisible(CompanyTree(p)));
        EXPECT_FALSE(::IsWindowVisible(FriendsTree(p)));
        EXPECT_TRUE(IsTreeItemExpanded(CompanyTree(p), Node(CompanyTree(p), {"甲公司"})));
    });
    run.Ok();
    EXPECT_EQ(run.Run(), IDOK);
}

TEST(ContactPickerFrame, LaysOutAKnownClientSizeWithTheTreesInTheTabsDisplayArea) {
    PickerRun run;
    run.Step([](HWND p) {
        RECT frame{0, 0, 300, 400};
        ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrA(p, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(::GetWindowLongPtrA(p, GWL_EXSTYLE)));
        ::SetWindowPos(p, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                       SWP_NOMOVE | SWP_NOZORDER);
    });
    run.Step([](HWND p) {
        RECT client{};
        ::GetClientRect(p, &client);
        ASSERT_EQ(client.right, 300);
        ASSERT_EQ(client.bottom, 400);
        // The figures for 300 pixels: the left half is 124 wide.
        const RECT tabs = ChildRect(p, IDC_PICKER_TABS);
        EXPECT_EQ(tabs.left, 10);
        EXPECT_EQ(tabs.right, 134);
        EXPECT_EQ(ChildRect(p, IDC_MOVE).left, 137);
        EXPECT_EQ(ChildRect(p, IDC_CHOSEN_LIST).left, 165);
        EXPECT_EQ(ChildRect(p, IDC_CHOSEN_LIST).right, 290);
        for (const PickerLayout::Placement& placement : ComputePickerLayout(client).placements) {
            const RECT r = ChildRect(p, placement.id);
            EXPECT_EQ(Placed(r.left, r.top, r.right - r.left, r.bottom - r.top), Placed(placement)) << placement.id;
        }
        RECT display = tabs;
        ::SendMessageA(::GetDlgItem(p, IDC_PICKER_TABS), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
        for (int tree : {IDC_COMPANY_TREE, IDC_FRIENDS_TREE}) {
            const RECT r = ChildRect(p, tree);
            EXPECT_TRUE(::EqualRect(&r, &display)) << tree << ": " << r.left << "," << r.top << "," << r.right
                                                   << "," << r.bottom;
        }
        // Inside the tab, not on its strip of tabs.
        EXPECT_GT(display.top, tabs.top + 10);
    });
    run.Ok();
    EXPECT_EQ(run.Run(), IDOK);
}

TEST(ContactPickerFrame, EscAndTheCloseBoxCancelWithTheEntriesKept) {
    for (const bool closeBox : {false, true}) {
        PickerRun run;
        run.Step([](HWND p) { Move(p, CompanyTree(p), {"乙公司", "总部", "周九"}); });
        run.Step([closeBox](HWND p) {
            ASSERT_EQ(ListRowCount(ChosenListOf(p)), 1);
            if (closeBox) {
                ::PostMessageA(p, WM_SYSCOMMAND, SC_CLOSE, 0);
            } else {
                ::SetFocus(::GetDlgItem(p, IDC_PICKER_NAME));
                PostKey(::GetDlgItem(p, IDC_PICKER_NAME), VK_ESCAPE);
            }
        });
        EXPECT_EQ(run.Run(), IDCANCEL) << (closeBox ? "close box" : "Esc");
        EXPECT_EQ(Names(run.picker.GetChosenEntries()), (std::vector<std::string>{"周九"}));
        EXPECT_EQ(run.picker.AsWindow().Handle(), nullptr);
    }
}

TEST(ContactPickerFrame, EnterInTheNameEditEndsWithOkWithoutAddingTheTypedPerson) {
    PickerRun run;
    run.Step([](HWND p) {
        SetText(p, IDC_PICKER_NAME, "路人");
        SetText(p, IDC_TYPED_NUMBER, "801");
        ::SetFocus(::GetDlgItem(p, IDC_PICKER_NAME));
        PostKey(::GetDlgItem(p, IDC_PICKER_NAME), VK_RETURN);
    });
    EXPECT_EQ(run.Run(), IDOK);
    EXPECT_TRUE(run.picker.GetChosenEntries().empty());
}

TEST(ContactPickerTrees, FillsGroupsPeopleFirstWithClosedImagesAndIdentifiers) {
    PickerRun run;
    run.Step([](HWND p) {
        HWND tree = CompanyTree(p);
        HTREEITEM dept = Node(tree, {"甲公司", "研发部"});
        EXPECT_FALSE(IsTreeItemExpanded(tree, dept));
        // Its people appear when it is first opened.
        EXPECT_EQ(TreeItemText(tree, TreeView(tree).GetChild(dept)), "前端组");
        static_cast<void>(TreeView_Expand(tree, dept, TVE_EXPAND));
        std::vector<std::string> children;
        for (HTREEITEM c = TreeView(tree).GetChild(dept); c != nullptr; c = TreeView(tree).GetNextSibling(c))
            children.push_back(TreeItemText(tree, c));
        EXPECT_EQ(children, (std::vector<std::string>{"张三", "李四", "李四", "前端组", "空组"}));
        EXPECT_EQ(TreeItemImage(tree, Node(tree, {"甲公司"})), 1);
        EXPECT_EQ(TreeItemImage(tree, dept), 1);
        EXPECT_EQ(TreeItemImage(tree, Node(tree, {"甲公司", "研发部", "张三"})), 2);
        EXPECT_EQ(TreeView(tree).GetItemData(Node(tree, {"甲公司", "市场部", "钱七"})), 12);
        EXPECT_EQ(TreeView(tree).GetItemData(Node(tree, {"甲公司", "市场部", "大号"})), 2147483647);
        EXPECT_EQ(TreeView(tree).GetItemData(dept), 0);
        EXPECT_NE(FindTreeItem(FriendsTree(p), {"好友", "同学", "郑十一"}), nullptr);
    });
    run.Ok();
    EXPECT_EQ(run.Run(), IDOK);
}

TEST(ContactPickerTrees, ClicksOpenAndCloseGroupsAndDoubleClicksKeepImagesInStep) {
    PickerRun run;
    run.Step([](HWND p) { ClickTreeItem(CompanyTree(p), Node(CompanyTree(p), {"甲公司"})); });
    run.Step([](HWND p) {
        HWND tree = CompanyTree(p);
        HTREEITEM company = Node(tree, {"甲公司"});
        EXPECT_TRUE(IsTreeItemExpanded(tree, company));
        EXPECT_EQ(TreeItemImage(tree, company), 0);
        ClickTreeItem(tree, Node(tree, {"甲公司", "研发部"}));
    });
    run.Step([](HWND p) {
        HWND tree = CompanyTree(p);
        EXPECT_EQ(TreeItemImage(tree, Node(tree, {"甲公司", "研发部"})), 0);
        ClickTreeItem(tree, Node(tree, {"甲公司", "研发部", "张三"}));
    });
    run.Step([](HWND p) {
        HWND tree = CompanyTree(p);
        EXPECT_EQ(TreeItemImage(tree, Node(tree, {"甲公司", "研发部", "张三"})), 2);
        ClickTreeItem(tree, Node(tree, {"甲公司", "研发部"}));  // close it again
    });
    run.Step([](HWND p) {
        HWND tree = CompanyTree(p);
        HTREEITEM dept = Node(tree, {"甲公司", "研发部"});
        EXPECT_FALSE(IsTreeItemExpanded(tree, dept));
        EXPECT_EQ(TreeItemImage(tree, dept), 1);
        ClickTreeItem(tree, dept, true);
    });
    for (int round = 0; round < 2; ++round) {
        run.Step([](HWND p) {
            HWND tree = CompanyTree(p);
            HTREEITEM dept = Node(tree, {"甲公司", "研发部"});
            EXPECT_EQ(TreeItemImage(tree, dept), IsTreeItemExpanded(tree, dept) ? 0 : 1);
            ClickTreeItem(tree, dept, true);
        });
    }
    // The friends tree has a double-click handler of its own.
    run.Step([](HWND p) { ClickTab(::GetDlgItem(p, IDC_PICKER_TABS), 1); });
    run.Step([](HWND p) { ClickTreeItem(FriendsTree(p), Node(FriendsTree(p), {"好友"}), true); });
    run.Step([](HWND p) {
        HWND tree = FriendsTree(p);
        HTREEITEM group = Node(tree, {"好友"});
        EXPECT_EQ(TreeItemImage(tree, group), IsTreeItemExpanded(tree, group) ? 0 : 1);
        ClickTreeItem(tree, group, true);
    });
    run.Step([](HWND p) {
        HWND tree = FriendsTree(p);
        HTREEITEM group = Node(tree, {"好友"});
        EXPECT_EQ(TreeItemImage(tree, group), IsTreeItemExpanded(tree, group) ? 0 : 1);
    });
    run.Ok();
    EXPECT_EQ(run.Run(), IDOK);
}

TEST(ContactPickerTrees, ClickingBesideEveryItemChangesNothing) {
    PickerRun run;
    run.Step([](HWND p) {
        HWND tree = CompanyTree(p);
        RECT client{};
        ::GetClientRect(tree, &client);
        POINT below{client.right / 2, client.bottom - 3};
        POINT screen = below;
        ::ClientToScreen(tree, &screen);
        ::SetCursorPos(screen.x, screen.y);
        ::PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(below.x, below.y));
        ::PostMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(below.x, below.y));
    });
    run.Step([](HWND p) {
        HWND tree = CompanyTree(p);
        for (const char* company : {"甲公司", "乙公司", "空公司"}) {
            EXPECT_EQ(TreeItemImage(tree, Node(tree, {company})), 1);
            EXPECT_FALSE(IsTreeItemExpanded(tree, Node(tree, {company})));
        }
    });
    run.Ok();
    EXPECT_EQ(run.Run(), IDOK);
}

TEST(ContactPickerMove, APersonTwiceIsAddedOnceWithAllItsFields) {
    PickerRun run;
    run.Step([](HWND p) { Move(p, CompanyTree(p), {"甲公司", "研发部", "张三"}); });
    run.Step([](HWND p) { Click(p, IDC_MOVE); });
    run.Step([](HWND p) {
        EXPECT_EQ(ListColumn(ChosenListOf(p), 0), (std::vector<std::string>{"张三"}));
        EXPECT_EQ(ListColumn(ChosenListOf(p), 1), (std::vector<std::string>{"13900001001"}));
        EXPECT_EQ(ListColumn(ChosenListOf(p), 2), (std::vector<std::string>{"研发部"}));
        Click(p, IDC_MOVE);  // nothing selected after all? the same person stays selected
    });
    run.Ok();
    EXPECT_EQ(run.Run(), IDOK);
    const auto& chosen = run.picker.GetChosenEntries();
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].name(), "1001");
    EXPECT_EQ(chosen[0].uri(), "sip:1001@jia.cn");
    EXPECT_EQ(chosen[0].phs(), "01001");
}

TEST(ContactPickerMove, ADepartmentBringsItsSubDepartmentsInTreeOrderAndPeopleListedTwiceOnce) {
    PickerRun run;
    run.Step([](HWND p) { Move(p, CompanyTree(p), {"甲公司", "研发部"}); });
    run.Step([](HWND p) {
        EXPECT_EQ(ListColumn(ChosenListOf(p), 0), (std::vector<std::string>{"张三", "李四", "王五", "赵六"}));
        EXPECT_EQ(ListColumn(ChosenListOf(p), 1),
                  (std::vector<std::string>{"13900001001", "1002", "13900001003", "1004"}));
        EXPECT_EQ(ListColumn(ChosenListOf(p), 2), (std::vector<std::string>{"研发部", "研发部", "前端组", "组件组"}));
        // An empty group, and a company with nobody in it, are nobody.
        Move(p, CompanyTree(p), {"甲公司", "研发部", "空组"});
    });
    run.Step([](HWND p) { Move(p, CompanyTree(p), {"空公司"}); });
    run.Step([](HWND p) { EXPECT_EQ(ListRowCount(ChosenListOf(p)), 4); });
    run.Ok();
    EXPECT_EQ(run.Run(), IDOK);
    EXPECT_EQ(run.picker.GetChosenEntries().size(), 4u);
}

TEST(ContactPickerMove, AWholeCompanyTakesEachIdentifierOnceFromItsFirstPlace) {
    PickerRun run;
    run.Step([](HWND p) { Move(p, CompanyTree(p), {"甲公司"}); });
    run.Step([](HWND p) {
        // 12 reads as 0012's number; 王五 under 市场部 is the one of 前端组; 无号 has the
        // number 0 that 本人 took; 满号 reads as 大号's saturated number.
        EXPECT_EQ(ListColumn(ChosenListOf(p), 0),
                  (std::vector<std::string>{"张三", "李四", "王五", "赵六", "钱七", "本人", "大号"}));
        EXPECT_EQ(ListColumn(ChosenListOf(p), 2),
                  (std::vector<std::string>{"研发部", "研发部", "前端组", "组件组", "市场部", "市场部", "市场部"}));
    });
    run.Ok();
    EXPECT_EQ(run.Run(), IDOK);
    EXPECT_EQ(run.picker.GetChosenEntries().size(), 7u);
}

TEST(ContactPickerMove, NumbersNotTextsTellPeopleApart) {
    PickerRun run;
    run.Step([](HWND p) { Move(p, CompanyTree(p), {"甲公司", "市场部", "孙八"}); });
    run.Step([](HWND p) { Move(p, CompanyTree(p), {"甲公司", "市场部", "钱七"}); });
    run.Step([](HWND p) {
        // 孙八 (12) is found in the directory as 钱七 (0012), the first with that number.
        EXPECT_EQ(ListColumn(ChosenListOf(p), 0), (std::vector<std::string>{"钱七"}));
        AddTyped(p, "路人", "801");
    });
    run.Step([](HWND p) { Move(p, CompanyTree(p), {"甲公司", "市场部", "无号"}); });
    run.Step([](HWND p) {
        // The typed person holds number 0, so nobody without digits follows.
        EXPECT_EQ(ListColumn(ChosenListOf(p), 0), (std::vector<std::string>{"钱七", "路人"}));
    });
    run.Ok();
    EXPECT_EQ(run.Run(), IDOK);
}

TEST(ContactPickerMove, TheFriendsTabLooksInTheFriendsListOnly) {
    PickerRun run;
    run.Step([](HWND p) { ClickTab(::GetDlgItem(p, IDC_PICKER_TABS), 1); });
    run.Step([](HWND p) { Move(p, FriendsTree(p), {"好友", "张三好友"}); });
    run.Step([](HWND p) { Move(p, FriendsTree(p), {"好友"}); });
    run.Step([](HWND p) {
        EXPECT_EQ(ListColumn(ChosenListOf(p), 0), (std::vector<std::string>{"张三好友", "吴十", "本人", "郑十一"}));
        EXPECT_EQ(ListColumn(ChosenListOf(p), 2), (std::vector<std::string>{"好友", "好友", "好友", "同学"}));
    });
    run.Ok();
    EXPECT_EQ(run.Run(), IDOK);
}

TEST(ContactPickerTyped, RefusesEmptyFieldsAndChosenNumbersWithOwnedMessageBoxes) {
    PickerRun run;
    run.Step([](HWND p) { Move(p, CompanyTree(p), {"甲公司", "研发部", "张三"}); });
    run.Step([](HWND p) { Click(p, IDC_ADD_TYPED); });
    run.driver.ExpectMessageBox(texts::kTypedNameEmpty, kCaption);
    run.Step([](HWND p) {
        SetText(p, IDC_PICKER_NAME, "路人");
        Click(p, IDC_ADD_TYPED);
    });
    run.driver.ExpectMessageBox(texts::kTypedNumberEmpty, kCaption);
    run.Step([](HWND p) {
        SetText(p, IDC_TYPED_NUMBER, "13900001001");  // 张三's mobile
        Click(p, IDC_ADD_TYPED);
    });
    run.driver.ExpectMessageBox(texts::kTypedNumberChosen, kCaption);
    run.Step([](HWND p) {
        // The edits keep their texts after a refusal.
        EXPECT_EQ(GetText(p, IDC_PICKER_NAME), "路人");
        EXPECT_EQ(GetText(p, IDC_TYPED_NUMBER), "13900001001");
        EXPECT_EQ(ListRowCount(ChosenListOf(p)), 1);
        // A number that is only the identifier of a chosen person is accepted.
        AddTyped(p, " ", "1001");
    });
    run.Step([](HWND p) {
        SetText(p, IDC_TYPED_NUMBER, "13900001003");  // 王五's, who is not chosen
        Click(p, IDC_ADD_TYPED);
    });
    run.Step([](HWND p) {
        AddTyped(p, "另一人", "1001");
    });
    run.driver.ExpectMessageBox(texts::kTypedNumberChosen, kCaption);
    run.Step([](HWND p) {
        EXPECT_EQ(ListColumn(ChosenListOf(p), 0), (std::vector<std::string>{"张三", " ", " "}));
        EXPECT_EQ(ListColumn(ChosenListOf(p), 1), (std::vector<std::string>{"13900001001", "1001", "13900001003"}));
        EXPECT_EQ(ListColumn(ChosenListOf(p), 2), (std::vector<std::string>{"研发部", "", ""}));
    });
    run.Ok();
    EXPECT_EQ(run.Run(), IDOK);
    const auto& chosen = run.picker.GetChosenEntries();
    ASSERT_EQ(chosen.size(), 3u);
    EXPECT_EQ(chosen[2].mobile(), "13900001003");
    EXPECT_TRUE(chosen[2].name().empty());
}

TEST(ContactPickerTyped, MessageBoxesBelongToThePicker) {
    PickerRun run;
    HWND owner = nullptr;
    HWND picker = nullptr;
    run.Step([&picker](HWND p) {
        picker = p;
        Click(p, IDC_ADD_TYPED);
    });
    run.driver.Then([&owner] {
        const MessageBoxInfo box = FindMessageBox();
        if (box.box == nullptr) return false;
        owner = box.owner;
        EXPECT_EQ(::GetWindowLongPtrA(box.box, GWL_STYLE) & WS_VISIBLE, WS_VISIBLE);
        Click(box.box, IDOK);
        return true;
    });
    run.Ok();
    EXPECT_EQ(run.Run(), IDOK);
    EXPECT_EQ(owner, picker);
}

TEST(ContactPickerRemove, RemovesSelectedRowsWithTheirOwnEntries) {
    PickerRun run;
    // Two caller entries with one number: each row takes its own entry with it.
    run.picker.GetChosenEntries() = {Caller("7001", "甲", "900"), Caller("7002", "乙", "900")};
    run.Step([](HWND p) { Click(p, IDC_REMOVE_CHOSEN); });  // nothing selected
    run.Step([](HWND p) {
        EXPECT_EQ(ListRowCount(ChosenListOf(p)), 2);
        SelectListRows(ChosenListOf(p), {1});
        Click(p, IDC_REMOVE_CHOSEN);
    });
    run.Step([](HWND p) {
        EXPECT_EQ(ListColumn(ChosenListOf(p), 0), (std::vector<std::string>{"甲"}));
        Move(p, CompanyTree(p), {"甲公司", "研发部"});
    });
    run.Step([](HWND p) {
        AddTyped(p, "路人", "801");
    });
    run.Step([](HWND p) {
        EXPECT_EQ(ListColumn(ChosenListOf(p), 0), (std::vector<std::string>{"甲", "张三", "李四", "王五", "赵六", "路人"}));
        SelectListRows(ChosenListOf(p), {0, 2, 3, 5});
        Click(p, IDC_REMOVE_CHOSEN);
    });
    run.Step([](HWND p) {
        EXPECT_EQ(ListColumn(ChosenListOf(p), 0), (std::vector<std::string>{"张三", "赵六"}));
        // Removed people can be chosen again; the typed number is free again as well.
        Move(p, CompanyTree(p), {"甲公司", "研发部", "前端组", "王五"});
    });
    run.Step([](HWND p) {
        AddTyped(p, "路人", "801");
    });
    run.Step([](HWND p) {
        EXPECT_EQ(ListColumn(ChosenListOf(p), 0), (std::vector<std::string>{"张三", "赵六", "王五", "路人"}));
    });
    run.Ok();
    EXPECT_EQ(run.Run(), IDOK);
    const auto& chosen = run.picker.GetChosenEntries();
    EXPECT_EQ(Names(chosen), (std::vector<std::string>{"张三", "赵六", "王五", "路人"}));
}

namespace {
// What a list with LVS_OWNERDATA asks its owner when the user types in it.
int FindRow(HWND picker, int start, const char* text, UINT flags) {
    NMLVFINDITEMA find{};
    find.hdr.hwndFrom = ChosenListOf(picker);
    find.hdr.idFrom = IDC_CHOSEN_LIST;
    find.hdr.code = LVN_ODFINDITEMA;
    find.iStart = start;
    find.lvfi.flags = flags;
    find.lvfi.psz = text;
    return static_cast<int>(::SendMessageA(picker, WM_NOTIFY, IDC_CHOSEN_LIST, reinterpret_cast<LPARAM>(&find)));
}
}  // namespace

TEST(ContactPickerRemove, TheChosenListFindsRowsByTheirNameAndTypingKeepsTheSelectionForTheRemoval) {
    PickerRun run;
    run.picker.GetChosenEntries() = {Caller("7001", "张三", "900"), Caller("7002", "赵六", "901"),
                                     Caller("7003", "Zoe", "902")};
    run.Step([](HWND p) {
        EXPECT_EQ(FindRow(p, 0, "赵", LVFI_STRING | LVFI_PARTIAL), 1);
        EXPECT_EQ(FindRow(p, 0, "zo", LVFI_STRING | LVFI_PARTIAL), 2);
        EXPECT_EQ(FindRow(p, 0, "张三", LVFI_STRING), 0);
        EXPECT_EQ(FindRow(p, 0, "张", LVFI_STRING), -1);
        EXPECT_EQ(FindRow(p, 0, "钱", LVFI_STRING | LVFI_PARTIAL), -1);
        // From the last row on, only a search that wraps comes round to the first.
        EXPECT_EQ(FindRow(p, 2, "张", LVFI_STRING | LVFI_PARTIAL), -1);
        EXPECT_EQ(FindRow(p, 2, "张", LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP), 0);
        // A letter no row begins with, typed into the list, leaves the selection be.
        SelectListRows(ChosenListOf(p), {0, 1});
        ::SendMessageA(ChosenListOf(p), WM_CHAR, 'q', 1);
        Click(p, IDC_REMOVE_CHOSEN);
    });
    run.Step([](HWND p) {
        EXPECT_EQ(ListColumn(ChosenListOf(p), 0), (std::vector<std::string>{"Zoe"}));
        EXPECT_EQ(::SendMessageA(ChosenListOf(p), LVM_GETSELECTEDCOUNT, 0, 0), 0);
    });
    run.Ok();
    EXPECT_EQ(run.Run(), IDOK);
}
