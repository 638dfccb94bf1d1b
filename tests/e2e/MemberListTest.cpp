// The member list through the real export: people from the record and from the picker,
// the check boxes of the rows and of the header, the chairman mark, deletion, and the
// requests that come out of it byte for byte.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "conference/ConferenceTexts.h"
#include "res/resource.h"
#include "support/ControlDriver.h"
#include "support/DialogDriver.h"
#include "support/Records.h"

using namespace e2e;

namespace {

enum { kUnchecked = 0, kChecked = 1, kNotChairman = 2, kChairman = 3 };

// The members' fixture directory in place of the sample host's, for one test.
struct MembersDirectory {
    ScopedHostFile departments{"dconf\\DepartmentInfo.xml", ReadFileBytes(TestDataPath("members/DepartmentInfo.xml"))};
};

HostRecord WeeklyMeeting(const char* confId, std::vector<const char*> memberIds) {
    return MakeRecord("周例会", "讨论项目进度", confId, std::move(memberIds), 0, texts::kStartAtOnce);
}

HWND MemberList(HWND dialog) { return ::GetDlgItem(dialog, IDC_MEMBER_LIST); }
HWND HeaderOf(HWND list) { return reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0)); }

std::vector<int> ColumnImages(HWND list, int column) {
    std::vector<int> images;
    for (int row = 0; row < ListRowCount(list); ++row) images.push_back(ListCellImage(list, row, column));
    return images;
}

// What the list tells screen readers of each row's check: its state picture, less one
// (a check box list's 1 is unchecked, 2 checked), so that it reads as the drawn picture.
std::vector<int> ReportedChecks(HWND list) {
    EXPECT_NE(::SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES, 0);
    std::vector<int> checks;
    for (int row = 0; row < ListRowCount(list); ++row)
        checks.push_back(static_cast<int>(::SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12) - 1);
    return checks;
}

HDITEMA HeaderItem(HWND list) {
    HDITEMA item{};
    item.mask = HDI_FORMAT | HDI_BITMAP;
    ::SendMessageA(HeaderOf(list), HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item;
}

// A click on a row's check box area (or beside it) at `x`.
void ClickRowAt(HWND list, int row, int x) { ClickListAt(list, x, ListCellCentre(list, row, 0).y); }

// A click on the chairman column of a row, after widening that column so it can be hit.
void ClickChairman(HWND list, int row) {
    ::SendMessageA(list, LVM_SETCOLUMNWIDTH, 1, 30);
    const POINT centre = ListCellCentre(list, row, 1);
    ClickListAt(list, centre.x, centre.y);
}

// Whether the header, as drawn on screen, shows every pixel of `bitmap` somewhere near
// its left edge.
bool HeaderShowsBitmap(HWND header, HBITMAP bitmap) {
    BITMAP shape{};
    if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof shape, &shape) == 0) return false;
    ::RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client{};
    ::GetClientRect(header, &client);
    HDC screen = ::GetDC(header);
    HDC copy = ::CreateCompatibleDC(screen);
    HBITMAP drawn = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ previousDrawn = ::SelectObject(copy, drawn);
    ::BitBlt(copy, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    HDC source = ::CreateCompatibleDC(screen);
    HGDIOBJ previousSource = ::SelectObject(source, bitmap);
    bool found = false;
    for (int ox = 0; ox <= 12 && !found; ++ox) {
        for (int oy = 0; oy + shape.bmHeight <= client.bottom && !found; ++oy) {
            bool all = true;
            for (int y = 0; y < shape.bmHeight && all; ++y)
                for (int x = 0; x < shape.bmWidth && all; ++x)
                    all = ::GetPixel(copy, ox + x, oy + y) == ::GetPixel(source, x, y);
            found = all;
        }
    }
    ::SelectObject(source, previousSource);
    ::DeleteDC(source);
    ::SelectObject(copy, previousDrawn);
    ::DeleteObject(drawn);
    ::DeleteDC(copy);
    ::ReleaseDC(header, screen);
    return found;
}

// Types one person by hand into the picker. The texts are set at once and the click is
// posted, so a second person must wait for the next step.
void TypePerson(HWND picker, const std::string& name, const std::string& number) {
    SetText(picker, IDC_PICKER_NAME, name);
    SetText(picker, IDC_TYPED_NUMBER, number);
    Click(picker, IDC_ADD_TYPED);
}

