#include "conference/ConferenceDialog.h"

#include "conference/ConferenceTexts.h"
#include "conference/RequestDocument.h"
#include "controls/TimeControl.h"
#include "framework/DateTimePicker.h"
#include "framework/ListView.h"
#include "res/resource.h"
#include "skinmm/SkinMM.h"

const MessageMap<ConferenceDialog> ConferenceDialog::messageMap = {
    OnMessage(WM_SIZE, &ConferenceDialog::OnSize),
    OnMessage(WM_DESTROY, &ConferenceDialog::OnDestroy),
    OnMessage(WM_CLOSE, &ConferenceDialog::OnClose),
    OnCommand(IDC_ADD_MEMBERS, BN_CLICKED, &ConferenceDialog::OnAddMembers),
    OnCommand(IDC_DELETE_MEMBERS, BN_CLICKED, &ConferenceDialog::OnDeleteMembers),
    OnCommand(IDC_VOICE, BN_CLICKED, &ConferenceDialog::OnVoiceClicked),
    OnCommand(IDC_SMS, BN_CLICKED, &ConferenceDialog::OnSmsClicked),
    OnNotify(IDC_MEMBER_LIST, NM_CLICK, &ConferenceDialog::OnListClick),
    OnNotify(IDC_MEMBER_LIST, LVN_COLUMNCLICK, &ConferenceDialog::OnListColumnClick),
    OnCommand(IDC_START_NOW, BN_CLICKED, &ConferenceDialog::OnStartNow),
    OnCommand(IDC_START_SCHEDULED, BN_CLICKED, &ConferenceDialog::OnScheduled),
};

ConferenceDialog::ConferenceDialog(const ConferenceSettings* record) : Dialog(IDD_CONFERENCE) {
    updateMode = TakeOverRecord(GetConferenceSettings(), record);
    allChecked = updateMode;
}

ConferenceDialog::~ConferenceDialog() = default;

bool ConferenceDialog::DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return messageMap.Dispatch(*this, message, wParam, lParam, result);
}

BOOL ConferenceDialog::OnInitDialog() {
    skinmmSetSkin(Handle(), texts::kSkinName);

    timeControl = std::make_unique<TimeControl>();
    if (timeControl->CreateChild(Handle()))
        timeControl->AsWindow().Show(true);
    else
        timeControl.reset();

    headerControl = Item<ListView>(IDC_MEMBER_LIST).GetHeader();
    LayoutControls();
    InitTimeAndList();
    LoadDirectory();

    const ConferenceSettings& record = GetConferenceSettings();
    // Set after the typing limits, and not cut to them.
    Item(IDC_CONF_NAME).SetText(record.name);
    Item(IDC_CONF_DESCRIPTION).SetText(record.description);
    ApplyRecordStartAndNotice();
    AddRecordMembers();
    return TRUE;
}

void ConferenceDialog::InitTimeAndList() {
    // Byte limits: a Chinese character counts 2.
    Item<Edit>(IDC_CONF_NAME).LimitText(32);
    Item<Edit>(IDC_CONF_DESCRIPTION).LimitText(128);
    InitStartTime();
    InitMemberList();
    InitNoticeChoices();
}

void ConferenceDialog::LayoutControls() {
    if (!Item(IDC_CONF_NAME).Exists()) return;
    const int w = AsWindow().ClientRect().right;
    const int d = (w - 124) / 2;
    struct Placement { int id, x, y, width, height; };
    const Placement placements[] = {
        {IDC_NAME_LABEL, 10, 6, 52, 16},
        {IDC_CONF_NAME, 65, 6, w - 75, 18},
        {IDC_DESCRIPTION_LABEL, 10, 28, 52, 16},
        {IDC_CONF_DESCRIPTION, 65, 28, w - 75, 84},
        {IDC_ATTACH_LABEL, 10, 104, 52, 16},
        {IDC_CONF_ATTACHMENT, 65, 104, w - 75, 18},
        {IDC_CONF_ATTACH_ADD, w - 70, 128, 50, 20},
        {IDC_VOICE, 10, 156, w - 20, 16},
        {IDC_TIME_GROUP, 10, 176, w - 20, 90},
        {IDC_START_NOW, 20, 194, w - 40, 16},
        {IDC_START_SCHEDULED, 20, 218, 65, 16},
        {IDC_START_DATE, 88, 218, d, 20},
        {0, 97 + d, 219, w - 117 - d, 18},  // the time control
        {IDC_CURRENT_TIME, 114, 245, w - 134, 16},
        {IDC_ADD_MEMBERS, 10, 282, 70, 20},
        {IDC_DELETE_MEMBERS, 83, 282, 70, 20},
        {IDC_MEMBER_ADVICE, 156, 290, w - 166, 12},
        {IDC_MEMBER_LIST, 10, 307, w - 20, 80},
        {IDC_NOTICE_GROUP, 10, 391, w - 20, 45},
        {IDC_SMS, 20, 409, 65, 16},
        {IDC_NOTICE_BEFORE, 94, 409, 26, 16},
        {IDC_NOTICE_MINUTES, 123, 409, 104, 100},
        {IDC_NOTICE_AFTER, 230, 409, 26, 16},
        {IDOK, 60, 444, 50, 20},
        {IDCANCEL, w - 110, 444, 50, 20},
    };
    for (const Placement& p : placements) {
        const Window control = p.id != 0 ? Item(p.id) : (timeControl ? timeControl->AsWindow() : Window());
        if (control.Handle() != nullptr) control.Move(p.x, p.y, p.width, p.height);
    }
}

