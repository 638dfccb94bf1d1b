// Hosts that break the calling rules: a call while another runs, on the same thread or
// from another, and calling threads without COM or in the multithreaded apartment.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <thread>

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
