#pragma once
// The modal conference dialog (template 138): name, description, voice, start,
// members and SMS notice; on OK it writes the request document.
#include <memory>
#include <string>
#include <vector>

#include "conference/MemberEntry.h"
#include "directory/Company.h"
#include "entry/ConferenceSettings.h"
#include "framework/Dialog.h"

class TimeControl;

class ConferenceDialog : public Dialog {
public:
    // Takes `record` (may be null) over into the library's record.
    explicit ConferenceDialog(const ConferenceSettings* record);
    ~ConferenceDialog() override;

    void SetUserId(const std::string& id) { userId = id; }
    void SetNotifyWindow(HWND window) { notifyWindow = window; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Dialog frame
    void OnSize();
    void OnDestroy();
    void OnClose();
    void LayoutControls();
    void InitTimeAndList();
    void NotifyHost(WPARAM code, LPARAM text) const;

    // Schedule and notice options
    void InitStartTime();
    void InitNoticeChoices();
    void ApplyRecordStartAndNotice();
    void OnVoiceClicked();
    void OnSmsClicked();
    void OnStartNow();
    void OnScheduled();

    // Member list
    void InitMemberList();
    void LoadDirectory();
    void AddRecordMembers();
    void AppendRow(const ContactEntry& entry);
    void SetHeaderCheck(int on);
    void OnAddMembers();
    void OnDeleteMembers();
    LRESULT OnListClick(const NMITEMACTIVATE& click);
    LRESULT OnListColumnClick(const NMLISTVIEW& click);

    std::vector<Company> companies;
    std::string requestText;
    HWND notifyWindow = nullptr;
    int updateMode = 0;
    std::unique_ptr<TimeControl> timeControl;
    HWND headerControl = nullptr;
    std::vector<MemberEntry> members;
    std::string userId;
    int voiceOn = 0;
    int smsOn = 0;
    int allChecked = 0;
    unsigned char scheduled = 0;
    int chairmanIndex = -1;

    static const MessageMap<ConferenceDialog> messageMap;
};