void NameAndConfirm(HWND dialog) {
    SetText(dialog, IDC_CONF_NAME, "周例会");
    Click(dialog, IDOK);
}

const std::string& RequestOf(const DialogDriver& driver) {
    static const std::string none;
    for (const HostMessage& message : driver.Messages())
        if (message.code == 1 && message.hasText) return message.text;
    ADD_FAILURE() << "no request reached the host";
    return none;
}

}  // namespace

TEST(MemberListFromRecord, FindsPeopleAtAnyDepthOnceEachAndNobodyByAnEmptyId) {
    MembersDirectory directory;
    HostRecord given = WeeklyMeeting("", {"1002", "1003", "", "1005", "9999", "1004", "1002"});
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        const HWND list = MemberList(dialog);
        // 1003 sits in a nested department, 1005 in two; the empty id must not find the
        // nameless entry, and an id written twice is one row.
        EXPECT_EQ(ListColumn(list, 0), (std::vector<std::string>{"李明", "张伟", "赵强", "陈静"}));
        EXPECT_EQ(ListColumn(list, 2), (std::vector<std::string>{"1002", "1003", "1005", "1004"}));
        EXPECT_EQ(ListColumn(list, 3), (std::vector<std::string>{"研发部", "秘书处", "研发部", "市场部"}));
        EXPECT_EQ(ColumnImages(list, 0), (std::vector<int>(4, kChecked)));
        EXPECT_EQ(ColumnImages(list, 1), (std::vector<int>(4, kNotChairman)));
        EXPECT_EQ(ListCellImage(list, 0, 2), I_IMAGENONE);
        NameAndConfirm(dialog);
    });
    const ConferenceRecord* record = driver.Run(&given.record, "1001");
    const std::string request = RequestOf(driver);
    EXPECT_NE(request.find("<dsml method=\"createconf\""), std::string::npos);
    EXPECT_NE(request.find("<userlist>\r\n"
                           "<user mobile=\"802\">sip:1002@example.cn</user>\r\n"
                           "<user mobile=\"803\">sip:1003@example.cn</user>\r\n"
                           "<user mobile=\"805\">sip:1005@example.cn</user>\r\n"
                           "<user mobile=\"0804\">sip:1004@example.cn</user>\r\n"
                           "</userlist>\r\n"),
              std::string::npos)
        << request;
    ASSERT_EQ(record->memberIdCount, 4);
    EXPECT_STREQ(record->memberIds[3], "1004");
    EXPECT_STREQ(record->memberCount, "4");
}

// A conference created with people from a sub-department and from a department listed
// twice, reopened from the record the library returned, sends the same people again.
TEST(MemberListFromRecord, AReopenedConferenceKeepsItsMembers) {
    MembersDirectory directory;
    std::string created;
    std::vector<std::string> ids;
    {
        DialogDriver driver;
        driver.OnConference([](HWND dialog) { Click(dialog, IDC_ADD_MEMBERS); });
        driver.OnPicker([](HWND picker) {
            const HWND tree = ::GetDlgItem(picker, IDC_COMPANY_TREE);
            SelectTreeItem(tree, FindTreeItem(tree, {"甲公司", "研发部", "秘书处", "张伟"}));
            Click(picker, IDC_MOVE);
        });
        driver.OnPicker([](HWND picker) {
            const HWND tree = ::GetDlgItem(picker, IDC_COMPANY_TREE);
            SelectTreeItem(tree, FindTreeItem(tree, {"甲公司", "市场部", "赵强"}));
            Click(picker, IDC_MOVE);
        });
        driver.OnPicker([](HWND picker) { Click(picker, IDOK); });
        driver.OnConference(NameAndConfirm);
        const ConferenceRecord* record = driver.Run(nullptr, "1001");
        created = RequestOf(driver);
        for (int i = 0; i < record->memberIdCount; ++i) ids.emplace_back(record->memberIds[i]);
    }
    EXPECT_EQ(ids, (std::vector<std::string>{"1001", "1003", "1005"}));
    const size_t from = created.find("<userlist>");
    ASSERT_NE(from, std::string::npos) << created;
    const std::string people = created.substr(from);

    std::vector<const char*> idTexts;
    for (const std::string& id : ids) idTexts.push_back(id.c_str());
    HostRecord reopened = WeeklyMeeting("conf-7", idTexts);
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        EXPECT_EQ(ListColumn(MemberList(dialog), 0), (std::vector<std::string>{"王建国", "张伟", "赵强"}));
        Click(dialog, IDOK);
    });
    driver.Run(&reopened.record, "1001");
    const std::string updated = RequestOf(driver);
    EXPECT_NE(updated.find("<dsml method=\"updateconf\""), std::string::npos) << updated;
    const size_t updatedFrom = updated.find("<userlist>");
    ASSERT_NE(updatedFrom, std::string::npos) << updated;
    EXPECT_EQ(updated.substr(updatedFrom), people);
}

