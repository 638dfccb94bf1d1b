#include "conference/ConferenceDialog.h"

#include "conference/ConferenceLayout.h"
#include "conference/ConferenceTexts.h"
#include "conference/Confirm.h"
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
    // Sizing messages come before the controls exist.
    if (!Item(IDC_CONF_NAME).Exists()) return;
    for (const ConferencePlacement& p : ComputeConferenceLayout(AsWindow().ClientRect().right)) {
        const Window control = p.id != kTimeControlPlacement ? Item(p.id)
                                                             : (timeControl ? timeControl->AsWindow() : Window());
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
    requestText.clear();
    ConferenceValues values;
    values.updateMode = updateMode == 1;
    values.userId = userId;
    values.name = Item(IDC_CONF_NAME).GetText();
    values.description = Item(IDC_CONF_DESCRIPTION).GetText();
    values.chairmanIndex = chairmanIndex;
    values.voiceOn = voiceOn == 1;
    values.scheduled = scheduled != 0;
    values.readStart = [this]() -> std::optional<std::string> {
        SYSTEMTIME date{};
        if (!Item<DateTimePicker>(IDC_START_DATE).GetSystemTime(date) || !timeControl) return std::nullopt;
        return text::Format("%04d%02d%02d", date.wYear, date.wMonth, date.wDay) + timeControl->GetTimeText();
    };
    values.smsOn = smsOn == 1;
    values.noticeChoice = Item<ComboBox>(IDC_NOTICE_MINUTES).GetCurSel();
    values.members = members;

    const std::variant<Refusal, std::string> result = Confirm(values, GetConferenceSettings());
    if (const auto* refusal = std::get_if<Refusal>(&result)) {
        ShowMessage(refusal->text, refusal->caption);
        return;
    }
    requestText = std::get<std::string>(result);
    NotifyHost(1, reinterpret_cast<LPARAM>(requestText.c_str()));
    EndDialog(IDOK);
}
