// Both dialogs from the keyboard alone: keys go in as real input (SendInput), through the
// input queue, the focus window and the dialog manager, as a user's key presses do.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "support/ControlDriver.h"
#include "support/DialogDriver.h"

using namespace e2e;

namespace {

void SendKey(WORD key, std::vector<WORD> held = {}) {
    std::vector<INPUT> inputs;
    const auto add = [&inputs](WORD vk, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (WORD h : held) add(h, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (auto h = held.rbegin(); h != held.rend(); ++h) add(*h, KEYEVENTF_KEYUP);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The id of the focused control, or 0.
int FocusedId() { return ::GetDlgCtrlID(::GetFocus()); }

// Scripted key presses: each waits until the input queue has taken the keys before the
// next step runs.
class Keys {
public:
    explicit Keys(DialogDriver& driver) : driver(driver) {}

    void Press(WORD key, std::vector<WORD> held = {}) {
        driver.Then([key, held] {
            SendKey(key, held);
            return true;
        });
        Settle();
    }
    void Type(const std::string& ascii) {
        for (char c : ascii) {
            const SHORT scan = ::VkKeyScanA(c);
            Press(LOBYTE(scan), (HIBYTE(scan) & 1) != 0 ? std::vector<WORD>{VK_SHIFT} : std::vector<WORD>{});
        }
    }
    // Presses Tab until the control `id` has the focus (at most `limit` times).
    void TabTo(int id, int limit = 20) {
        auto count = std::make_shared<int>(0);
        driver.Then([id, limit, count] {
            if (FocusedId() == id) return true;
            if ((*count)++ >= limit) {
                ADD_FAILURE() << "Tab never reached control " << id;
                return true;
            }
            SendKey(VK_TAB);
            return false;
        });
    }
    void ExpectFocus(int id) {
        driver.Then([id] {
            EXPECT_EQ(FocusedId(), id);
            return true;
        });
    }

private:
    void Settle() {
        driver.Then([] { return HIWORD(::GetQueueStatus(QS_INPUT)) == 0; });
        driver.Wait(30);
    }
    DialogDriver& driver;
};

// The Tab stops met from the focused control on, `count` presses, as control ids.
void RecordTabCycle(DialogDriver& driver, Keys& keys, std::vector<int>& seen, int count) {
    for (int i = 0; i < count; ++i) {
        keys.Press(VK_TAB);
        driver.Then([&seen] {
            seen.push_back(FocusedId());
            return true;
        });
    }
}

}  // namespace

TEST(Keyboard, TheConferenceDialogOpensInTheNameAndTabFollowsTheLayoutWhateverTheOptionsHold) {
    const std::vector<int> order = {IDC_CONF_DESCRIPTION, IDC_VOICE,      IDC_START_SCHEDULED, IDC_START_DATE,
                                    IDC_HOURS,            IDC_MINUTES,    IDC_SECONDS,        IDC_ADD_MEMBERS,
                                    IDC_DELETE_MEMBERS,   IDC_MEMBER_LIST, IDC_SMS,           IDC_NOTICE_MINUTES,
                                    IDOK,                 IDCANCEL,       IDC_CONF_NAME};
    DialogDriver driver;
    Keys keys(driver);
    std::vector<int> before;
    std::vector<int> after;
    driver.OnConference([](HWND) {});
    keys.ExpectFocus(IDC_CONF_NAME);
    RecordTabCycle(driver, keys, before, static_cast<int>(order.size()));
    // Voice and SMS ticked and unticked from the keyboard stay Tab stops.
    keys.TabTo(IDC_VOICE);
    keys.Press(VK_SPACE);
    keys.TabTo(IDC_SMS);
    keys.Press(VK_SPACE);
    keys.Press(VK_SPACE);
    keys.TabTo(IDC_CONF_NAME);
    RecordTabCycle(driver, keys, after, static_cast<int>(order.size()));
    driver.OnConference([](HWND dialog) {
        EXPECT_TRUE(IsChecked(dialog, IDC_VOICE));
        EXPECT_FALSE(IsChecked(dialog, IDC_SMS));
        Click(dialog, IDCANCEL);
    });
    driver.Run(nullptr, "1001");
    EXPECT_EQ(before, order);
    EXPECT_EQ(after, order);
}

TEST(Keyboard, ThePickerOpensInTheNameTabsAcrossItAndCtrlTabSwitchesTheTabs) {
    const std::vector<int> order = {IDC_TYPED_NUMBER, IDC_ADD_TYPED,   IDC_PICKER_TABS,   IDC_COMPANY_TREE, IDC_MOVE,
                                    IDC_CHOSEN_LIST,  IDC_REMOVE_CHOSEN, IDOK,            IDC_PICKER_NAME};
    DialogDriver driver;
    Keys keys(driver);
    std::vector<int> forward;
    std::vector<int> backward;
    driver.OnConference([](HWND dialog) { Click(dialog, IDC_ADD_MEMBERS); });
    driver.OnPicker([](HWND) {});
    keys.ExpectFocus(IDC_PICKER_NAME);
    RecordTabCycle(driver, keys, forward, static_cast<int>(order.size()));
    for (int i = 0; i < 3; ++i) {
        keys.Press(VK_TAB, {VK_SHIFT});
        driver.Then([&backward] {
            backward.push_back(FocusedId());
            return true;
        });
    }
    const auto shownTree = [](HWND picker) {
        const bool company = ::IsWindowVisible(::GetDlgItem(picker, IDC_COMPANY_TREE)) != FALSE;
        const bool friends = ::IsWindowVisible(::GetDlgItem(picker, IDC_FRIENDS_TREE)) != FALSE;
        return company == friends ? 0 : company ? IDC_COMPANY_TREE : IDC_FRIENDS_TREE;
    };
    keys.TabTo(IDC_COMPANY_TREE);
    keys.Press(VK_TAB, {VK_CONTROL});
    driver.OnPicker([&](HWND picker) {
        EXPECT_EQ(::SendDlgItemMessageA(picker, IDC_PICKER_TABS, TCM_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(shownTree(picker), IDC_FRIENDS_TREE);
        EXPECT_EQ(FocusedId(), IDC_FRIENDS_TREE) << "the focus goes with the tree";
    });
    keys.Press(VK_TAB, {VK_CONTROL, VK_SHIFT});
    driver.OnPicker([&](HWND picker) {
        EXPECT_EQ(::SendDlgItemMessageA(picker, IDC_PICKER_TABS, TCM_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(shownTree(picker), IDC_COMPANY_TREE);
        Click(picker, IDOK);
    });
    driver.OnConference([](HWND dialog) { Click(dialog, IDCANCEL); });
    driver.Run(nullptr, "nobody");
    EXPECT_EQ(forward, order);
    EXPECT_EQ(backward, (std::vector<int>{IDOK, IDC_REMOVE_CHOSEN, IDC_CHOSEN_LIST}));
}

TEST(Keyboard, AfterARefusalTheFocusIsOnTheFieldAtFault) {
    struct Case {
        const char* name;
        const char* refusal;
        int field;
    };
    for (const Case& c : {Case{"", "会议名称不能为空", IDC_CONF_NAME},
                          Case{"周会", "请您选择参加会议人员", IDC_MEMBER_LIST}}) {
        SCOPED_TRACE(c.refusal);
        HostRecord given = MakeRecord(c.name, "", nullptr);
        DialogDriver driver;
        Keys keys(driver);
        driver.OnConference([](HWND) {});
        keys.TabTo(IDC_START_SCHEDULED);  // a new conference's start: the checked radio
        keys.Press(VK_RETURN);            // OK, the default button
        driver.ExpectMessageBox(c.refusal, "多媒体会议－提示");
        keys.ExpectFocus(c.field);
        driver.OnConference([](HWND dialog) { Click(dialog, IDCANCEL); });
        driver.Run(&given.record, "1001");
    }
}

// Everything a conference needs, from the keyboard alone: a name, voice, one person found
// by typing and two moved from the tree, one of them deleted again, one unticked, the
// other made chairman from the member's menu.
TEST(Keyboard, AConferenceIsSetUpFromTheKeyboardAlone) {
    DialogDriver driver;
    Keys keys(driver);
    driver.OnConference([](HWND) {});
    keys.Type("Weekly");
    keys.TabTo(IDC_VOICE);
    keys.Press(VK_SPACE);
    keys.TabTo(IDC_START_SCHEDULED);
    keys.Press(VK_UP);  // to 立即召开, within the radio group
    keys.TabTo(IDC_ADD_MEMBERS);
    keys.Press(VK_SPACE);
    driver.OnPicker([](HWND) {});
    keys.ExpectFocus(IDC_PICKER_NAME);
    keys.Type("heyang");
    keys.Press(VK_DOWN);
    keys.Press(VK_RETURN);  // picks the highlighted suggestion
    keys.TabTo(IDC_COMPANY_TREE);
    keys.Press(VK_HOME);
    keys.Press(VK_RIGHT);   // opens the company
    keys.Press(VK_DOWN);    // its first department
    keys.Press(VK_RIGHT);
    keys.Press(VK_DOWN);    // its first person
    keys.Press(VK_RETURN);  // moves him, and the picker stays open
    keys.Press(VK_DOWN);
    keys.Press(VK_RETURN);
    keys.Press(VK_DOWN);
    keys.Press(VK_RETURN);  // 赵静, whom Delete in the chosen list takes off again
    keys.TabTo(IDC_CHOSEN_LIST);
    keys.Press(VK_END);
    keys.Press(VK_DELETE);
    driver.OnPicker([](HWND picker) {
        EXPECT_EQ(ListColumn(::GetDlgItem(picker, IDC_CHOSEN_LIST), 0),
                  (std::vector<std::string>{"何洋", "王建国", "李明"}));
    });
    keys.TabTo(IDOK);
    keys.Press(VK_RETURN);
    driver.OnConference([](HWND dialog) {
        EXPECT_EQ(ListRowCount(::GetDlgItem(dialog, IDC_MEMBER_LIST)), 3);
    });
    keys.TabTo(IDC_MEMBER_LIST);
    keys.Press(VK_HOME);
    keys.Press(VK_SPACE);   // unticks 何洋
    keys.Press(VK_DOWN);
    keys.Press(VK_DELETE);  // deletes 王建国
    keys.Press(VK_END);
    keys.Press(VK_F10, {VK_SHIFT});
    keys.Press(VK_DOWN);
    keys.Press(VK_RETURN);  // 设为主持人 on 李明
    driver.Then([] {
        SendKey(VK_RETURN);  // OK, the default button, which closes the dialog
        return true;
    });
    driver.Run(nullptr, "9999");

    ASSERT_EQ(driver.MessageCodes(), std::vector<WPARAM>{1});
    EXPECT_EQ(driver.Messages()[0].text,
              "<dsml method=\"createconf\"  id=\"9999\">\r\n"
              "<name>Weekly</name>\r\n"
              "<chairman>1002</chairman>\r\n"
              "<desc></desc>\r\n"
              "<audio>1</audio>\r\n"
              "<max>100</max>\r\n"
              "<starttime flag=\"0\"></starttime>\r\n"
              "<msgtime flag=\"0\"></msgtime>\r\n"
              "<userlist>\r\n"
              "<user mobile=\"13900023471\">sip:1002@quorvel.example</user>\r\n"
              "</userlist>\r\n"
              "</dsml>");
}

// The member's menu opened each way a user opens it (设为主持人 marks the row it opened
// on), and the header's box by Ctrl+Space, in an edited conference, where it starts checked.
TEST(Keyboard, TheMembersMenuAndTheHeadersBoxAreReachedAsAUserReachesThem) {
    struct Case {
        const char* how;
        std::function<void(HWND list)> open;  // on the list's last row
        const char* chairman;                 // on that row afterwards
        int checks;                           // every row's state picture: 1 unchecked, 2 checked
    };
    const auto rightClick = [](HWND list) {
        POINT at = ListCellCentre(list, 1, 2);
        ::ClientToScreen(list, &at);
        ::SetCursorPos(at.x, at.y);
        INPUT press[2]{};
        press[0].type = press[1].type = INPUT_MOUSE;
        press[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        press[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        ::SendInput(2, press, sizeof(INPUT));
    };
    for (const Case& c : {Case{"Shift+F10", [](HWND) { SendKey(VK_F10, {VK_SHIFT}); }, "主持人", 2},
                          Case{"menu key", [](HWND) { SendKey(VK_APPS); }, "主持人", 2},
                          Case{"right click", rightClick, "主持人", 2},
                          Case{"Ctrl+Space", [](HWND) { SendKey(VK_SPACE, {VK_CONTROL}); }, "", 1}}) {
        SCOPED_TRACE(c.how);
        HostRecord given = MakeRecord("周会", "", "7", {"1001", "1002"});
        DialogDriver driver;
        Keys keys(driver);
        driver.OnConference([](HWND) {});
        keys.TabTo(IDC_MEMBER_LIST);
        keys.Press(VK_END);
        driver.OnConference([&c](HWND dialog) { c.open(::GetDlgItem(dialog, IDC_MEMBER_LIST)); });
        if (*c.chairman != '\0') {
            keys.Press(VK_DOWN);
            keys.Press(VK_RETURN);
        }
        driver.OnConference([&c](HWND dialog) {
            const HWND list = ::GetDlgItem(dialog, IDC_MEMBER_LIST);
            EXPECT_EQ(ListColumn(list, 1), (std::vector<std::string>{"", c.chairman}));
            for (int row = 0; row < 2; ++row)
                EXPECT_EQ(::SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(c.checks));
            Click(dialog, IDCANCEL);
        });
        driver.Run(&given.record, "1001");
    }
}

namespace {

struct WinEvent {
    DWORD event;
    HWND window;
    LONG object;
    LONG child;
    bool operator==(const WinEvent& o) const {
        return event == o.event && window == o.window && object == o.object && child == o.child;
    }
};
std::vector<WinEvent> winEvents;

void CALLBACK RecordWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    char name[32] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, "ListBox") == 0) winEvents.push_back({event, window, object, child});
}

}  // namespace

// The edit keeps the focus while the suggestions are open; a screen reader learns of the
// highlighted person from the list's own focus and selection events.
TEST(Keyboard, TheSuggestionsAnnounceTheirHighlight) {
    winEvents.clear();
    const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr, RecordWinEvent,
                                                 ::GetCurrentProcessId(), ::GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    DialogDriver driver;
    Keys keys(driver);
    HWND popup = nullptr;
    driver.OnConference([](HWND dialog) { Click(dialog, IDC_ADD_MEMBERS); });
    driver.OnPicker([](HWND) {});
    keys.Type("he");
    keys.Press(VK_DOWN);
    driver.OnPicker([&popup](HWND) {
        EXPECT_EQ(FocusedId(), IDC_PICKER_NAME);
        popup = winEvents.empty() ? nullptr : winEvents.front().window;
        Click(::FindPickerDialog(), IDOK);
    });
    driver.OnConference([](HWND dialog) { Click(dialog, IDCANCEL); });
    driver.Run(nullptr, "nobody");
    ::UnhookWinEvent(hook);
    ASSERT_NE(popup, nullptr) << "no event from the suggestion list";
    // Each keystroke shows the first row highlighted; Down highlights the second.
    const std::vector<WinEvent> typed = {{EVENT_OBJECT_FOCUS, popup, OBJID_CLIENT, 1},
                                         {EVENT_OBJECT_SELECTION, popup, OBJID_CLIENT, 1}};
    const std::vector<WinEvent> down = {{EVENT_OBJECT_FOCUS, popup, OBJID_CLIENT, 2},
                                        {EVENT_OBJECT_SELECTION, popup, OBJID_CLIENT, 2}};
    std::vector<WinEvent> expected;
    for (int keystroke = 0; keystroke < 2; ++keystroke) expected.insert(expected.end(), typed.begin(), typed.end());
    expected.insert(expected.end(), down.begin(), down.end());
    EXPECT_EQ(winEvents, expected);
}