TEST(MemberListThroughThePicker, WritesTheWeeklyMeetingRequestByteForByte) {
    MembersDirectory directory;
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        SetText(dialog, IDC_CONF_NAME, "周例会");
        SetText(dialog, IDC_CONF_DESCRIPTION, "讨论项目进度");
        Click(dialog, IDC_VOICE);
        Click(dialog, IDC_START_SCHEDULED);
        SetPickerDate(dialog, 2008, 5, 20);
        Retype(dialog, IDC_HOURS, "14");
        Retype(dialog, IDC_MINUTES, "30");
        Retype(dialog, IDC_SECONDS, "0");
        Click(dialog, IDC_SMS);
        ::SendDlgItemMessageA(dialog, IDC_NOTICE_MINUTES, CB_SETCURSEL, 1, 0);
        Click(dialog, IDC_ADD_MEMBERS);
    });
    driver.OnPicker([](HWND picker) {
        const HWND chosen = ::GetDlgItem(picker, IDC_CHOSEN_LIST);
        EXPECT_EQ(ListColumn(chosen, 0), (std::vector<std::string>{"王建国"})) << "the user starts chosen";
        SelectListRows(chosen, {0});
        Click(picker, IDC_REMOVE_CHOSEN);
        TypePerson(picker, "小刘", "801");
    });
    driver.OnPicker([](HWND picker) {
        const HWND tree = ::GetDlgItem(picker, IDC_COMPANY_TREE);
        SelectTreeItem(tree, FindTreeItem(tree, {"甲公司", "研发部", "李明"}));
        Click(picker, IDC_MOVE);
    });
    driver.OnPicker([](HWND picker) {
        EXPECT_EQ(ListColumn(::GetDlgItem(picker, IDC_CHOSEN_LIST), 0), (std::vector<std::string>{"小刘", "李明"}));
        Click(picker, IDOK);
    });
    driver.OnConference([](HWND dialog) {
        EXPECT_EQ(ListColumn(MemberList(dialog), 0), (std::vector<std::string>{"小刘", "李明"}));
        EXPECT_EQ(HeaderItem(MemberList(dialog)).fmt & HDF_BITMAP, HDF_BITMAP);
        Click(dialog, IDOK);
    });
    const ConferenceRecord* record = driver.Run(nullptr, "1001");
    EXPECT_EQ(RequestOf(driver), kWeeklyMeetingRequest);
    ASSERT_EQ(record->memberIdCount, 2);
    EXPECT_STREQ(record->memberIds[0], "");
    EXPECT_STREQ(record->memberIds[1], "1002");
    EXPECT_STREQ(record->chairman, "1001");
    EXPECT_STREQ(record->startText, "2008年05月20日 14:30");
}

TEST(MemberListThroughThePicker, AMemberIsKnownByItsNameNotByAnotherPersonsUri) {
    // A friend `zhangsan`, and a company person whose URI carries that name.
    const ScopedHostFile departments(
        "dconf\\DepartmentInfo.xml",
        "<?xml version=\"1.0\" encoding=\"GBK\"?><d><company name=\"甲公司\"><list name=\"研发部\">"
        "<entry name=\"2001\" uri=\"sip:zhangsan@example.cn\"><display-name>张三丰</display-name></entry>"
        "</list></company></d>");
    const ScopedHostFile friends(
        "dconf\\FriendsInfo.xml",
        "<?xml version=\"1.0\" encoding=\"GBK\"?><f><list name=\"朋友\">"
        "<entry name=\"zhangsan\" uri=\"sip:zhangsan@example.cn\"><display-name>张三</display-name></entry>"
        "</list></f>");
    DialogDriver driver;
    driver.OnConference([](HWND dialog) { Click(dialog, IDC_ADD_MEMBERS); });
    driver.OnPicker([](HWND picker) { ClickTab(::GetDlgItem(picker, IDC_PICKER_TABS), 1); });
    driver.OnPicker([](HWND picker) {
        const HWND tree = ::GetDlgItem(picker, IDC_FRIENDS_TREE);
        SelectTreeItem(tree, FindTreeItem(tree, {"朋友", "张三"}));
        Click(picker, IDC_MOVE);
    });
    driver.OnPicker([](HWND picker) { Click(picker, IDOK); });
    driver.OnConference([](HWND dialog) {
        EXPECT_EQ(ListColumn(MemberList(dialog), 0), (std::vector<std::string>{"张三"}));
        Click(dialog, IDC_ADD_MEMBERS);
    });
    driver.OnPicker([](HWND picker) {
        EXPECT_EQ(ListRowCount(::GetDlgItem(picker, IDC_CHOSEN_LIST)), 0) << "nobody else comes preset";
        Click(picker, IDOK);
    });
    driver.OnConference([](HWND dialog) { NameAndConfirm(dialog); });
    EXPECT_STREQ(driver.Run(nullptr, "1001")->memberCount, "1");
}

