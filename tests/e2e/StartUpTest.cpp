// The library's start-up, run by the first call of the export: the dialog finds the
// texts of the host folder's language file.
#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "support/DialogDriver.h"

using namespace e2e;

TEST(StartUp, TheDialogShowsTextsFromTheHostLanguageFile) {
    DialogDriver driver;
    std::string currentTime;
    driver.OnConference([&](HWND dialog) {
        currentTime = GetText(dialog, IDC_CURRENT_TIME);
        Click(dialog, IDCANCEL);
    });
    driver.Run(nullptr, "1001");
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(0u, currentTime.find("当前时间 :")) << currentTime;
}
