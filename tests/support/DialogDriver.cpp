#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <utility>

#include "directory/HostDirectory.h"
#include "framework/ThreadWindows.h"
#include "res/resource.h"
#include "skinmm/SkinMM.h"

namespace e2e {

namespace {

DialogDriver* current = nullptr;
constexpr char kNotifyClass[] = "QuorvelTestNotify";
constexpr UINT kTickMs = 25;

// The first visible dialog of this thread for which `match` holds.
HWND FindThreadDialog(const std::function<bool(HWND)>& match) {
    return FindThreadWindow([&match](HWND w) { return IsVisibleDialog(w) && match(w); });
}

}  // namespace

DialogDriver::DialogDriver() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = NotifyProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kNotifyClass;
    ::RegisterClassA(&windowClass);  // fails harmlessly once registered
    notifyWindow_ = ::CreateWindowA(kNotifyClass, "notify", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(notifyWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

DialogDriver::~DialogDriver() { ::DestroyWindow(notifyWindow_); }

LRESULT CALLBACK DialogDriver::NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CONFERENCE_RESULT) {
        auto* self = reinterpret_cast<DialogDriver*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self != nullptr) {
            HostMessage m{wParam, lParam != 0, {}};
            if (lParam != 0) m.text = reinterpret_cast<const char*>(lParam);
            self->messages_.push_back(m);
        }
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

std::vector<WPARAM> DialogDriver::MessageCodes() const {
    std::vector<WPARAM> codes;
    for (const HostMessage& m : messages_) codes.push_back(m.code);
    return codes;
}

void DialogDriver::Then(Step step) { steps_.push_back(std::move(step)); }

void DialogDriver::OnConference(std::function<void(HWND)> action) {
    Then([action] {
        if (FindMessageBox().box != nullptr) return false;
        HWND dialog = FindConferenceDialog();
        if (dialog == nullptr || FindPickerDialog() != nullptr) return false;
        action(dialog);
        return true;
    });
}

void DialogDriver::OnPicker(std::function<void(HWND)> action) {
    Then([action] {
        if (FindMessageBox().box != nullptr) return false;
        HWND picker = FindPickerDialog();
        if (picker == nullptr) return false;
        action(picker);
        return true;
    });
}

void DialogDriver::ExpectMessageBox(const std::string& text, const std::string& caption) {
    Then([text, caption] {
        const MessageBoxInfo box = FindMessageBox();
        if (box.box == nullptr) return false;
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, caption);
        EXPECT_NE(box.owner, nullptr) << "a message box must have an owner";
        Click(box.box, IDOK);
        return true;
    });
}

void DialogDriver::Wait(int ms) {
    // Started on first reach; a start of "now | 1" could lie ahead of now and wrap.
    auto start = std::make_shared<std::pair<bool, DWORD>>(false, 0);
    Then([start, ms] {
        if (!start->first) *start = {true, ::GetTickCount()};
        return ::GetTickCount() - start->second >= static_cast<DWORD>(ms);
    });
}

ConferenceRecord* DialogDriver::Run(const ConferenceRecord* record, const char* userId, int timeoutMs) {
    ConferenceRecord* result = nullptr;
    RunModal([&] {
        result = DLL_CreateConference(notifyWindow_, record, userId);
        return INT_PTR{0};
    }, timeoutMs);
    return result;
}

INT_PTR DialogDriver::RunModal(const std::function<INT_PTR()>& modal, int timeoutMs) {
    current = this;
    nextStep_ = 0;
    timedOut_ = false;
    deadline_ = ::GetTickCount() + static_cast<DWORD>(timeoutMs);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, kTickMs, &DialogDriver::Tick);
    const INT_PTR result = modal();
    ::KillTimer(nullptr, timer);
    current = nullptr;
    EXPECT_FALSE(timedOut_) << "the dialog did not close within " << timeoutMs << " ms (after step " << nextStep_
                            << " of " << steps_.size() << ")";
    EXPECT_EQ(nextStep_, steps_.size()) << "the dialog closed before every scripted step ran";
    steps_.clear();
    // Whatever the dialog posted to itself is gone with it; drop stray messages of this thread.
    MSG m;
    while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&m);
    return result;
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current != nullptr) current->RunSteps();
}

void DialogDriver::RunSteps() {
    if (static_cast<LONG>(::GetTickCount() - deadline_) > 0) {
        timedOut_ = true;
        CloseEverything();
        return;
    }
    if (inStep_ || nextStep_ >= steps_.size()) return;
    inStep_ = true;
    const bool done = steps_[nextStep_]();
    inStep_ = false;
    if (done) ++nextStep_;
}

void DialogDriver::CloseEverything() {
    for (;;) {
        HWND open = FindThreadDialog([](HWND) { return true; });
        if (open == nullptr) break;
        ::EndDialog(open, IDCANCEL);
        ::ShowWindow(open, SW_HIDE);
    }
}

