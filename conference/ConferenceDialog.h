#pragma once
// The modal conference dialog (template 138): name and description, the schedule and
// notice options, the member list; on OK it confirms the values into the record it
// was given and sends the request document to the host.
#include <string>

#include "conference/ConferenceSettings.h"
#include "conference/MemberList.h"
#include "conference/ScheduleOptions.h"
#include "framework/Dialog.h"
#include "framework/Dpi.h"

class ConferenceDialog : public Dialog {
public:
    // Takes `given` (may be null) over into `record`, which the dialog then works on.
    ConferenceDialog(ConferenceSettings& record, const ConferenceSettings* given, const CallContext& context);
    ~ConferenceDialog() override;

    void SetUserId(const std::string& id) { userId = id; }
    void SetNotifyWindow(HWND window) { notifyWindow = window; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnSize();
    void OnDestroy();
    void OnClose();
    void LayoutControls();
    void FitHeightToLayout() const;
    void OnDpiChanged();
    void InitTimeAndList();
    // The wParam of WM_CONFERENCE_RESULT: the request is in lParam, or the user cancelled.
    enum class HostNotice : WPARAM { Confirmed = 1, Cancelled = 2 };
    void NotifyHost(HostNotice notice, LPARAM text) const;
    void FocusField(RefusalFocus field);

    void OnAddMembers() { memberList.OnAddMembers(userId); }
    void OnDeleteMembers() { memberList.OnDeleteMembers(); }
    LRESULT OnListClick(const NMITEMACTIVATE& click) { return memberList.OnClick(click); }
    LRESULT OnListDisplayInfo(NMLVDISPINFOA& request) { return memberList.OnDisplayInfo(request); }
    LRESULT OnListCustomDraw(const NMLVCUSTOMDRAW& draw) { return memberList.OnCustomDraw(draw); }
    LRESULT OnListFindRow(const NMLVFINDITEMA& find) { return memberList.OnFindRow(find); }
    LRESULT OnListFindRowW(const NMLVFINDITEMW& find) { return memberList.OnFindRow(find); }
    LRESULT OnListColumnClick(const NMLISTVIEW& click) { return memberList.OnColumnClick(click, CurrentMessage().pt); }
    LRESULT OnListKeyDown(const NMLVKEYDOWN& key) { return memberList.OnKeyDown(key); }
    void OnContextMenu();
    void OnVoiceClicked() { options.OnVoiceClicked(); }
    void OnSmsClicked() { options.OnSmsClicked(); }
    void OnStartNow() { options.OnStartNow(); }
    void OnScheduled() { options.OnScheduled(); }

    ConferenceSettings& record;
    const bool updateMode;  // the record names an existing conference
    std::string requestText;
    bool sendingRequest = false;  // while the host handles the request
    HWND notifyWindow = nullptr;
    int dpi = kDefaultDpi;  // the window's, which the layout's pixel numbers are scaled to
    std::string userId;
    MemberList memberList;
    ScheduleOptions options;

    static const MessageMap<ConferenceDialog> messageMap;
};
