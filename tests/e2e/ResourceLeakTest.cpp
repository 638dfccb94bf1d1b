// Opening and closing the conference dialog and the picker many times through the export
// must leave the process with the GDI objects, windows and private bytes it had.
// QUORVEL_SOAK=1 in the environment makes it 1,000 dialog runs and 200 picker openings
// instead of the suite's few, with the committed private memory printed every 100.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

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

// Committed private memory every `every` runs from the baseline (run 0) on, each sample
// printed as it is taken. The heap takes memory in steps and may keep taking some for a
// while; what still grows over the later half of the runs is a leak.
class MemoryCurve {
public:
    MemoryCurve(const char* what, int every) : what_(what), every_(every) {}

    void After(int run) {
        if (run % every_ != 0) return;
        samples_.push_back(PrivateMiB());
        std::printf("%s %4d: private %.2f MiB\n", what_, run, samples_.back());
        std::fflush(stdout);
    }

    // From the sample at (or just before) the middle run to the last one.
    double LaterHalfGrowth() const { return samples_.back() - samples_[(samples_.size() - 1) / 2]; }

private:
    const char* what_;
    int every_;
    std::vector<double> samples_;
};

void OpenAndCancel() {
    DialogDriver driver;
    driver.OnConference([](HWND dialog) { Click(dialog, IDCANCEL); });
    driver.Run(nullptr, "1001");
    ASSERT_FALSE(driver.TimedOut());
    // The stand-in skinning library keeps every call it gets for the tests to read, some
    // 400 bytes a run: cleared, what is measured is the library and the platform alone.
    ClearSkinCalls();
}

// Private bytes move with the heap's own bookkeeping; a leak of a dialog's worth per run
// shows as far more than this over the runs.
constexpr double kPrivateSlackMiB = 4.0;
// Once the heap has settled the curve is flat; this much over the later half of the soak's
// runs is a steady leak of 512 bytes a run or more.
constexpr double kLaterHalfSlackMiB = 0.25;

}  // namespace

TEST(ResourceLeaks, ManyDialogRunsLeaveNoGdiObjectWindowOrMemoryBehind) {
    // The first runs pay for what lives as long as the process: start-up, fonts, classes.
    for (int i = 0; i < 3; ++i) OpenAndCancel();
    const Held before;
    const int runs = Soak() ? 1000 : 25;
    MemoryCurve curve("dialog runs", Soak() ? 100 : 5);
    curve.After(0);
    for (int i = 1; i <= runs; ++i) {
        OpenAndCancel();
        curve.After(i);
    }
    const Held after;
    std::printf("after %d dialog runs: GDI objects %d -> %d, windows %d -> %d, private %.1f -> %.1f MiB\n", runs,
                before.gdi, after.gdi, before.windows, after.windows, before.privateMiB, after.privateMiB);
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.windows, after.windows);
    EXPECT_LT(after.privateMiB - before.privateMiB, kPrivateSlackMiB);
    EXPECT_LT(curve.LaterHalfGrowth(), kLaterHalfSlackMiB);
}

TEST(ResourceLeaks, ManyPickerOpeningsLeaveNothingBehind) {
    const int openings = Soak() ? 200 : 10;
    const int warmUp = 2;
    Held before, after;
    MemoryCurve curve("picker openings", Soak() ? 100 : 5);
    DialogDriver driver;
    for (int i = 0; i < warmUp + openings; ++i) {
        driver.OnConference([&, i](HWND dialog) {
            ClearSkinCalls();  // as in OpenAndCancel
            if (i == warmUp) before = Held();
            if (i >= warmUp) curve.After(i - warmUp);
            Click(dialog, IDC_ADD_MEMBERS);
        });
        driver.OnPicker([](HWND picker) { ::PostMessageA(picker, WM_SYSCOMMAND, SC_CLOSE, 0); });
    }
    driver.OnConference([&](HWND dialog) {
        ClearSkinCalls();  // as in OpenAndCancel
        curve.After(openings);
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
    EXPECT_LT(curve.LaterHalfGrowth(), kLaterHalfSlackMiB);
}
