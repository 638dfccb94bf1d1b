#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "entry/ConferenceApp.h"
#include "skin/SkinImages.h"
#include "support/TestData.h"
#include "support/TestWindows.h"
#include "text/MessageTable.h"

namespace {

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
    void TearDown() override {
        MessageTable::Instance().LoadFile(TestDataPath("lang/missing.xml"), "chinese");
        SkinImages& images = GetSkinImages();
        images.listCheckImages.Reset();
        images.treeImages.Reset();
        images.headerCheckedBitmap.Reset();
        images.headerUncheckedBitmap.Reset();
    }
    void StartWithBoxWatch(TestApp& app) {
        const testwindows::MessageBoxWatcher watcher;
        app.Start();
        seenBoxes.insert(seenBoxes.end(), watcher.Seen().begin(), watcher.Seen().end());
    }

    std::vector<testwindows::SeenBox> seenBoxes;
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
    for (const testwindows::SeenBox& box : seenBoxes) {
        EXPECT_TRUE(box.okOnly);
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
