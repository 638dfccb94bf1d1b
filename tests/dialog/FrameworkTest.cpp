// The framework: the dispatch of typed notification handlers and the current message,
// and the owner-data list over a real list view.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/ControlDriver.h"
#include "support/TestWindows.h"
#include "framework/Dialog.h"
#include "framework/OwnerDataList.h"
#include "res/resource.h"

namespace {

constexpr UINT kOuter = WM_APP + 1;
constexpr UINT kThrowing = WM_APP + 2;
constexpr UINT kSpinId = IDC_TIME_SPIN;

class ProbeDialog : public Dialog {
public:
    ProbeDialog() : Dialog(IDD_TIME_CONTROL) {}

    UINT seenAfterThrow = 0;
    int seenDelta = 0;

protected:
    bool DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        return messageMap.Dispatch(*this, message, wParam, lParam, result);
    }

private:
    // Sends a message whose handler throws, then looks at the message it is handling.
    void OnOuter() {
        AsWindow().Send(kThrowing);
        seenAfterThrow = CurrentMessage().message;
    }
    void OnThrowing() { throw std::runtime_error("handler failed"); }
    LRESULT OnSpin(const NMUPDOWN& change) {
        seenDelta = change.iDelta;
        return 7;
    }

    static const MessageMap<ProbeDialog> messageMap;
};

const MessageMap<ProbeDialog> ProbeDialog::messageMap = {
    OnMessage(kOuter, &ProbeDialog::OnOuter),
    OnMessage(kThrowing, &ProbeDialog::OnThrowing),
    OnNotify(kSpinId, UDN_DELTAPOS, &ProbeDialog::OnSpin),
};

}  // namespace

TEST(DialogDispatch, AHandlerThatThrowsLeavesTheOuterMessageCurrent) {
    const HWND parent = testwindows::CreateParent();
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.CreateChild(parent));
    dialog.AsWindow().Send(kOuter);
    EXPECT_EQ(dialog.seenAfterThrow, kOuter);
    ::DestroyWindow(parent);
}

TEST(DialogDispatch, ANotificationHandlerGetsItsStructureAndGivesTheResult) {
    const HWND parent = testwindows::CreateParent();
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.CreateChild(parent));
    NMUPDOWN change{};
    change.hdr.hwndFrom = dialog.Item(kSpinId).Handle();
    change.hdr.idFrom = kSpinId;
    change.hdr.code = UDN_DELTAPOS;
    change.iDelta = -3;
    EXPECT_EQ(dialog.AsWindow().Send(WM_NOTIFY, kSpinId, reinterpret_cast<LPARAM>(&change)), 7);
    EXPECT_EQ(dialog.seenDelta, -3);

    // Another code from the same control is not the handler's.
    change.hdr.code = NM_CLICK;
    change.iDelta = 5;
    EXPECT_EQ(dialog.AsWindow().Send(WM_NOTIFY, kSpinId, reinterpret_cast<LPARAM>(&change)), 0);
    EXPECT_EQ(dialog.seenDelta, -3);
    ::DestroyWindow(parent);
}

namespace {

// An owner-data list of names in a parent of its own, which hands the list's questions
// to an OwnerDataList as a dialog's message map does.
class NameList {
public:
    explicit NameList(std::vector<std::string> names) {
        parent_ = testwindows::CreateParent(400, 300);
        ::SetWindowLongPtrA(parent_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ::SetWindowLongPtrA(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NameList::Proc));
        list_ = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0,
                                  300, 200, parent_, reinterpret_cast<HMENU>(1), ::GetModuleHandleA(nullptr), nullptr);
        rows.Attach(ListView(list_));
        rows.InsertColumns({"name"});
        rows.Rows() = std::move(names);
        rows.ShowRows();
    }
    ~NameList() { ::DestroyWindow(parent_); }

    HWND List() const { return list_; }
    void Focus(int row) const {
        LVITEMA item{};
        item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    int Focused() const { return static_cast<int>(::SendMessageA(list_, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED)); }

    OwnerDataList<std::string> rows{{{kCentredColumn, 100, [](const std::string& s) -> const std::string& { return s; }, {}, {}}}};

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<NameList*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_NOTIFY && self != nullptr) {
            switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
            case LVN_GETDISPINFOA:
                return self->rows.OnDisplayInfo(*reinterpret_cast<NMLVDISPINFOA*>(lParam));
            case LVN_ODFINDITEMA:
                return self->rows.OnFindRow(*reinterpret_cast<const NMLVFINDITEMA*>(lParam));
            case LVN_ODFINDITEMW:
                return self->rows.OnFindRow(*reinterpret_cast<const NMLVFINDITEMW*>(lParam));
            default:
                break;
            }
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    }

    HWND parent_ = nullptr;
    HWND list_ = nullptr;
};

}  // namespace

