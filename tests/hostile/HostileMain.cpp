// Runs one case of the hostile corpus through the real export, in a process of its own:
//   quorvel-hostile.exe --list      the cases, "kind name" a line
//   quorvel-hostile.exe NAME        writes the case's files into this folder, calls the
//                                   export as the case says while an autopilot confirms
//                                   the dialog, and checks what the host got back.
// Exit codes: 0 passed, 1 a check failed, 2 no such case, 3 crashed, 4 hung.
#include <windows.h>
#include <commctrl.h>
#include <msxml2.h>
#include <objbase.h>
#include <wrl/client.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "Quorvel.h"
#include "hostile/HostileCase.h"
#include "res/resource.h"

using namespace hostile;

namespace {

constexpr DWORD kHangMs = 30000;

std::vector<std::string> failures;
void Fail(const std::string& what) { failures.push_back(what); }

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* info) {
    std::printf("crashed: exception 0x%08lX\n", info->ExceptionRecord->ExceptionCode);
    std::fflush(stdout);
    ::ExitProcess(3);
}

// --- What the host receives -------------------------------------------------------

struct Received {
    WPARAM code;
    std::string text;
    int checkedAtOk;  // the member list's checked rows when OK was pressed, -1 unknown
};
std::vector<Received> received;
const HostileCase* running = nullptr;
int checkedAtOk = -1;
std::vector<std::string> boxes;  // the texts of the message boxes the autopilot dismissed
bool inNestedCall = false;

LRESULT CALLBACK NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CONFERENCE_RESULT) return ::DefWindowProcA(window, message, wParam, lParam);
    received.push_back({wParam, lParam != 0 ? reinterpret_cast<const char*>(lParam) : "", checkedAtOk});
    const Reentry reentry = running->reentry;
    if (!inNestedCall && ((reentry == Reentry::FromConfirmation && wParam == 1) ||
                          (reentry == Reentry::FromCancel && wParam == 2))) {
        // A host that starts the next conference from its handler of the result.
        inNestedCall = true;
        const DWORD start = ::GetTickCount();
        DLL_CreateConference(window, nullptr, "9");
        if (::GetTickCount() - start > 2000) Fail("a call from the result handler did not return at once");
        inNestedCall = false;
    }
    return 0;
}

HWND MakeNotifyWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = NotifyProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QuorvelHostileNotify";
    ::RegisterClassA(&windowClass);
    return ::CreateWindowA("QuorvelHostileNotify", "", WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr,
                           ::GetModuleHandleA(nullptr), nullptr);
}

// --- The autopilot: confirms whatever the dialogs show, as a patient user would --------

