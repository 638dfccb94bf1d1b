// The sample host: it plays the instant-messaging client that loads Quorvel.dll.
// A notify window receives the request; "新建会议" creates a conference from nothing,
// "修改会议" edits the record the last call returned.
//
//   quorvel-host.exe            interactive, on the user's display
//   quorvel-host.exe /script    create, then edit, without a person: confirms each
//                               dialog itself, prints both requests and records, and
//                               saves screenshots beside the executable
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Quorvel.h"
#include "host/Screenshot.h"

namespace {

constexpr int kCreateButton = 101;
constexpr int kEditButton = 102;
constexpr int kOutputEdit = 103;
constexpr char kUserId[] = "1001";

std::string lastRequest;
std::vector<int> resultCodes;
ConferenceRecord* lastRecord = nullptr;
HWND outputEdit = nullptr;
HWND notifyWindow = nullptr;

// The host keeps its own copy of a returned record, as a real client would store it.
struct SavedRecord {
    std::string name, description, confId, userId, chairman, startText, memberCount, spare1, spare2;
    std::vector<std::string> memberIds;
    std::vector<const char*> memberIdTexts;
    int noticeMinutes = 0;
    ConferenceRecord view{};

    void Save(const ConferenceRecord& r, const char* newConfId) {
        name = r.name; description = r.description; confId = newConfId ? newConfId : r.confId;
        userId = r.userId; chairman = r.chairman; startText = r.startText; memberCount = r.memberCount;
        spare1 = r.spare1; spare2 = r.spare2; noticeMinutes = r.noticeMinutes;
        memberIds.assign(r.memberIds, r.memberIds + r.memberIdCount);
    }
    const ConferenceRecord* View() {
        memberIdTexts.clear();
        for (const std::string& id : memberIds) memberIdTexts.push_back(id.c_str());
        view = ConferenceRecord{name.c_str(), description.c_str(), confId.c_str(), userId.c_str(),
                                chairman.c_str(), startText.c_str(), memberCount.c_str(), memberIdTexts.data(),
                                static_cast<int>(memberIdTexts.size()), spare1.c_str(), spare2.c_str(),
                                noticeMinutes};
        return &view;
    }
} saved;
bool haveSaved = false;

std::string Describe(const ConferenceRecord& r) {
    std::string s;
    s += "name=" + std::string(r.name) + "\r\n";
    s += "description=" + std::string(r.description) + "\r\n";
    s += "confId=" + std::string(r.confId) + "\r\n";
    s += "userId=" + std::string(r.userId) + "\r\n";
    s += "chairman=" + std::string(r.chairman) + "\r\n";
    s += "startText=" + std::string(r.startText) + "\r\n";
    s += "memberCount=" + std::string(r.memberCount) + "\r\n";
    s += "memberIds=";
    for (int i = 0; i < r.memberIdCount; ++i) s += std::string(i ? "," : "") + "[" + r.memberIds[i] + "]";
    s += "\r\nnoticeMinutes=" + std::to_string(r.noticeMinutes) + "\r\n";
    return s;
}

void Show(const std::string& s) {
    if (outputEdit != nullptr) ::SetWindowTextA(outputEdit, s.c_str());
}

std::string RunConference(bool edit) {
    lastRequest.clear();
    resultCodes.clear();
    const ConferenceRecord* given = edit && haveSaved ? saved.View() : nullptr;
    lastRecord = DLL_CreateConference(notifyWindow, given, kUserId);
    std::string report = edit ? "== edit ==\r\n" : "== create ==\r\n";
    report += "messages:";
    for (int code : resultCodes) report += " " + std::to_string(code);
    report += "\r\n-- request --\r\n" + lastRequest + "\r\n-- record --\r\n" + Describe(*lastRecord);
    if (!lastRequest.empty()) {
        // The server would answer with the conference's id; the sample host invents one.
        saved.Save(*lastRecord, edit ? nullptr : "5001");
        haveSaved = true;
    }
    return report;
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CONFERENCE_RESULT:
        resultCodes.push_back(static_cast<int>(wParam));
        if (wParam == 1 && lParam != 0) lastRequest = reinterpret_cast<const char*>(lParam);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kCreateButton || LOWORD(wParam) == kEditButton)
            Show(RunConference(LOWORD(wParam) == kEditButton));
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateHostWindow(HINSTANCE instance, bool visible) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "QuorvelSampleHost";
    ::RegisterClassA(&windowClass);
    HWND window = ::CreateWindowA("QuorvelSampleHost", "Quorvel sample host", WS_OVERLAPPEDWINDOW, 20, 20, 560,
                                  420, nullptr, nullptr, instance, nullptr);
    ::CreateWindowA("BUTTON", "新建会议", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 120, 26, window,
                    reinterpret_cast<HMENU>(kCreateButton), instance, nullptr);
    ::CreateWindowA("BUTTON", "修改会议", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 140, 10, 120, 26, window,
                    reinterpret_cast<HMENU>(kEditButton), instance, nullptr);
    outputEdit = ::CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE |
                                 ES_READONLY | ES_AUTOVSCROLL, 10, 46, 530, 330, window,
                                 reinterpret_cast<HMENU>(kOutputEdit), instance, nullptr);
    if (visible) ::ShowWindow(window, SW_SHOW);
    return window;
}

}  // namespace