TEST(OwnerDataList, TypingGoesToTheNextRowThatBeginsWithTheLetterAndAMissKeepsTheSelection) {
    struct Case {
        int focused;
        char typed;
        int selected;
    };
    // From the row after the focused one, wrapping round; Latin letters in either case.
    const Case cases[] = {{2, 'q', 2}, {2, 'z', 3}, {3, 'z', 1}, {0, 'Z', 1}};
    for (const Case& c : cases) {
        NameList names({"张三", "zed", "陈七", "Zoe"});
        names.Focus(c.focused);
        ::SendMessageA(names.List(), WM_CHAR, static_cast<WPARAM>(c.typed), 1);
        EXPECT_EQ(e2e::SelectedListRows(names.List()), std::vector<int>{c.selected}) << c.typed << " from " << c.focused;
    }
}

TEST(OwnerDataList, AHostsFindInEitherFormSearchesTheFirstColumn) {
    NameList names({"张三", "zed", "陈七", "Zoe"});
    const auto findA = [&](const char* text, UINT flags) {
        LVFINDINFOA find{};
        find.flags = flags;
        find.psz = text;
        return ::SendMessageA(names.List(), LVM_FINDITEMA, WPARAM(-1), reinterpret_cast<LPARAM>(&find));
    };
    const auto findW = [&](const wchar_t* text, UINT flags) {
        LVFINDINFOW find{};
        find.flags = flags;
        find.psz = text;
        return ::SendMessageW(names.List(), LVM_FINDITEMW, WPARAM(-1), reinterpret_cast<LPARAM>(&find));
    };
    EXPECT_EQ(findA("陈七", LVFI_STRING), 2);
    EXPECT_EQ(findA("ZOE", LVFI_STRING), 3);
    EXPECT_EQ(findA("陈", LVFI_STRING), -1);
    EXPECT_EQ(findW(L"\u9648", LVFI_PARTIAL), 2);
    EXPECT_EQ(findW(L"nobody", LVFI_STRING), -1);
    EXPECT_EQ(findA("x", LVFI_PARAM), -1);
}

TEST(OwnerDataList, RowsComeAndGoWithoutMovingTheUsersPlace) {
    std::vector<std::string> many;
    for (int i = 0; i < 100; ++i) many.push_back("n" + std::to_string(i));
    NameList names(many);
    names.Focus(0);
    ::SendMessageA(names.List(), LVM_ENSUREVISIBLE, 99, FALSE);
    const LRESULT top = ::SendMessageA(names.List(), LVM_GETTOPINDEX, 0, 0);
    ASSERT_GT(top, 0);
    {
        const OwnerDataList<std::string>::Batch batch(names.rows);
        names.rows.Rows().push_back("n100");
        names.rows.Rows().push_back("n101");
    }
    EXPECT_EQ(e2e::ListRowCount(names.List()), 102);
    EXPECT_EQ(::SendMessageA(names.List(), LVM_GETTOPINDEX, 0, 0), top) << "adding rows scrolled back to the focus";

    // The focus goes to the row that took the first removed row's place.
    e2e::SelectListRows(names.List(), {10, 11, 50});
    EXPECT_EQ(names.rows.RemoveSelected(), (std::vector<int>{10, 11, 50}));
    EXPECT_EQ(names.rows.Rows()[10], "n12");
    EXPECT_EQ(names.Focused(), 10);
    EXPECT_TRUE(e2e::SelectedListRows(names.List()).empty());
    // None took the last row's place: the new last row has the focus.
    e2e::SelectListRows(names.List(), {98});
    names.rows.RemoveSelected();
    EXPECT_EQ(names.Focused(), 97);
    EXPECT_EQ(names.rows.Rows().back(), "n100");
}

TEST(OwnerDataList, EraseAtKeepsTheOrderAndIgnoresIndicesPastTheEnd) {
    std::vector<std::string> rows = {"0", "1", "2", "3", "4"};
    std::string gone;
    EraseAt(rows, {0, 2, 3, 9}, [&gone](const std::string& row) { gone += row; });
    EXPECT_EQ(rows, (std::vector<std::string>{"1", "4"}));
    EXPECT_EQ(gone, "023");
}
