// Opening and closing the conference dialog and the picker many times through the export
// must leave the process with the GDI objects, windows and private bytes it had.
// QUORVEL_SOAK=1 in the environment makes it 1,000 dialog runs and 200 picker openings
// instead of the suite's few.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "res/resource.h"
#include "support/DialogDriver.h"
#include "support/ResourceCount.h"

using namespace e2e;

namespace {

bool Soak() {
    const char* soak = std::getenv("QUORVEL_SOAK");
    return soak != nullptr && *soak != '\0' && *soak != '0';
}

// Committed private memory, summed over the address space: the process counters say 0
// for it under Wine.
double PrivateMiB() {
    size_t bytes = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* address = nullptr;
         ::VirtualQuery(address, &region, sizeof region) == sizeof region;
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += region.RegionSize;
        if (region.RegionSize == 0) break;
    }
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

struct Held {
    int gdi = CountGdiObjects();
    int windows = CountThreadWindows();
    double privateMiB = PrivateMiB();
};

void OpenAndCancel() {
    DialogDriver driver;
    driver.OnConference([](HWND dialog) { Click(dialog, IDCANCEL); });
    driver.Run(nullptr, "1001");
    ASSERT_FALSE(driver.TimedOut());
}

// Private bytes move with the heap's own bookkeeping; a leak of a dialog's worth per run
// shows as far more than this over the runs.
constexpr double kPrivateSlackMiB = 4.0;

}  // namespace

TEST(ResourceLeaks, ManyDialogRunsLeaveNoGdiObjectWindowOrMemoryBehind) {
    // The first runs pay for what lives as long as the process: start-up, fonts, classes.
    for (int i = 0; i < 3; ++i) OpenAndCancel();
    const Held before;
    const int runs = Soak() ? 1000 : 25;
    for (int i = 0; i < runs; ++i) OpenAndCancel();
    const Held after;
    std::printf("after %d dialog runs: GDI objects %d -> %d, windows %d -> %d, private %.1f -> %.1f MiB\n", runs,
                before.gdi, after.gdi, before.windows, after.windows, before.privateMiB, after.privateMiB);
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.windows, after.windows);
    EXPECT_LT(after.privateMiB - before.privateMiB, kPrivateSlackMiB);
}

TEST(ResourceLeaks, ManyPickerOpeningsLeaveNothingBehind) {
    const int openings = Soak() ? 200 : 10;
    const int warmUp = 2;
    Held before, after;
    DialogDriver driver;
    for (int i = 0; i < warmUp + openings; ++i) {
        driver.OnConference([&, i](HWND dialog) {
            if (i == warmUp) before = Held();
            Click(dialog, IDC_ADD_MEMBERS);
        });
        driver.OnPicker([](HWND picker) { ::PostMessageA(picker, WM_SYSCOMMAND, SC_CLOSE, 0); });
    }
    driver.OnConference([&](HWND dialog) {
        after = Held();
        Click(dialog, IDCANCEL);
    });
    driver.Run(nullptr, "1001", 60000 + openings * 2000);
    ASSERT_FALSE(driver.TimedOut());
    std::printf("after %d picker openings: GDI objects %d -> %d, windows %d -> %d, private %.1f -> %.1f MiB\n",
                openings, before.gdi, after.gdi, before.windows, after.windows, before.privateMiB, after.privateMiB);
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.windows, after.windows);
    EXPECT_LT(after.privateMiB - before.privateMiB, kPrivateSlackMiB);
}
