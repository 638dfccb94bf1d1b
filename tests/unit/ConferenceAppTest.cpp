#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "entry/ConferenceApp.h"
#include "skin/SkinImages.h"
#include "support/TestData.h"
#include "text/MessageTable.h"

namespace {

struct SeenBox {
    std::string text;
    std::string caption;
    bool hasOk = false;
    bool hasOtherButtons = false;
};
std::vector<SeenBox> seenBoxes;

// Records a visible message box of this thread and presses its OK button.
BOOL CALLBACK DismissBox(HWND window, LPARAM) {
    char className[16] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    SeenBox box;
    char buffer[512] = {};
    ::GetDlgItemTextA(window, 0xFFFF, buffer, sizeof buffer);
    box.text = buffer;
    ::GetWindowTextA(window, buffer, sizeof buffer);
    box.caption = buffer;
    box.hasOk = ::GetDlgItem(window, IDOK) != nullptr;
    for (int id : {IDCANCEL, IDYES, IDNO, IDRETRY, IDABORT, IDIGNORE}) {
        if (::GetDlgItem(window, id) != nullptr) box.hasOtherButtons = true;
    }
    seenBoxes.push_back(box);
    ::SendMessageA(::GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    return TRUE;
}

// Records and dismisses any message box of this thread; fires inside the box's own loop.
void CALLBACK DismissBoxes(HWND, UINT, UINT_PTR, DWORD) {
    ::EnumThreadWindows(::GetCurrentThreadId(), &DismissBox, 0);
}

// The application with its host folder and, optionally, its message table load replaced.
class TestApp : public ConferenceApp {
public:
    explicit TestApp(std::string hostDirectory) : hostDirectory_(std::move(hostDirectory)) {}
    void FailLoadWith(std::string languageFile) { failingFile_ = std::move(languageFile); }
    std::string loadedFrom;

protected:
    std::string HostDirectory() const override { return hostDirectory_; }
    bool LoadMessages(const std::string& directory) override {
        loadedFrom = directory;
        if (failingFile_.empty()) return ConferenceApp::LoadMessages(directory);
        // What a read error part way through leaves: whatever the table held by then.
        MessageTable::Instance().LoadFile(failingFile_, "chinese");
        return false;
    }

private:
    std::string hostDirectory_;
    std::string failingFile_;
};

class ConferenceAppStart : public testing::Test {
protected:
    void SetUp() override { seenBoxes.clear(); }
    void TearDown() override {
        MessageTable::Instance().LoadFile(TestDataPath("lang/missing.xml"), "chinese");
        SkinImages& images = GetSkinImages();
        images.listCheckImages.Reset();
        images.treeImages.Reset();
        images.headerCheckedBitmap.Reset();
        images.headerUncheckedBitmap.Reset();
    }
    void StartWithBoxWatch(TestApp& app) {
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &DismissBoxes);
        app.Start();
        ::KillTimer(nullptr, timer);
    }
};

TEST_F(ConferenceAppStart, ReadsSkinAndLanguageFilesFromTheHostFolderWithoutAnyBox) {
    ScratchFolder host("app-host");
    host.MakeFolder("skin\\system");
    host.MakeFolder("lang");
    ASSERT_TRUE(host.CopyIn(TestDataPath("pictures/list-strip.bmp"), "skin\\system\\all_select.bmp"));
    ASSERT_TRUE(host.CopyIn(TestDataPath("pictures/header-on.bmp"), "skin\\system\\bitmap_select.bmp"));
    ASSERT_TRUE(host.CopyIn(TestDataPath("lang/0409.xml"), "lang\\0409.xml"));

    TestApp app(host.Path());
    StartWithBoxWatch(app);
    EXPECT_TRUE(app.Started());
    EXPECT_EQ(host.Path() + "\\lang", app.loadedFrom);
    EXPECT_EQ("English", GetMessageText(1));
    EXPECT_EQ(4, ::ImageList_GetImageCount(GetSkinImages().listCheckImages.Get()));
    EXPECT_TRUE(GetSkinImages().headerCheckedBitmap);
    EXPECT_FALSE(GetSkinImages().headerUncheckedBitmap);
    EXPECT_TRUE(seenBoxes.empty());
}

TEST_F(ConferenceAppStart, NoLanguageFileAtAllIsNoFailure) {
    ScratchFolder host("app-bare");
    TestApp app(host.Path());
    StartWithBoxWatch(app);
    EXPECT_TRUE(seenBoxes.empty());
    EXPECT_EQ("Msg not init", GetMessageText(1));
    EXPECT_EQ(0, ::ImageList_GetImageCount(GetSkinImages().listCheckImages.Get()));
}

TEST_F(ConferenceAppStart, AFailedLoadShowsMessage7000WithOkOnlyAndGoesOn) {
    ScratchFolder host("app-failing");
    {
        TestApp app(host.Path());
        app.FailLoadWith(TestDataPath("lang/messages.xml"));
        StartWithBoxWatch(app);
        EXPECT_TRUE(app.Started());
    }
    {
        // Nothing read before the failure: the box says what the table says then.
        TestApp app(host.Path());
        app.FailLoadWith(TestDataPath("lang/missing.xml"));
        StartWithBoxWatch(app);
    }
    ASSERT_EQ(2u, seenBoxes.size());
    EXPECT_EQ("第一", seenBoxes[0].text);
    EXPECT_EQ("Msg not init", seenBoxes[1].text);
    for (const SeenBox& box : seenBoxes) {
        EXPECT_TRUE(box.hasOk);
        EXPECT_FALSE(box.hasOtherButtons);
        EXPECT_EQ("quorvel-unit-tests", box.caption);
    }
}

TEST_F(ConferenceAppStart, RunsOnlyOnce) {
    ScratchFolder host("app-once");
    TestApp app(host.Path());
    app.FailLoadWith(TestDataPath("lang/missing.xml"));
    StartWithBoxWatch(app);
    StartWithBoxWatch(app);
    EXPECT_EQ(1u, seenBoxes.size());
}

}  // namespace