// The scripted run: a thread timer fires inside the dialog's modal loop and plays the user.
namespace script {

int step = 0;
bool editing = false;

struct Search {
    bool messageBox;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    char cls[32] = {};
    ::GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) != "#32770" || !::IsWindowVisible(w)) return TRUE;
    const bool isBox = ::GetDlgItem(w, 0xFFFF) != nullptr;
    if (isBox != s->messageBox) return TRUE;
    s->found = w;
    return FALSE;
}

HWND FindThreadDialog(bool messageBox) {
    Search search{messageBox, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void SetText(HWND dialog, int id, const char* s) { ::SetDlgItemTextA(dialog, id, s); }
void Click(HWND dialog, int id) { ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND box = FindThreadDialog(true)) {
        char shown[256] = {};
        ::GetDlgItemTextA(box, 0xFFFF, shown, sizeof shown);
        std::printf("message box: %s\n", shown);
        std::fflush(stdout);
        Click(box, IDOK);
        return;
    }
    HWND dialog = FindThreadDialog(false);
    if (dialog == nullptr) return;
    switch (step++) {
    case 0:
        if (!editing) {
            SetText(dialog, 1003, "周例会");
            SetText(dialog, 1044, "讨论项目进度");
        } else {
            SetText(dialog, 1044, "讨论项目进度（改期）");
        }
        break;
    case 1:
        SaveWindowScreenshot(dialog, editing ? "host-edit.bmp" : "host-create.bmp");
        Click(dialog, IDOK);
        break;
    default:
        // Still open after the confirmation attempt: a check refused it.
        Click(dialog, IDCANCEL);
        break;
    }
}

}  // namespace script

int RunScripted() {
    for (bool edit : {false, true}) {
        script::step = 0;
        script::editing = edit;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 300, script::Tick);
        const std::string report = RunConference(edit);
        ::KillTimer(nullptr, timer);
        std::string printable;
        for (char c : report)
            if (c != '\r') printable += c;
        std::printf("%s\n", printable.c_str());
        std::fflush(stdout);
    }
    return 0;
}

int main(int argc, char** argv) {
    ::CoInitialize(nullptr);
    const bool scripted = argc > 1 && std::string(argv[1]) == "/script";
    notifyWindow = CreateHostWindow(::GetModuleHandleA(nullptr), !scripted);
    int status = 0;
    if (scripted) {
        status = RunScripted();
    } else {
        MSG message;
        while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    ::CoUninitialize();
    return status;
}
