// The sample host: it plays the instant-messaging client that loads Quorvel.dll.
// A notify window receives the request; "新建会议" creates a conference from nothing,
// "修改会议" edits the record the last call returned.
//
//   quorvel-host.exe            interactive, on the user's display
//   quorvel-host.exe /script    create, then edit, without a person: picks members,
//                               marks a chairman, confirms each dialog itself, prints
//                               both requests and records, and saves screenshots
//                               beside the executable
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Quorvel.h"
#include "host/Screenshot.h"
#include "res/resource.h"

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

// "Quorvel sample host, Quorvel.dll 1.0.0": the version the loaded library's own
// version resource states, so that a user reporting a fault can say which one it was.
std::string HostTitle() {
    std::string title = "Quorvel sample host";
    char path[MAX_PATH] = {};
    HMODULE library = ::GetModuleHandleA("Quorvel.dll");
    if (library == nullptr || ::GetModuleFileNameA(library, path, sizeof path) == 0) return title;
    DWORD ignored = 0;
    std::vector<char> data(::GetFileVersionInfoSizeA(path, &ignored));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT size = 0;
    if (data.empty() || !::GetFileVersionInfoA(path, 0, static_cast<DWORD>(data.size()), data.data()) ||
        !::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &size) || size < sizeof *info)
        return title;
    return title + ", Quorvel.dll " + std::to_string(HIWORD(info->dwFileVersionMS)) + "." +
           std::to_string(LOWORD(info->dwFileVersionMS)) + "." + std::to_string(HIWORD(info->dwFileVersionLS));
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
        if (wParam == QUORVEL_RESULT_CONFIRMED && lParam != 0) lastRequest = reinterpret_cast<const char*>(lParam);
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
    HWND window = ::CreateWindowA("QuorvelSampleHost", HostTitle().c_str(), WS_OVERLAPPEDWINDOW, 20, 20, 560,
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

int conferenceStep = 0;
int pickerStep = 0;
bool editing = false;

enum class Kind { Conference, Picker, MessageBox };

struct Search {
    Kind kind;
    HWND found;
};

Kind KindOf(HWND w) {
    if (::GetDlgItem(w, 0xFFFF) != nullptr) return Kind::MessageBox;
    return ::GetDlgItem(w, IDC_COMPANY_TREE) != nullptr ? Kind::Picker : Kind::Conference;
}

BOOL CALLBACK MatchDialog(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    char cls[32] = {};
    ::GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) != "#32770" || !::IsWindowVisible(w) || KindOf(w) != s->kind) return TRUE;
    s->found = w;
    return FALSE;
}

HWND FindThreadDialog(Kind kind) {
    Search search{kind, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void SetText(HWND dialog, int id, const char* s) { ::SetDlgItemTextA(dialog, id, s); }
void Click(HWND dialog, int id) { ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// A click as the mouse makes it, at a cell of the member list.
void ClickMemberCell(HWND dialog, int row, int column, bool atLeftEdge) {
    HWND list = ::GetDlgItem(dialog, IDC_MEMBER_LIST);
    ::SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_BOUNDS;
    ::SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    const int x = atLeftEdge ? 5 : (cell.left + cell.right) / 2;
    const LPARAM at = MAKELPARAM(x, (cell.top + cell.bottom) / 2);
    ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(list, WM_LBUTTONUP, 0, at);
}

// The chairman column starts zero pixels wide; a user drags it open to reach the mark.
void OpenChairmanColumn(HWND dialog) { ::SendDlgItemMessageA(dialog, IDC_MEMBER_LIST, LVM_SETCOLUMNWIDTH, 1, 26); }

HTREEITEM Child(HWND tree, HTREEITEM parent, int index) {
    HTREEITEM item = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(tree, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
    for (; item != nullptr && index > 0; --index)
        item = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    return item;
}

// Creating: the first company's first department (with its sub-department) and one
// person typed by hand.
void PickerStep(HWND picker) {
    HWND tree = ::GetDlgItem(picker, IDC_COMPANY_TREE);
    switch (pickerStep++) {
    case 0: {
        HTREEITEM company = Child(tree, nullptr, 0);
        ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(company));
        HTREEITEM department = Child(tree, company, 0);
        ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(department));
        ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(department));
        Click(picker, IDC_MOVE);
        break;
    }
    case 1:
        SetText(picker, IDC_PICKER_NAME, "小刘");
        SetText(picker, IDC_TYPED_NUMBER, "13800138000");
        Click(picker, IDC_ADD_TYPED);
        break;
    case 2:
        if (HWND conference = FindThreadDialog(Kind::Conference))
            SaveWindowsScreenshot(conference, picker, "host-picker.bmp");
        Click(picker, IDOK);
        break;
    default:
        Click(picker, IDCANCEL);
        break;
    }
}

void ConferenceStep(HWND dialog) {
    switch (conferenceStep++) {
    case 0:
        if (!editing) {
            SetText(dialog, IDC_CONF_NAME, "周例会");
            SetText(dialog, IDC_CONF_DESCRIPTION, "讨论项目进度");
            Click(dialog, IDC_VOICE);
            Click(dialog, IDC_ADD_MEMBERS);
        } else {
            SetText(dialog, IDC_CONF_DESCRIPTION, "讨论项目进度（改期）");
        }
        break;
    case 1:
        // Marks the second person chairman.
        OpenChairmanColumn(dialog);
        ClickMemberCell(dialog, 1, 1, false);
        break;
    case 2:
        // When creating, leaves the third person out.
        if (!editing) ClickMemberCell(dialog, 2, 0, true);
        break;
    case 3: {
        // No row highlighted, so that the marks show as they are.
        LVITEMA none{};
        none.stateMask = LVIS_SELECTED;
        ::SendDlgItemMessageA(dialog, IDC_MEMBER_LIST, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
        SaveWindowScreenshot(dialog, editing ? "host-edit.bmp" : "host-create.bmp");
        Click(dialog, IDOK);
        break;
    }
    default:
        // Still open after the confirmation attempt: a check refused it.
        Click(dialog, IDCANCEL);
        break;
    }
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND box = FindThreadDialog(Kind::MessageBox)) {
        char shown[256] = {};
        ::GetDlgItemTextA(box, 0xFFFF, shown, sizeof shown);
        std::printf("message box: %s\n", shown);
        std::fflush(stdout);
        Click(box, IDOK);
    } else if (HWND picker = FindThreadDialog(Kind::Picker)) {
        PickerStep(picker);
    } else if (HWND dialog = FindThreadDialog(Kind::Conference)) {
        ConferenceStep(dialog);
    }
}

}  // namespace script

int RunScripted() {
    for (bool edit : {false, true}) {
        script::conferenceStep = 0;
        script::pickerStep = 0;
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
