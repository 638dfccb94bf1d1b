// Hosts that break the calling rules: a call while another runs, on the same thread or
// from another, and calling threads without COM or in the multithreaded apartment.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <string>
#include <thread>
#include <vector>

#include "res/resource.h"
#include "support/ControlDriver.h"
#include "support/DialogDriver.h"

using namespace e2e;

namespace {


// Runs `body` on a new thread after initialising COM there as `com` says (-1: not at all).
void OnThreadWithCom(int com, const std::function<void()>& body) {
    std::thread thread([&] {
        const HRESULT initialised = com < 0 ? E_FAIL : ::CoInitializeEx(nullptr, static_cast<DWORD>(com));
        body();
        if (SUCCEEDED(initialised)) ::CoUninitialize();
    });
    thread.join();
}

// What a call shows for a record of people from the sample directory (reading the
// directory takes COM), and the apartment the thread is in while the dialog runs, as
// asking for the multithreaded one answers it.
struct CallSeen {
    int rows = -1;
    HRESULT askingForMultithreaded = E_FAIL;
};

CallSeen CallFromThisThread() {
    HostRecord given = MakeRecord("周例会", "", "", {"1002", "1003"});
    CallSeen seen;
    DialogDriver driver;
    driver.OnConference([&seen](HWND dialog) {
        seen.rows = ListRowCount(::GetDlgItem(dialog, IDC_MEMBER_LIST));
        seen.askingForMultithreaded = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(seen.askingForMultithreaded)) ::CoUninitialize();
        Click(dialog, IDCANCEL);
    });
    driver.Run(&given.record, "1001");
    return seen;
}

}  // namespace

TEST(HostCall, ACallWhileTheDialogRunsOpensNothingAndLeavesTheRecord) {
    HostRecord given = MakeRecord("周例会", "讨论", "");
    DialogDriver driver;
    ConferenceRecord* sameThread = nullptr;
    ConferenceRecord* otherThread = nullptr;
    driver.OnConference([&](HWND dialog) {
        // As from the host's handler of the result message: re-entrant on this thread.
        sameThread = DLL_CreateConference(driver.NotifyWindow(), nullptr, "2002");
        EXPECT_EQ(FindConferenceDialog(), dialog);
        // From another thread: it must return at once rather than open a second dialog.
        HANDLE done = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::thread other([&] {
            otherThread = DLL_CreateConference(nullptr, nullptr, "3003");
            ::SetEvent(done);
        });
        const bool returned = ::WaitForSingleObject(done, 5000) == WAIT_OBJECT_0;
        EXPECT_TRUE(returned) << "a call from another thread opened a dialog";
        if (returned) other.join(); else other.detach();
        ::CloseHandle(done);
        Click(dialog, IDCANCEL);
    });
    ConferenceRecord* record = driver.Run(&given.record, "1001");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(sameThread, record);
    EXPECT_EQ(otherThread, record);
    EXPECT_STREQ(record->name, "周例会");
    EXPECT_STREQ(record->description, "讨论");
    EXPECT_EQ(driver.MessageCodes(), (std::vector<WPARAM>{2}));
}

TEST(HostCall, ComIsInitialisedForTheCallOnlyWhereTheHostHasNone) {
    CallSeen withoutCom, multithreaded, apartment;
    HRESULT afterwards = E_FAIL;
    OnThreadWithCom(-1, [&] {
        withoutCom = CallFromThisThread();
        afterwards = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(afterwards)) ::CoUninitialize();
    });
    OnThreadWithCom(COINIT_MULTITHREADED, [&] { multithreaded = CallFromThisThread(); });
    OnThreadWithCom(COINIT_APARTMENTTHREADED, [&] { apartment = CallFromThisThread(); });
    EXPECT_GT(apartment.rows, 0);
    EXPECT_EQ(withoutCom.rows, apartment.rows);
    EXPECT_EQ(multithreaded.rows, apartment.rows);
    // Apartment-threaded during the call, and balanced: free to choose again afterwards.
    EXPECT_EQ(withoutCom.askingForMultithreaded, RPC_E_CHANGED_MODE);
    EXPECT_EQ(afterwards, S_OK);
    // A multithreaded host thread stays as it is.
    EXPECT_EQ(multithreaded.askingForMultithreaded, S_FALSE);
}

