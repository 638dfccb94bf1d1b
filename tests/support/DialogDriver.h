#pragma once
// Drives the library's dialogs from inside their own modal loops. A thread timer set
// before the export is called fires in the dialog's loop (and in any nested loop of
// a message box or the picker); on each tick the driver runs the next scripted step.
// Steps never block: anything that opens a modal loop is posted, and the next step
// waits for the window it expects.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Quorvel.h"
#include "support/TestData.h"

namespace e2e {

// One WM_CONFERENCE_RESULT as the host received it.
struct HostMessage {
    WPARAM code;
    bool hasText;
    std::string text;  // a copy, taken while the message was handled
};

struct MessageBoxInfo {
    HWND box = nullptr;
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    bool okOnly = false;  // an OK button and no other
};

// A record as a host passes it in, with the storage of its member ids.
struct HostRecord {
    std::vector<const char*> ids;
    ConferenceRecord record{};
};
HostRecord MakeRecord(const char* name, const char* description, const char* confId,
                      std::vector<const char*> memberIds = {}, int noticeMinutes = 0,
                      const char* startText = nullptr);

class DialogDriver {
public:
    // A step returns true when it is done, false to be tried again on the next tick.
    using Step = std::function<bool()>;

    DialogDriver();
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    HWND NotifyWindow() const { return notifyWindow_; }
    const std::vector<HostMessage>& Messages() const { return messages_; }
    std::vector<WPARAM> MessageCodes() const;

    void Then(Step step);
    // Waits for the conference dialog, then acts on it once.
    void OnConference(std::function<void(HWND dialog)> action);
    // Waits for the contact picker, then acts on it once.
    void OnPicker(std::function<void(HWND picker)> action);
    // Waits for a message box, checks its text, caption and owner kind, and presses OK.
    void ExpectMessageBox(const std::string& text, const std::string& caption);
    // Waits until `ms` milliseconds have passed since this step was reached.
    void Wait(int ms);

    // Calls the export with the scripted steps running; fails the test (non-fatally)
    // when a dialog is still open after `timeoutMs`, closing whatever is open.
    ConferenceRecord* Run(const ConferenceRecord* record, const char* userId, int timeoutMs = 15000);
    // The same around any modal run (a dialog object's DoModal, say); returns its result.
    INT_PTR RunModal(const std::function<INT_PTR()>& modal, int timeoutMs = 15000);
    bool TimedOut() const { return timedOut_; }

private:
    static LRESULT CALLBACK NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void RunSteps();
    void CloseEverything();

    HWND notifyWindow_ = nullptr;
    std::vector<HostMessage> messages_;
    std::vector<Step> steps_;
    size_t nextStep_ = 0;
    bool inStep_ = false;
    bool timedOut_ = false;
    DWORD deadline_ = 0;
};

// Windows of this thread.
HWND FindConferenceDialog();
HWND FindPickerDialog();
// The visible message box of this thread, if any.
MessageBoxInfo FindMessageBox();

// Actions. Clicks and keys are posted, so that modal loops they open run in the dialog's
// own loop rather than inside the step.
void SetText(HWND dialog, int id, const std::string& text);
std::string GetText(HWND dialog, int id);
void Click(HWND dialog, int id);
void PostKey(HWND window, UINT virtualKey);
// Posts one WM_CHAR per byte, as a user typing ASCII would produce them.
void TypeChars(HWND control, const std::string& chars);
bool IsChecked(HWND dialog, int id);

// The conference dialog's start: the date picker and the time control's digit edits.
HWND TimeControlOf(HWND dialog);
// Replaces the whole text of a time field by typing, as a user who selected it would.
void Retype(HWND dialog, int fieldId, const std::string& chars);
void SetPickerDate(HWND dialog, int year, int month, int day);

// The calls the stand-in skinning library has received, one line each.
std::vector<std::string> SkinCalls();
// One line of that log, as the stand-in writes it: the call, the window, the rest.
std::string SkinCall(const char* call, HWND window, const std::string& rest);
void ClearSkinCalls();

// Replaces (or, with `present` false, removes) a file of the host folder for the
// lifetime of the object, restoring the original afterwards.
class ScopedHostFile {
public:
    ScopedHostFile(const std::string& relativePath, const std::string& contents, bool present = true);
    ~ScopedHostFile();
    ScopedHostFile(const ScopedHostFile&) = delete;
    ScopedHostFile& operator=(const ScopedHostFile&) = delete;

private:
    std::string path_;
    std::string original_;
    bool hadOriginal_ = false;
};

// The folder of the test executable, which the library takes as the host's folder.
std::string HostFolder();
std::string ReadFileBytes(const std::string& path, bool* exists = nullptr);
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace e2e