TEST(MemberListChairman, UpdateRequestCarriesTheConfIdAndTheOneChairman) {
    MembersDirectory directory;
    HostRecord given = WeeklyMeeting("77", {"1002", "1005", "1003"});
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        const HWND list = MemberList(dialog);
        EXPECT_EQ(ColumnImages(list, 0), (std::vector<int>(3, kChecked)));
        EXPECT_TRUE(HeaderShowsBitmap(HeaderOf(list), HeaderItem(list).hbm)) << "header checked in update mode";
        ClickChairman(list, 0);
    });
    driver.OnConference([](HWND dialog) {
        const HWND list = MemberList(dialog);
        EXPECT_EQ(ColumnImages(list, 1), (std::vector<int>{kChairman, kNotChairman, kNotChairman}));
        EXPECT_EQ(ListColumn(list, 1), (std::vector<std::string>{"主持人", "", ""})) << "what a screen reader reads";
        ClickChairman(list, 2);
    });
    driver.OnConference([](HWND dialog) {
        const HWND list = MemberList(dialog);
        EXPECT_EQ(ColumnImages(list, 1), (std::vector<int>{kNotChairman, kNotChairman, kChairman}));
        ClickChairman(list, 2);  // a second click takes the mark away
    });
    driver.OnConference([](HWND dialog) {
        const HWND list = MemberList(dialog);
        EXPECT_EQ(ColumnImages(list, 1), (std::vector<int>(3, kNotChairman)));
        EXPECT_EQ(ListColumn(list, 1), (std::vector<std::string>(3)));
        ClickChairman(list, 0);
    });
    driver.OnConference([](HWND dialog) { Click(dialog, IDOK); });
    const ConferenceRecord* record = driver.Run(&given.record, "1001");
    EXPECT_EQ(RequestOf(driver),
              "<dsml method=\"updateconf\"  id=\"1001\">\r\n"
              "<confid>77</confid>\r\n"
              "<name>周例会</name>\r\n"
              "<chairman>1002</chairman>\r\n"
              "<desc>讨论项目进度</desc>\r\n"
              "<audio>0</audio>\r\n"
              "<max>100</max>\r\n"
              "<starttime flag=\"0\"></starttime>\r\n"
              "<msgtime flag=\"0\"></msgtime>\r\n"
              "<userlist>\r\n"
              "<user mobile=\"802\">sip:1002@example.cn</user>\r\n"
              "<user mobile=\"805\">sip:1005@example.cn</user>\r\n"
              "<user mobile=\"803\">sip:1003@example.cn</user>\r\n"
              "</userlist>\r\n"
              "</dsml>");
    EXPECT_STREQ(record->chairman, "1002");
    EXPECT_STREQ(record->confId, "77");
    EXPECT_STREQ(record->memberCount, "3");
}