namespace {

// A host whose handler of the request pumps messages for a while, with a second OK, a
// Cancel and a Close posted to the dialog, as a message box or a cross-thread send would
// let run.
struct PumpingHost {
    static inline WNDPROC driverProc = nullptr;
    static inline HWND dialog = nullptr;
    static inline int requests = 0;
    static inline bool enabledDuringSend = true;
    static inline bool textKept = false;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_CONFERENCE_RESULT && wParam == 1 && lParam != 0) {
            ++requests;
            const std::string copy = reinterpret_cast<const char*>(lParam);
            enabledDuringSend = ::IsWindowEnabled(dialog) != FALSE;
            Click(dialog, IDOK);
            Click(dialog, IDCANCEL);
            ::PostMessageA(dialog, WM_CLOSE, 0, 0);
            const DWORD until = ::GetTickCount() + 300;
            while (::GetTickCount() < until) {
                MSG msg;
                while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageA(&msg);
                }
                ::Sleep(5);
            }
            textKept = copy == reinterpret_cast<const char*>(lParam);
        }
        return ::CallWindowProcA(driverProc, window, message, wParam, lParam);
    }
};

}  // namespace

TEST(HostCall, AHandlerThatPumpsMessagesGetsOneRequestThatStaysValid) {
    HostRecord given = MakeRecord("周例会", "", "", {"1002"});
    DialogDriver driver;
    PumpingHost::driverProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        driver.NotifyWindow(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PumpingHost::Proc)));
    driver.OnConference([](HWND dialog) {
        PumpingHost::dialog = dialog;
        Click(dialog, IDOK);
    });
    driver.Run(&given.record, "1001");
    EXPECT_EQ(PumpingHost::requests, 1);
    EXPECT_FALSE(PumpingHost::enabledDuringSend);
    EXPECT_TRUE(PumpingHost::textKept);
    EXPECT_EQ(driver.MessageCodes(), (std::vector<WPARAM>{1}));
}

namespace {

// Every text and id of a record, copied out.
std::vector<std::string> RecordTexts(const ConferenceRecord* r) {
    std::vector<std::string> texts{r->name,      r->description,     r->confId, r->userId, r->chairman,
                                   r->startText, r->memberCount,     r->spare1, r->spare2,
                                   std::to_string(r->noticeMinutes), std::to_string(r->memberIdCount)};
    for (int i = 0; i < r->memberIdCount; ++i) texts.push_back(r->memberIds[i]);
    return texts;
}

// A host whose handler of the request starts another conference at once.
struct NestingHost {
    static inline WNDPROC driverProc = nullptr;
    static inline std::vector<std::string> nestedTexts;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_CONFERENCE_RESULT && wParam == 1)
            nestedTexts = RecordTexts(DLL_CreateConference(window, nullptr, "3003"));
        return ::CallWindowProcA(driverProc, window, message, wParam, lParam);
    }
};

}  // namespace

// Run with Wine's heap checking (WINEDEBUG=warn+heap), which fills freed blocks, so that
// texts the running call has freed read as garbage rather than as their old values.
TEST(HostCall, ANestedCallGetsTheLastPublishedRecordIntact) {
    HostRecord first = MakeRecord("甲", "第一次", "", {"1001", "1002"});
    std::vector<std::string> published;
    {
        DialogDriver driver;
        driver.OnConference([](HWND dialog) { Click(dialog, IDOK); });
        published = RecordTexts(driver.Run(&first.record, "1001"));
        ASSERT_EQ(driver.MessageCodes(), (std::vector<WPARAM>{1}));
    }

    const std::string longerName(60, 'n');
    const std::string longerDescription(120, 'd');
    HostRecord second = MakeRecord(longerName.c_str(), longerDescription.c_str(), "", {"1001", "1002", "1003", "1004"});
    DialogDriver driver;
    NestingHost::nestedTexts.clear();
    NestingHost::driverProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        driver.NotifyWindow(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NestingHost::Proc)));
    driver.OnConference([](HWND dialog) { Click(dialog, IDOK); });
    const ConferenceRecord* after = driver.Run(&second.record, "2002");
    EXPECT_EQ(driver.MessageCodes(), (std::vector<WPARAM>{1}));
    EXPECT_EQ(NestingHost::nestedTexts, published);
    EXPECT_STREQ(after->name, longerName.c_str());
}