void ConferenceDialog::OnSize() {
    Default();
    LayoutControls();
}

void ConferenceDialog::OnDestroy() {
    Default();
    timeControl.reset();
}

void ConferenceDialog::NotifyHost(WPARAM code, LPARAM text) const {
    ::SendMessageA(notifyWindow, WM_CONFERENCE_RESULT, code, text);
}

void ConferenceDialog::OnCancel() {
    EndDialog(IDCANCEL);
    NotifyHost(2, 0);
}

void ConferenceDialog::OnClose() {
    // The dialog manager queues the Cancel command, whose handler notifies again.
    Default();
    NotifyHost(2, 0);
}

void ConferenceDialog::OnOK() {
    ConferenceSettings& record = GetConferenceSettings();
    requestText.clear();

    const std::string name = Item(IDC_CONF_NAME).GetText();
    if (text::RemoveByte(name, ' ').empty()) {
        ShowMessage(texts::kNameEmpty, texts::kCaptionNotice);
        return;
    }
    if (name.size() > 64) {
        ShowMessage(texts::kNameTooLong, texts::kCaptionLength);
        return;
    }
    const std::string description = Item(IDC_CONF_DESCRIPTION).GetText();

    RequestValues request;
    request.updateMode = updateMode == 1;
    request.userId = userId;
    record.userId = userId;
    request.confId = record.confId;
    request.name = name;
    record.name = name;
    record.chairman = userId;
    request.chairmanId = ChairmanId(members, chairmanIndex);
    if (!request.chairmanId.empty()) record.chairman = request.chairmanId;

    if (description.size() > 128) {
        ShowMessage(texts::kDescriptionTooLong, texts::kCaptionLength);
        return;
    }
    request.description = description;
    record.description = description;
    request.voiceOn = voiceOn == 1;
    record.memberCount = "100";

    if (scheduled == 0) {
        record.startText = texts::kStartAtOnce;
    } else {
        SYSTEMTIME date{};
        if (!Item<DateTimePicker>(IDC_START_DATE).GetSystemTime(date) || !timeControl) {
            ShowMessage(texts::kTimeNotSet, texts::kCaptionNotice);
            return;
        }
        request.startDigits = text::Format("%04d%02d%02d", date.wYear, date.wMonth, date.wDay) + timeControl->GetTimeText();
        record.startText = StartTextFromDigits(request.startDigits);
    }

    request.smsOn = smsOn == 1;
    request.noticeMinutes = smsOn == 1 ? 10 * Item<ComboBox>(IDC_NOTICE_MINUTES).GetCurSel() + 10 : 0;
    record.noticeMinutes = request.noticeMinutes;

    record.memberIds.clear();
    int written = 0;
    for (const MemberEntry& member : members) {
        if (member.checked == 0) continue;
        record.memberIds.push_back(MemberIdFromUri(member.uri));
        ++written;
    }
    if (record.memberIds.empty()) {
        ShowMessage(texts::kNoMembers, texts::kCaptionNotice);
        return;
    }
    record.memberCount = text::Format("%d", written);
    request.members = members;

    requestText = WriteRequestDocument(request);
    NotifyHost(1, reinterpret_cast<LPARAM>(requestText.c_str()));
    EndDialog(IDOK);
}