TEST(MemberListCheckBoxes, RowClicksNearTheLeftEdgeToggleAndTheHeaderFlipsAll) {
    MembersDirectory directory;
    HostRecord given = WeeklyMeeting("", {"1002", "1005", "1003"});
    DialogDriver driver;
    HBITMAP uncheckedPicture = nullptr;
    driver.OnConference([&](HWND dialog) {
        const HWND list = MemberList(dialog);
        uncheckedPicture = HeaderItem(list).hbm;
        EXPECT_TRUE(HeaderShowsBitmap(HeaderOf(list), uncheckedPicture)) << "header unchecked when creating";
        ClickRowAt(list, 0, 3);
        ClickRowAt(list, 1, 13);
        ClickRowAt(list, 1, 13);  // twice: as it was
        ClickRowAt(list, 2, 14);  // beside the box: nothing
        ClickHeaderAt(list, 20);  // on the heading text: nothing
    });
    driver.OnConference([&](HWND dialog) {
        const HWND list = MemberList(dialog);
        EXPECT_EQ(ColumnImages(list, 0), (std::vector<int>{kUnchecked, kChecked, kChecked}));
        EXPECT_EQ(ReportedChecks(list), ColumnImages(list, 0));
        EXPECT_EQ(HeaderItem(list).hbm, uncheckedPicture);
        EXPECT_EQ(HeaderItem(list).fmt & (HDF_CHECKBOX | HDF_CHECKED), HDF_CHECKBOX);
        ClickHeaderAt(list, 5);
    });
    driver.OnConference([&](HWND dialog) {
        const HWND list = MemberList(dialog);
        EXPECT_EQ(ColumnImages(list, 0), (std::vector<int>(3, kChecked)));
        const HBITMAP checkedPicture = HeaderItem(list).hbm;
        EXPECT_NE(checkedPicture, uncheckedPicture);
        EXPECT_TRUE(HeaderShowsBitmap(HeaderOf(list), checkedPicture));
        EXPECT_EQ(ReportedChecks(list), ColumnImages(list, 0));
        EXPECT_EQ(HeaderItem(list).fmt & (HDF_CHECKBOX | HDF_CHECKED), HDF_CHECKBOX | HDF_CHECKED);
        ClickHeaderAt(list, 5);
    });
    driver.OnConference([&](HWND dialog) {
        const HWND list = MemberList(dialog);
        EXPECT_EQ(ColumnImages(list, 0), (std::vector<int>(3, kUnchecked)));
        EXPECT_EQ(HeaderItem(list).hbm, uncheckedPicture);
        ClickRowAt(list, 2, 8);
    });
    driver.OnConference([](HWND dialog) { NameAndConfirm(dialog); });
    const ConferenceRecord* record = driver.Run(&given.record, "1001");
    const std::string request = RequestOf(driver);
    EXPECT_NE(request.find("<userlist>\r\n<user mobile=\"803\">sip:1003@example.cn</user>\r\n</userlist>"),
              std::string::npos)
        << request;
    EXPECT_STREQ(record->memberCount, "1");
}

TEST(MemberListTypedPeople, EveryTypedPersonArrivesOnceAndDeletionTakesTheRowsOwnPerson) {
    MembersDirectory directory;
    DialogDriver driver;
    driver.OnConference([](HWND dialog) { Click(dialog, IDC_ADD_MEMBERS); });
    driver.OnPicker([](HWND picker) { TypePerson(picker, "甲", "801"); });
    driver.OnPicker([](HWND picker) { TypePerson(picker, "乙", "802"); });
    driver.OnPicker([](HWND picker) { TypePerson(picker, "丙", "803"); });
    driver.OnPicker([](HWND picker) { Click(picker, IDOK); });
    driver.OnConference([](HWND dialog) {
        // The user's own entry came along: 王建国 first.
        EXPECT_EQ(ListColumn(MemberList(dialog), 0), (std::vector<std::string>{"王建国", "甲", "乙", "丙"}));
        Click(dialog, IDC_ADD_MEMBERS);
    });
    driver.OnPicker([](HWND picker) {
        // Directory members come preset (the user once, though also his own entry);
        // people typed by hand do not.
        EXPECT_EQ(ListColumn(::GetDlgItem(picker, IDC_CHOSEN_LIST), 0), (std::vector<std::string>{"王建国"}));
        TypePerson(picker, "又甲", "801");
    });  // the same number again: no new row
    driver.OnPicker([](HWND picker) { TypePerson(picker, "丁", "804"); });
    driver.OnPicker([](HWND picker) { Click(picker, IDOK); });
    driver.OnConference([](HWND dialog) {
        const HWND list = MemberList(dialog);
        EXPECT_EQ(ListColumn(list, 0), (std::vector<std::string>{"王建国", "甲", "乙", "丙", "丁"}));
        ClickChairman(list, 0);
    });
    driver.OnConference([](HWND dialog) {
        SelectListRows(MemberList(dialog), {2, 3});
        Click(dialog, IDC_DELETE_MEMBERS);
    });
    driver.OnConference([](HWND dialog) {
        const HWND list = MemberList(dialog);
        EXPECT_EQ(ListColumn(list, 0), (std::vector<std::string>{"王建国", "甲", "丁"}));
        SelectListRows(list, {1});
        Click(dialog, IDC_DELETE_MEMBERS);
    });
    driver.OnConference([](HWND dialog) { NameAndConfirm(dialog); });
    const ConferenceRecord* record = driver.Run(nullptr, "1001");
    const std::string request = RequestOf(driver);
    EXPECT_NE(request.find("<chairman>1001</chairman>"), std::string::npos) << "the chairman stays with his row";
    EXPECT_NE(request.find("<userlist>\r\n"
                           "<user mobile=\"800\">sip:1001@example.cn</user>\r\n"
                           "<user mobile=\"804\"></user>\r\n"
                           "</userlist>"),
              std::string::npos)
        << request;
    EXPECT_STREQ(record->memberCount, "2");
}

