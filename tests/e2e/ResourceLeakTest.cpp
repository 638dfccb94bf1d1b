// Opening and closing the conference dialog many times through the export must leave
// the process with the GDI objects and windows it had.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/DialogDriver.h"
#include "support/ResourceCount.h"

using namespace e2e;

namespace {

void OpenAndCancel() {
    DialogDriver driver;
    driver.OnConference([](HWND dialog) { Click(dialog, IDCANCEL); });
    driver.Run(nullptr, "1001");
    ASSERT_FALSE(driver.TimedOut());
}

}  // namespace

TEST(ResourceLeaks, ManyDialogRunsLeaveNoGdiObjectOrWindowBehind) {
    // The first run pays for what lives as long as the process: start-up, fonts, classes.
    OpenAndCancel();
    const int gdiBefore = CountGdiObjects();
    const int windowsBefore = CountThreadWindows();
    constexpr int kRuns = 25;
    for (int i = 0; i < kRuns; ++i) OpenAndCancel();
    const int gdiAfter = CountGdiObjects();
    const int windowsAfter = CountThreadWindows();
    std::printf("after %d runs: GDI objects %d -> %d, windows %d -> %d\n", kRuns, gdiBefore, gdiAfter,
                windowsBefore, windowsAfter);
    EXPECT_EQ(gdiBefore, gdiAfter);
    EXPECT_EQ(windowsBefore, windowsAfter);
}