HWND FindConferenceDialog() {
    return FindThreadDialog([](HWND w) { return ::GetDlgItem(w, IDC_VOICE) != nullptr && ::GetDlgItem(w, IDC_MEMBER_LIST) != nullptr; });
}

HWND FindPickerDialog() {
    return FindThreadDialog([](HWND w) { return ::GetDlgItem(w, IDC_FRIENDS_TREE) != nullptr && ::GetDlgItem(w, IDC_CHOSEN_LIST) != nullptr; });
}

MessageBoxInfo FindMessageBox() {
    MessageBoxInfo info;
    info.box = FindThreadDialog([](HWND w) { return ::GetDlgItem(w, 0xFFFF) != nullptr; });
    if (info.box == nullptr) return info;
    info.owner = ::GetWindow(info.box, GW_OWNER);
    info.text = GetText(info.box, 0xFFFF);
    char caption[256] = {};
    ::GetWindowTextA(info.box, caption, sizeof caption);
    info.caption = caption;
    info.okOnly = ::GetDlgItem(info.box, IDOK) != nullptr;
    for (int id : {IDCANCEL, IDYES, IDNO, IDRETRY, IDABORT, IDIGNORE})
        if (::GetDlgItem(info.box, id) != nullptr) info.okOnly = false;
    return info;
}

void SetText(HWND dialog, int id, const std::string& text) { ::SetDlgItemTextA(dialog, id, text.c_str()); }

std::string GetText(HWND dialog, int id) {
    HWND control = ::GetDlgItem(dialog, id);
    const int length = ::GetWindowTextLengthA(control);
    std::string s(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(control, &s[0], length + 1);
    s.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return s;
}

void Click(HWND dialog, int id) { ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void PostKey(HWND window, UINT virtualKey) {
    ::PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
    ::PostMessageA(window, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
}

void TypeChars(HWND control, const std::string& chars) {
    for (unsigned char c : chars) ::PostMessageA(control, WM_CHAR, c, 1);
}

HostRecord MakeRecord(const char* name, const char* description, const char* confId,
                      std::vector<const char*> memberIds, int noticeMinutes, const char* startText) {
    HostRecord r;
    r.ids = std::move(memberIds);
    r.record.name = name;
    r.record.description = description;
    r.record.confId = confId;
    r.record.startText = startText;
    r.record.memberIds = r.ids.data();
    r.record.memberIdCount = static_cast<int>(r.ids.size());
    r.record.noticeMinutes = noticeMinutes;
    return r;
}

bool IsChecked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

HWND TimeControlOf(HWND dialog) { return ::FindWindowExA(dialog, nullptr, "#32770", nullptr); }

void Retype(HWND dialog, int fieldId, const std::string& chars) {
    const HWND field = ::GetDlgItem(TimeControlOf(dialog), fieldId);
    ::SendMessageA(field, EM_SETSEL, 0, -1);
    TypeChars(field, chars);
}

void SetPickerDate(HWND dialog, int year, int month, int day) {
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    ::SendDlgItemMessageA(dialog, IDC_START_DATE, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
}

std::vector<std::string> SkinCalls() {
    const int length = skinmmStandInCallLog(nullptr, 0);
    std::string log(static_cast<size_t>(length) + 1, '\0');
    skinmmStandInCallLog(&log[0], length + 1);
    log.resize(static_cast<size_t>(length));
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = log.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(log.substr(start, end - start));
    return lines;
}

void ClearSkinCalls() { skinmmStandInClearLog(); }

std::string SkinCall(const char* call, HWND window, const std::string& rest) {
    char handle[32] = {};
    std::snprintf(handle, sizeof handle, "%p", static_cast<void*>(window));
    return std::string(call) + " " + handle + " " + rest;
}

std::string HostFolder() { return GetHostDirectory(); }

std::string ReadFileBytes(const std::string& path, bool* exists) {
    std::string bytes;
    FILE* in = std::fopen(path.c_str(), "rb");
    if (exists != nullptr) *exists = in != nullptr;
    if (in == nullptr) return bytes;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) bytes.append(buffer, n);
    std::fclose(in);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
}

ScopedHostFile::ScopedHostFile(const std::string& relativePath, const std::string& contents, bool present)
    : path_(HostFolder() + "\\" + relativePath) {
    original_ = ReadFileBytes(path_, &hadOriginal_);
    if (present)
        WriteFileBytes(path_, contents);
    else
        ::DeleteFileA(path_.c_str());
}

ScopedHostFile::~ScopedHostFile() {
    if (hadOriginal_)
        WriteFileBytes(path_, original_);
    else
        ::DeleteFileA(path_.c_str());
}

}  // namespace e2e
