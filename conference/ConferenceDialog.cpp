#include "conference/ConferenceDialog.h"

#include <windowsx.h>

#include "Quorvel.h"
#include "conference/ConferenceLayout.h"
#include "conference/ConferenceTexts.h"
#include "conference/Confirm.h"
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
    OnNotify(IDC_MEMBER_LIST, LVN_GETDISPINFOA, &ConferenceDialog::OnListDisplayInfo),
    OnNotify(IDC_MEMBER_LIST, NM_CUSTOMDRAW, &ConferenceDialog::OnListCustomDraw),
    OnNotify(IDC_MEMBER_LIST, LVN_ODFINDITEMA, &ConferenceDialog::OnListFindRow),
    OnNotify(IDC_MEMBER_LIST, LVN_ODFINDITEMW, &ConferenceDialog::OnListFindRowW),
    OnCommand(IDC_START_NOW, BN_CLICKED, &ConferenceDialog::OnStartNow),
    OnCommand(IDC_START_SCHEDULED, BN_CLICKED, &ConferenceDialog::OnScheduled),
    OnNotify(IDC_MEMBER_LIST, LVN_KEYDOWN, &ConferenceDialog::OnListKeyDown),
    OnMessage(WM_CONTEXTMENU, &ConferenceDialog::OnContextMenu),
    OnMessage(WM_DPICHANGED, &ConferenceDialog::OnDpiChanged),
};

ConferenceDialog::ConferenceDialog(ConferenceSettings& record, const ConferenceSettings* given,
                                   const CallContext& context)
    : Dialog(IDD_CONFERENCE), record(record), updateMode(TakeOverRecord(record, given)),
      memberList(updateMode, context) {}

ConferenceDialog::~ConferenceDialog() = default;

bool ConferenceDialog::DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return messageMap.Dispatch(*this, message, wParam, lParam, result);
}

BOOL ConferenceDialog::OnInitDialog() {
    skinmmSetSkin(Handle(), texts::kSkinName);
    options.CreateTimeControl(Handle());
    memberList.Attach(Handle());
    dpi = WindowDpi(Handle());
    FitHeightToLayout();
    LayoutControls();
    InitTimeAndList();
    // Set after the typing limits, and not cut to them.
    Item(IDC_CONF_NAME).SetText(record.name);
    Item(IDC_CONF_DESCRIPTION).SetText(record.description);
    options.ApplyRecord(record);
    memberList.AddRecordMembers(record.memberIds);
    return TRUE;
}

void ConferenceDialog::InitTimeAndList() {
    // Byte limits: a Chinese character counts 2.
    Item<Edit>(IDC_CONF_NAME).LimitText(32);
    Item<Edit>(IDC_CONF_DESCRIPTION).LimitText(128);
    options.InitStart(record.startText);
    memberList.Init(dpi);
    options.InitNoticeChoices();
}

void ConferenceDialog::LayoutControls() {
    // Sizing messages come before the controls exist.
    if (!Item(IDC_CONF_NAME).Exists()) return;
    for (const ConferencePlacement& p : ComputeConferenceLayout(AsWindow().ClientRect().right, dpi)) {
        const Window control = p.id != kTimeControlPlacement ? Item(p.id) : options.TimeControlWindow();
        if (control.Handle() != nullptr) control.Move(p.x, p.y, p.width, p.height);
    }
}

// A right click, Shift+F10 or the menu key on the member list; elsewhere the default.
void ConferenceDialog::OnContextMenu() {
    const MSG& message = CurrentMessage();
    if (reinterpret_cast<HWND>(message.wParam) != Item(IDC_MEMBER_LIST).Handle()) {
        Default();
        return;
    }
    memberList.OnContextMenu({GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)});
}

// The template's height grows with the DPI past what the layout, fixed from the top,
// fills: at 192 DPI it would be taller than a 1080-line screen. At 96 it stays.
void ConferenceDialog::FitHeightToLayout() const {
    if (dpi == kDefaultDpi) return;
    const RECT client = AsWindow().ClientRect();
    const int excess = client.bottom - ConferenceLayoutHeight(dpi);
    if (excess <= 0) return;
    const RECT frame = AsWindow().WindowRect();
    ::SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top - excess,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moved to a monitor of another DPI, under a host aware of each monitor's: the system's
// rectangle for the new DPI, and the layout again at it.
void ConferenceDialog::OnDpiChanged() {
    dpi = TakeDpiChange();
    LayoutControls();
}

void ConferenceDialog::OnSize() {
    Default();
    LayoutControls();
}

void ConferenceDialog::OnDestroy() {
    Default();
    options.DestroyTimeControl();
}

void ConferenceDialog::NotifyHost(HostNotice notice, LPARAM text) const {
    ::SendMessageA(notifyWindow, WM_CONFERENCE_RESULT, static_cast<WPARAM>(notice), text);
}

void ConferenceDialog::OnCancel() {
    if (sendingRequest) return;
    EndDialog(IDCANCEL);
    NotifyHost(HostNotice::Cancelled, 0);
}

void ConferenceDialog::OnClose() {
    if (sendingRequest) return;
    // The dialog manager queues the Cancel command, whose handler notifies again.
    Default();
    NotifyHost(HostNotice::Cancelled, 0);
}

// Through the dialog manager, which selects an edit's text and keeps the default button right.
void ConferenceDialog::FocusField(RefusalFocus field) {
    if (field == RefusalFocus::RefusedTimeField) return options.FocusRefusedTime();
    const int id = field == RefusalFocus::Name          ? IDC_CONF_NAME
                   : field == RefusalFocus::Description ? IDC_CONF_DESCRIPTION
                   : field == RefusalFocus::StartDate   ? IDC_START_DATE
                                                        : IDC_MEMBER_LIST;
    AsWindow().Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id).Handle()), TRUE);
}

void ConferenceDialog::OnOK() {
    if (sendingRequest) return;
    requestText.clear();
    ConferenceValues values;
    values.updateMode = updateMode;
    values.userId = userId;
    values.name = Item(IDC_CONF_NAME).GetText();
    values.description = Item(IDC_CONF_DESCRIPTION).GetText();
    values.chairmanIndex = memberList.ChairmanIndex();
    values.voiceOn = options.VoiceOn();
    values.scheduled = options.Scheduled();
    values.readStart = [this] { return options.ReadStart(); };
    values.smsOn = options.SmsOn();
    values.noticeChoice = options.NoticeChoice();
    values.members = memberList.Members();

    const std::variant<Refusal, std::string> result = Confirm(values, record);
    if (const auto* refusal = std::get_if<Refusal>(&result)) {
        ShowMessage(refusal->text, refusal->caption);
        FocusField(refusal->focus);
        return;
    }
    requestText = std::get<std::string>(result);
    // A host handler may pump messages (a message box, a cross-thread send): until it
    // returns, no input reaches the dialog and no posted OK, Cancel or Close runs, so the
    // request it holds stays as it is and it hears of this confirmation once.
    sendingRequest = true;
    const BOOL wasDisabled = ::EnableWindow(Handle(), FALSE);
    NotifyHost(HostNotice::Confirmed, reinterpret_cast<LPARAM>(requestText.c_str()));
    if (!wasDisabled) ::EnableWindow(Handle(), TRUE);
    sendingRequest = false;
    EndDialog(IDOK);
}