std::string ClassName(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

struct Windows {
    HWND conference = nullptr, picker = nullptr, box = nullptr;
    int conferences = 0;
};

BOOL CALLBACK Collect(HWND window, LPARAM p) {
    auto* w = reinterpret_cast<Windows*>(p);
    if (ClassName(window) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    if (::GetDlgItem(window, 0xFFFF) != nullptr) w->box = window;
    else if (::GetDlgItem(window, IDC_CHOSEN_LIST) != nullptr) w->picker = window;
    else if (::GetDlgItem(window, IDC_VOICE) != nullptr && ::GetDlgItem(window, IDC_MEMBER_LIST) != nullptr) {
        w->conference = window;
        ++w->conferences;
    }
    return TRUE;
}

void PostClick(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

int CheckedRows(HWND list) {
    int checked = 0;
    const int rows = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        if (::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) && item.iImage == 1) ++checked;
    }
    return checked;
}

struct Autopilot {
    enum Phase { Start, Picking, Confirming, Cancelling, Done } phase = Start;
    bool moved = false;
    bool picked = false;  // the picker was confirmed
    bool otherThreadCalled = false;
    DWORD deadline = 0;
} pilot;

void OtherThreadCall() {
    HANDLE done = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread other([done] {
        DLL_CreateConference(nullptr, nullptr, "8");
        ::SetEvent(done);
    });
    if (::WaitForSingleObject(done, 5000) != WAIT_OBJECT_0) {
        Fail("a call from another thread did not return at once");
        other.detach();
    } else {
        other.join();
    }
    ::CloseHandle(done);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (static_cast<LONG>(::GetTickCount() - pilot.deadline) > 0) {
        std::printf("hung: a dialog was still open after %lu ms\n", kHangMs);
        std::fflush(stdout);
        ::ExitProcess(4);
    }
    Windows w;
    ::EnumThreadWindows(::GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&w));
    if (w.conferences > 1) Fail("a second conference dialog opened");
    if (w.box != nullptr) {
        char text[256] = {};
        ::GetDlgItemTextA(w.box, 0xFFFF, text, sizeof text);
        boxes.push_back(text);
        PostClick(w.box, ::GetDlgItem(w.box, IDOK) != nullptr ? IDOK : IDCANCEL);
        return;
    }
    if (w.picker != nullptr) {
        if (!pilot.moved) {
            HWND tree = ::GetDlgItem(w.picker, IDC_COMPANY_TREE);
            const auto root = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
            if (root != nullptr) ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
            PostClick(w.picker, IDC_MOVE);
            pilot.moved = true;
        } else {
            PostClick(w.picker, IDOK);
            pilot.picked = true;
        }
        return;
    }
    if (w.conference == nullptr) return;
    HWND dialog = w.conference;
    switch (pilot.phase) {
    case Autopilot::Start:
        if (running->reentry == Reentry::FromOtherThread && !pilot.otherThreadCalled) {
            pilot.otherThreadCalled = true;
            OtherThreadCall();
        }
        if (running->usePicker) PostClick(dialog, IDC_ADD_MEMBERS);
        pilot.phase = Autopilot::Picking;
        break;
    case Autopilot::Picking:
        if (running->usePicker && !pilot.picked) break;  // the picker has yet to open
        if (::GetWindowTextLengthA(::GetDlgItem(dialog, IDC_CONF_NAME)) == 0) ::SetDlgItemTextA(dialog, IDC_CONF_NAME, "hostile");
        checkedAtOk = CheckedRows(::GetDlgItem(dialog, IDC_MEMBER_LIST));
        PostClick(dialog, IDOK);
        pilot.phase = Autopilot::Confirming;
        break;
    case Autopilot::Confirming:
        // Still open after OK: a check refused; give up as a user would.
        PostClick(dialog, IDCANCEL);
        pilot.phase = Autopilot::Cancelling;
        break;
    default:
        break;
    }
}

// --- The call and its checks ----------------------------------------------------------

struct HostRecordStorage {
    std::vector<const char*> ids;
    ConferenceRecord record{};
};

const char* TextOf(const std::optional<std::string>& s) { return s ? s->c_str() : nullptr; }

void Build(const CaseRecord& r, HostRecordStorage& out) {
    for (const auto& id : r.ids) out.ids.push_back(TextOf(id));
    out.record = ConferenceRecord{TextOf(r.name), TextOf(r.description), TextOf(r.confId), TextOf(r.userId),
                                  TextOf(r.chairman), TextOf(r.startText), TextOf(r.memberCount),
                                  r.nullIds ? nullptr : out.ids.data(),
                                  r.count == INT_MIN ? static_cast<int>(out.ids.size()) : r.count,
                                  TextOf(r.spare1), TextOf(r.spare2), r.noticeMinutes};
}

void CheckRecord(const ConferenceRecord* record) {
    if (record == nullptr) return Fail("the export returned null");
    const char* texts[] = {record->name, record->description, record->confId, record->userId, record->chairman,
                           record->startText, record->memberCount, record->spare1, record->spare2};
    for (const char* t : texts)
        if (t == nullptr) return Fail("the returned record has a null text");
    if (record->memberIdCount < 0 || (record->memberIdCount > 0 && record->memberIds == nullptr))
        return Fail("the returned record's member ids do not match their count");
    for (int i = 0; i < record->memberIdCount; ++i)
        if (record->memberIds[i] == nullptr) return Fail("the returned record has a null member id");
}

// One call of the export with the autopilot running on this thread.
ConferenceRecord* CallOnce(HWND notify, const ConferenceRecord* record, const char* userId) {
    pilot = Autopilot{};
    checkedAtOk = -1;
    pilot.deadline = ::GetTickCount() + kHangMs;
    const size_t before = received.size();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, Tick);
    ConferenceRecord* result = DLL_CreateConference(notify, record, userId);
    ::KillTimer(nullptr, timer);
    CheckRecord(result);
    int confirmations = 0;
    for (size_t i = before; i < received.size(); ++i) confirmations += received[i].code == 1;
    if (confirmations > 1) Fail("more than one confirmation reached the host");
    if (confirmations == 1 && pilot.phase < Autopilot::Confirming) Fail("a request arrived before OK");
    return result;
}

