// The conference dialog through the real export: closing paths, the checks of OK in
// their order with their texts, the record take-over, the layout and the skin calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "conference/ConferenceLayout.h"
#include "conference/ConferenceTexts.h"
#include "res/resource.h"
#include "support/DialogDriver.h"

using namespace e2e;

namespace {

RECT ChildRect(HWND dialog, HWND control) {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

TEST(ConferenceDialogClosing, CancelButtonSendsOneCancelAndLeavesAnEmptyRecord) {
    DialogDriver driver;
    driver.OnConference([](HWND dialog) { Click(dialog, IDCANCEL); });
    const ConferenceRecord* record = driver.Run(nullptr, "1001");
    EXPECT_EQ(driver.MessageCodes(), (std::vector<WPARAM>{2}));
    EXPECT_FALSE(driver.Messages()[0].hasText);
    for (const char* text : {record->name, record->description, record->confId, record->userId,
                             record->chairman, record->memberCount, record->startText}) {
        ASSERT_NE(text, nullptr);
        EXPECT_STREQ(text, "");
    }
    EXPECT_EQ(record->memberIdCount, 0);
}

TEST(ConferenceDialogClosing, EscSendsOneCancel) {
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        ::SetFocus(::GetDlgItem(dialog, IDC_CONF_NAME));
        PostKey(::GetDlgItem(dialog, IDC_CONF_NAME), VK_ESCAPE);
    });
    driver.Run(nullptr, "1001");
    EXPECT_EQ(driver.MessageCodes(), (std::vector<WPARAM>{2}));
}

TEST(ConferenceDialogClosing, TitleBarCloseSendsCancelTwice) {
    DialogDriver driver;
    driver.OnConference([](HWND dialog) { ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
    driver.Run(nullptr, "1001");
    EXPECT_EQ(driver.MessageCodes(), (std::vector<WPARAM>{2, 2}));
}

TEST(ConferenceDialogChecks, RefusesInOrderAndStoresWhatEachStepStored) {
    DialogDriver driver;
    const std::string longName(65, 'n');
    const std::string longDescription(129, 'd');
    // 1: blanks only.
    driver.OnConference([](HWND dialog) {
        SetText(dialog, IDC_CONF_NAME, "   ");
        Click(dialog, IDOK);
    });
    driver.ExpectMessageBox(texts::kNameEmpty, texts::kCaptionNotice);
    // 2: 65 bytes, set as a record or paste would, past the typing limit.
    driver.OnConference([&](HWND dialog) {
        SetText(dialog, IDC_CONF_NAME, longName);
        SetText(dialog, IDC_CONF_DESCRIPTION, longDescription);
        Click(dialog, IDOK);
    });
    driver.ExpectMessageBox(texts::kNameTooLong, texts::kCaptionLength);
    // 3: name fine, description 129 bytes.
    driver.OnConference([](HWND dialog) {
        SetText(dialog, IDC_CONF_NAME, " 周例会 ");
        Click(dialog, IDOK);
    });
    driver.ExpectMessageBox(texts::kDescriptionTooLong, texts::kCaptionLength);
    // 4: everything fine but nobody to invite.
    driver.OnConference([](HWND dialog) {
        SetText(dialog, IDC_CONF_DESCRIPTION, "讨论项目进度");
        Click(dialog, IDC_START_NOW);  // start at once
        Click(dialog, IDOK);
    });
    driver.ExpectMessageBox(texts::kNoMembers, texts::kCaptionNotice);
    driver.OnConference([](HWND dialog) { Click(dialog, IDCANCEL); });

    const ConferenceRecord* record = driver.Run(nullptr, "1001");
    EXPECT_EQ(driver.MessageCodes(), (std::vector<WPARAM>{2}));
    EXPECT_STREQ(record->userId, "1001");
    EXPECT_STREQ(record->name, " 周例会 ");
    EXPECT_STREQ(record->chairman, "1001");
    EXPECT_STREQ(record->description, "讨论项目进度");
    EXPECT_STREQ(record->memberCount, "100");
    EXPECT_STREQ(record->startText, texts::kStartAtOnce);
    EXPECT_EQ(record->noticeMinutes, 0);
    EXPECT_EQ(record->memberIdCount, 0);
}

TEST(ConferenceDialogChecks, FirstRefusalStoresNothing) {
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        SetText(dialog, IDC_CONF_NAME, std::string(66, 'x'));
        Click(dialog, IDOK);
    });
    driver.ExpectMessageBox(texts::kNameTooLong, texts::kCaptionLength);
    driver.OnConference([](HWND dialog) { Click(dialog, IDCANCEL); });
    const ConferenceRecord* record = driver.Run(nullptr, "1001");
    EXPECT_STREQ(record->name, "");
    EXPECT_STREQ(record->userId, "");
}

TEST(ConferenceRecordTakeOver, UpdateModeShowsTheRecordWholeAndKeepsItsConfId) {
    // 40 bytes: more than the 32 a user may type, shown whole.
    const std::string name = "二〇〇八年第二季度项目进度周例会讨论";
    ASSERT_GT(name.size(), 32u);
    HostRecord given = MakeRecord(name.c_str(), "说明\r\n第二行", "12");
    DialogDriver driver;
    driver.OnConference([&](HWND dialog) {
        EXPECT_EQ(GetText(dialog, IDC_CONF_NAME), name);
        EXPECT_EQ(GetText(dialog, IDC_CONF_DESCRIPTION), "说明\r\n第二行");
        char caption[64] = {};
        ::GetWindowTextA(dialog, caption, sizeof caption);
        EXPECT_STREQ(caption, "创建多媒体会议");
        Click(dialog, IDCANCEL);
    });
    const ConferenceRecord* record = driver.Run(&given.record, "1001");
    EXPECT_STREQ(record->confId, "12");
    EXPECT_EQ(std::string(record->name), name);
    EXPECT_STREQ(record->description, "说明\r\n第二行");
}