TEST(MemberListTypedPeople, DeletingRowsBeforeTheChairmanKeepsHimAndDeletingHimClearsTheMarkWhateverWasTyped) {
    MembersDirectory directory;
    for (const bool deleteChairman : {false, true}) {
        HostRecord given = WeeklyMeeting("", {"1002", "1005", "1003", "1004"});
        DialogDriver driver;
        driver.OnConference([](HWND dialog) {
            ClickChairman(MemberList(dialog), 3);
        });
        driver.OnConference([deleteChairman](HWND dialog) {
            const HWND list = MemberList(dialog);
            SelectListRows(list, deleteChairman ? std::vector<int>{0, 3} : std::vector<int>{0, 1});
            // A letter no member's name begins with, typed through the list's own
            // procedure, leaves the selection for the delete.
            ::SendMessageA(list, WM_CHAR, 'q', 1);
            Click(dialog, IDC_DELETE_MEMBERS);
        });
        driver.OnConference([deleteChairman](HWND dialog) {
            const std::vector<std::string> left =
                deleteChairman ? std::vector<std::string>{"赵强", "张伟"} : std::vector<std::string>{"张伟", "陈静"};
            EXPECT_EQ(ListColumn(MemberList(dialog), 0), left);
            NameAndConfirm(dialog);
        });
        const ConferenceRecord* record = driver.Run(&given.record, "1001");
        const std::string request = RequestOf(driver);
        if (deleteChairman) {
            EXPECT_EQ(request.find("<chairman>"), std::string::npos) << request;
            EXPECT_STREQ(record->chairman, "1001");
        } else {
            EXPECT_NE(request.find("<chairman>1004</chairman>"), std::string::npos) << request;
            EXPECT_STREQ(record->chairman, "1004");
        }
    }
}

namespace {
// The member list's own procedure, while a test makes it refuse more than two rows.
WNDPROC listProc = nullptr;
LRESULT CALLBACK RefusingRows(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == LVM_SETITEMCOUNT && wParam > 2) return FALSE;
    return ::CallWindowProcA(listProc, window, message, wParam, lParam);
}
}  // namespace

TEST(MemberListTypedPeople, PeopleWhoseRowsAreRefusedAreNoMembers) {
    MembersDirectory directory;
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        listProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(MemberList(dialog), GWLP_WNDPROC,
                                                                 reinterpret_cast<LONG_PTR>(&RefusingRows)));
        Click(dialog, IDC_ADD_MEMBERS);
    });
    driver.OnPicker([](HWND picker) { TypePerson(picker, "甲", "801"); });
    driver.OnPicker([](HWND picker) { Click(picker, IDOK); });
    driver.OnConference([](HWND dialog) { Click(dialog, IDC_ADD_MEMBERS); });
    driver.OnPicker([](HWND picker) { TypePerson(picker, "乙", "80299"); });
    driver.OnPicker([](HWND picker) { TypePerson(picker, "丙", "80399"); });
    driver.OnPicker([](HWND picker) { Click(picker, IDOK); });
    driver.OnConference([](HWND dialog) {
        EXPECT_EQ(ListColumn(MemberList(dialog), 0), (std::vector<std::string>{"王建国", "甲"}));
        NameAndConfirm(dialog);
    });
    const ConferenceRecord* record = driver.Run(nullptr, "1001");
    const std::string request = RequestOf(driver);
    EXPECT_EQ(request.find("80299"), std::string::npos) << request;
    EXPECT_EQ(request.find("80399"), std::string::npos) << request;
    EXPECT_NE(request.find("801"), std::string::npos) << request;
    EXPECT_STREQ(record->memberCount, "2");
}