void RunCall(const HostileCase& c) {
    HWND notify = MakeNotifyWindow();
    HWND given = notify;
    if (c.notify == Notify::Null) given = nullptr;
    if (c.notify == Notify::Invalid) given = reinterpret_cast<HWND>(static_cast<intptr_t>(0x7ABC1234));
    if (c.notify == Notify::Destroyed) {
        given = MakeNotifyWindow();
        ::DestroyWindow(given);
    }
    HostRecordStorage storage;
    Build(c.record, storage);
    ConferenceRecord* result = CallOnce(given, c.record.present ? &storage.record : nullptr, TextOf(c.userId));
    if (c.reentry == Reentry::ReturnedRecordBack && result != nullptr) CallOnce(given, result, TextOf(c.userId));
    ::DestroyWindow(notify);
}

// Parses each request with a reader of its own, as the server would, and counts its users.
void CheckRequests() {
    Microsoft::WRL::ComPtr<IXMLDOMDocument> document;
    CLSID reader{};
    if (FAILED(::CLSIDFromProgID(L"Msxml2.DOMDocument.6.0", &reader)) ||
        FAILED(::CoCreateInstance(reader, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                      reinterpret_cast<void**>(document.GetAddressOf()))))
        return Fail("no XML reader to check the requests with");
    for (const Received& r : received) {
        if (r.code != 1) continue;
        const int length = ::MultiByteToWideChar(936, 0, r.text.data(), static_cast<int>(r.text.size()), nullptr, 0);
        std::wstring wide(static_cast<size_t>(length), L'\0');
        ::MultiByteToWideChar(936, 0, r.text.data(), static_cast<int>(r.text.size()), wide.data(), length);
        BSTR source = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
        VARIANT_BOOL ok = VARIANT_FALSE;
        document->loadXML(source, &ok);
        ::SysFreeString(source);
        if (ok != VARIANT_TRUE) {
            Fail("a request is not well-formed XML: " + r.text.substr(0, 300));
            continue;
        }
        Microsoft::WRL::ComPtr<IXMLDOMNodeList> users;
        BSTR query = ::SysAllocString(L"/dsml/userlist/user");
        document->selectNodes(query, &users);
        ::SysFreeString(query);
        long count = -1;
        if (users) users->get_length(&count);
        if (r.checkedAtOk >= 0 && count != r.checkedAtOk)
            Fail("the request names " + std::to_string(count) + " people, the list had " +
                 std::to_string(r.checkedAtOk) + " checked");
    }
}

void WriteCaseFiles(const HostileCase& c, const std::string& folder) {
    for (const auto& [path, bytes] : c.files) {
        std::ofstream out(folder + "\\" + path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    for (const auto& [path, make] : c.madeFiles) {
        const std::string bytes = make();
        std::ofstream out(folder + "\\" + path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    for (const std::string& path : c.removedFiles) ::DeleteFileA((folder + "\\" + path).c_str());
}

}  // namespace

int main(int argc, char** argv) {
    ::SetUnhandledExceptionFilter(OnCrash);
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    const std::string folder = ExeFolder();
    const std::vector<HostileCase> corpus = MakeCorpus(folder);
    if (argc == 2 && std::string(argv[1]) == "--list") {
        for (const HostileCase& c : corpus) std::printf("%s %s\n", c.kind.c_str(), c.name.c_str());
        return 0;
    }
    const HostileCase* chosen = nullptr;
    for (const HostileCase& c : corpus)
        if (argc == 2 && c.name == argv[1]) chosen = &c;
    if (chosen == nullptr) {
        std::printf("usage: quorvel-hostile.exe --list | CASE\n");
        return 2;
    }
    running = chosen;
    WriteCaseFiles(*chosen, folder);
    ::CoInitialize(nullptr);  // the checks' own reader; a host's main thread has COM
    if (chosen->thread == Thread::Main) {
        RunCall(*chosen);
    } else {
        std::thread caller([chosen] {
            const HRESULT com = chosen->thread == Thread::Multithreaded
                                    ? ::CoInitializeEx(nullptr, COINIT_MULTITHREADED) : E_FAIL;
            RunCall(*chosen);
            if (SUCCEEDED(com)) ::CoUninitialize();
        });
        caller.join();
    }
    CheckRequests();
    ::CoUninitialize();
    for (const std::string& f : failures) std::printf("failed: %s\n", f.c_str());
    int requests = 0;
    for (const Received& r : received) requests += r.code == 1;
    if (failures.empty()) std::printf("passed: %d request(s), %zu result message(s)\n", requests, received.size());
    for (const std::string& box : boxes) std::printf("message box: %s\n", box.c_str());
    return failures.empty() ? 0 : 1;
}