TEST(ConferenceRecordTakeOver, TheReturnedRecordPassedBackOpensWithItsContents) {
    HostRecord given = MakeRecord("季度会", "第一次", "");
    DialogDriver first;
    first.OnConference([](HWND dialog) { Click(dialog, IDOK); });  // stores name, then refuses: no members
    first.ExpectMessageBox(texts::kNoMembers, texts::kCaptionNotice);
    first.OnConference([](HWND dialog) { Click(dialog, IDCANCEL); });
    ConferenceRecord* returned = first.Run(&given.record, "1001");
    ASSERT_STREQ(returned->name, "季度会");

    DialogDriver second;
    second.OnConference([](HWND dialog) {
        EXPECT_EQ(GetText(dialog, IDC_CONF_NAME), "季度会");
        EXPECT_EQ(GetText(dialog, IDC_CONF_DESCRIPTION), "第一次");
        Click(dialog, IDCANCEL);
    });
    second.Run(returned, "1001");
}

TEST(ConferenceRecordTakeOver, ANewConferenceStartsWithTheNoticeOff) {
    HostRecord given = MakeRecord("季度会", "", "", {}, 20);
    DialogDriver first;
    first.OnConference([](HWND dialog) {
        EXPECT_TRUE(IsChecked(dialog, IDC_SMS));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(first.Run(&given.record, "1001")->noticeMinutes, 20);

    DialogDriver second;
    second.OnConference([](HWND dialog) {
        EXPECT_FALSE(IsChecked(dialog, IDC_SMS));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(second.Run(nullptr, "1001")->noticeMinutes, 0);
}

TEST(ConferenceDialogLayout, PlacesEveryControlAsTheLayoutSays) {
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        // The time control is the child dialog that holds the hours field.
        HWND timeControl = ::GetParent(::GetDlgItem(::FindWindowExA(dialog, nullptr, "#32770", nullptr), 1034));
        ASSERT_NE(timeControl, nullptr);
        const auto expectLayout = [&](const char* when) {
            RECT client{};
            ::GetClientRect(dialog, &client);
            for (const ConferencePlacement& p : ComputeConferenceLayout(client.right)) {
                SCOPED_TRACE(testing::Message() << when << ", control " << p.id);
                const HWND control = p.id == kTimeControlPlacement ? timeControl : ::GetDlgItem(dialog, p.id);
                const RECT r = ChildRect(dialog, control);
                EXPECT_EQ(r.left, p.x);
                EXPECT_EQ(r.top, p.y);
                EXPECT_EQ(r.right - r.left, std::max(p.width, 0));
                if (p.id == IDC_NOTICE_MINUTES) {
                    // The height given includes the drop-down: the closed list keeps its own
                    // height, and the drop-down takes the rest.
                    RECT dropped{};
                    ::SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
                    EXPECT_EQ((r.bottom - r.top) + (dropped.bottom - dropped.top), p.height);
                } else {
                    EXPECT_EQ(r.bottom - r.top, std::max(p.height, 0));
                }
            }
        };
        expectLayout("as opened");

        // A client area 300 pixels wide, as a resize would give it.
        RECT frame{};
        ::GetWindowRect(dialog, &frame);
        RECT client{};
        ::GetClientRect(dialog, &client);
        const int extra = (frame.right - frame.left) - client.right;
        ::SetWindowPos(dialog, nullptr, 0, 0, 300 + extra, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
        expectLayout("300 pixels wide");
        Click(dialog, IDCANCEL);
    });
    driver.Run(nullptr, "1001");
}

TEST(ConferenceDialogLayout, TypingStopsAtThe32ByteLimitOfTheName) {
    DialogDriver driver;
    driver.OnConference([](HWND dialog) {
        ::SetFocus(::GetDlgItem(dialog, IDC_CONF_NAME));
        TypeChars(::GetDlgItem(dialog, IDC_CONF_NAME), std::string(40, 'a'));
    });
    driver.OnConference([](HWND dialog) {
        EXPECT_EQ(GetText(dialog, IDC_CONF_NAME), std::string(32, 'a'));
        Click(dialog, IDCANCEL);
    });
    driver.Run(nullptr, "1001");
}

TEST(ConferenceDialogSkin, SkinsTheDialogFirstAndTheTimeControlWithItsShape) {
    ClearSkinCalls();
    DialogDriver driver;
    std::vector<std::string> expected;
    std::string finalShape;
    driver.OnConference([&](HWND dialog) {
        const HWND time = TimeControlOf(dialog);
        expected = {SkinCall("skinmmSetSkin", dialog, "createmeeting"), SkinCall("skinmmSetSkin", time, "TimeControl")};
        for (int id : {IDC_HOURS, IDC_MINUTES, IDC_SECONDS, IDC_HOUR_MINUTE_COLON, IDC_MINUTE_SECOND_COLON})
            expected.push_back(SkinCall("skinmmRemoveCtrl", ::GetDlgItem(time, id), std::to_string(id)));
        RECT client{};
        ::GetClientRect(time, &client);
        // The shape follows the time control's size: the last one is that of its placement.
        finalShape = SkinCall("skinmmSetChildShapeRect", time,
                              "timearea 0 0 " + std::to_string(client.right) + " " + std::to_string(client.bottom - 1) +
                                  " 1");
        Click(dialog, IDCANCEL);
    });
    driver.Run(nullptr, "1001");
    const std::vector<std::string> calls = SkinCalls();
    ASSERT_GE(calls.size(), expected.size() + 1);
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + static_cast<long>(expected.size())), expected);
    EXPECT_EQ(calls.back(), finalShape);
}
