#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <future>

#include "FailingAllocation.h"
#include "support/TestData.h"
#include "text/MessageTable.h"
#include "xml/XmlDocument.h"


namespace {

// The user's language under the tests' locale; the file names below depend on it.
std::string UserLanguageFile() {
    char name[16] = {};
    std::snprintf(name, sizeof name, "%04x.xml", ::GetUserDefaultLangID());
    return name;
}

std::string SystemLanguageName() {
    char name[50] = {};
    ::GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SENGLANGUAGE, name, sizeof name);
    return name;
}

class MessageTableLoaded : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(table.LoadFile(TestDataPath("lang/edge-cases.xml"), "chinese")); }
    MessageTable table;
};

}  // namespace

TEST(MessageTableTexts, ALongLabelIsCutAt4KiBAtACharacterBoundary) {
    const ScratchFolder folder("long-labels");
    std::string chinese = "x";
    for (int i = 0; i < 3000; ++i) chinese += "汉";
    MessageTable table;
    ASSERT_TRUE(table.LoadFile(folder.Write("0804.xml", "<?xml version=\"1.0\" encoding=\"GBK\"?><L><Msg id=\"1\" Label=\"" +
                                                            chinese + "\"/><Msg id=\"2\" Label=\"short\"/></L>"),
                               "chinese"));
    // The character that would end past the limit goes whole (compared so that a
    // failure does not print kilobytes).
    EXPECT_TRUE(table.Lookup(1) == chinese.substr(0, kLongestMessageText - 1));
    EXPECT_EQ(table.Lookup(2), "short");
}

TEST(MessageTableBeforeLoad, EveryLookupIsMsgNotInit) {
    MessageTable table;
    EXPECT_FALSE(table.IsReady());
    EXPECT_EQ(table.Lookup(1), "Msg not init");
    EXPECT_EQ(table.Lookup(-5), "Msg not init");
    EXPECT_EQ(table.Language(), "english");
}

TEST_F(MessageTableLoaded, LooksUpByIdAsWrittenAndFirstIdWins) {
    EXPECT_TRUE(table.IsReady());
    EXPECT_EQ(table.Lookup(7000), "语言文件读取失败");
    EXPECT_EQ(table.Lookup(10409), "第一");
    EXPECT_EQ(table.Lookup(3), "");  // no Label
    EXPECT_EQ(table.Lookup(4), "line break");
    EXPECT_EQ(table.Lookup(-12), "negative");
    // Keys that "%d" never prints, and messages the walk does not reach.
    EXPECT_EQ(table.Lookup(9), "Msg(9)");
    EXPECT_EQ(table.Lookup(5), "Msg(5)");
    EXPECT_EQ(table.Lookup(6), "Msg(6)");
    EXPECT_EQ(table.Lookup(8), "Msg(8)");
    EXPECT_EQ(table.Lookup(7), "outer");
    EXPECT_EQ(table.Lookup(-5), "Msg(-5)");
    EXPECT_EQ(table.FilePath(), TestDataPath("lang/edge-cases.xml"));
    EXPECT_EQ(table.Language(), "chinese");
}

TEST_F(MessageTableLoaded, TextsAreStoredAsWritten) {
    EXPECT_EQ(table.Lookup(1), "确定\\r\\n第二行\\r\\n");
    EXPECT_EQ(table.Lookup(2), "a\\nb\\r");
}

TEST_F(MessageTableLoaded, AFileWithoutMessagesEmptiesTheTableAndMakesItNotReady) {
    EXPECT_TRUE(table.LoadFile(TestDataPath("lang/no-messages.xml"), "chinese"));
    EXPECT_FALSE(table.IsReady());
    EXPECT_TRUE(table.LoadFile(TestDataPath("lang/only-unusable.xml"), "chinese"));
    EXPECT_FALSE(table.IsReady());
    EXPECT_TRUE(table.LoadFile(TestDataPath("lang/nomsg.xml"), "chinese"));
    EXPECT_FALSE(table.IsReady());
    // A file read afterwards finds nothing left of the first one.
    ASSERT_TRUE(table.LoadFile(TestDataPath("lang/other.xml"), "chinese"));
    EXPECT_EQ(table.Lookup(1), "另一个");
    EXPECT_EQ(table.Lookup(7000), "Msg(7000)");
}

TEST_F(MessageTableLoaded, AMissingOrBrokenFileKeepsTheMapButIsNotReady) {
    for (const char* file : {"lang/missing.xml", "xml/empty.xml", "xml/not-well-formed.xml", "xml/billion-laughs.xml"}) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(table.LoadFile(TestDataPath("lang/edge-cases.xml"), "chinese"));
        EXPECT_TRUE(table.LoadFile(TestDataPath(file), "chinese"));
        EXPECT_FALSE(table.IsReady());
        EXPECT_EQ(table.Lookup(7000), "Msg not init");
    }
    EXPECT_EQ(table.FilePath(), TestDataPath("xml/billion-laughs.xml"));
}

TEST(MessageTableErrors, AFailureMidwayKeepsWhatWasStoredAndReleasesTheLock) {
    XmlDocument document;
    const XmlElement root = document.Load(TestDataPath("lang/edge-cases.xml"));
    ASSERT_FALSE(root.IsEmpty());
    // A failure before any message leaves the table not ready.
    MessageTable table;
    {
        const FailingAllocation failing(0);
        EXPECT_FALSE(table.LoadRoot(root));
    }
    EXPECT_FALSE(table.IsReady());

    // Memory running out at each allocation in turn: the first failure that leaves the
    // table ready came after the first message was stored.
    for (std::int64_t first = 1; first < 100000; ++first) {
        bool loaded = true;
        {
            const FailingAllocation failing(first);
            loaded = table.LoadRoot(root);
        }
        if (!table.IsReady()) continue;
        EXPECT_FALSE(loaded);
        EXPECT_EQ(table.Lookup(7000), "语言文件读取失败");
        EXPECT_EQ(table.Lookup(10409), "Msg(10409)");
        // Another thread can still look up: the lock was released on the way out.
        auto lookup = std::async(std::launch::async, [&table] { return table.Lookup(7000); });
        ASSERT_EQ(lookup.wait_for(std::chrono::seconds(5)), std::future_status::ready);
        EXPECT_EQ(lookup.get(), "语言文件读取失败");
        return;
    }
    FAIL() << "no message was ever stored";
}

TEST(MessageTableFileChoice, TheUserLanguageFileIsTakenWhenItExists) {
    ScratchFolder folder("lang-choice");
    folder.Write(UserLanguageFile(), "<?xml version=\"1.0\"?><L><Msg id=\"1\" Label=\"user\"/></L>");
    folder.Write("0409.xml", "<?xml version=\"1.0\"?><L><Msg id=\"1\" Label=\"english\"/></L>");
    MessageTable table;
    EXPECT_TRUE(table.Load(folder.Path(), "chinese"));
    EXPECT_EQ(table.Lookup(1), "user");
    EXPECT_EQ(table.FilePath(), folder.Path() + "\\" + UserLanguageFile());
}

TEST(MessageTableFileChoice, OtherwiseEnglishOfTheSameDirectory) {
    MessageTable table;
    EXPECT_TRUE(table.Load(TestDataPath("lang/english-only"), "chinese"));
    EXPECT_EQ(table.Lookup(1), "OK (fallback)");
    EXPECT_EQ(table.FilePath(), TestDataPath("lang/english-only") + "\\0409.xml");
}

TEST(MessageTableFileChoice, OneTrailingBackslashIsDropped) {
    MessageTable table;
    EXPECT_TRUE(table.Load(TestDataPath("lang/both") + "\\", "chinese"));
    EXPECT_EQ(table.FilePath(), TestDataPath("lang/both") + "\\" + UserLanguageFile());
    EXPECT_TRUE(table.Load(TestDataPath("lang/both") + "\\\\", "chinese"));
    EXPECT_EQ(table.FilePath(), TestDataPath("lang/both") + "\\\\" + UserLanguageFile());
}

TEST(MessageTableFileChoice, NeitherFileIsALoadWithoutMessages) {
    MessageTable table;
    EXPECT_TRUE(table.Load(TestDataPath("lang/no-such-folder"), "chinese"));
    EXPECT_FALSE(table.IsReady());
    EXPECT_EQ(table.FilePath(), TestDataPath("lang/no-such-folder") + "\\0409.xml");
}

TEST(MessageTableFileChoice, TheRecordedLanguageIsTheSystemsName) {
    const std::string system = SystemLanguageName();
    ASSERT_FALSE(system.empty());
    MessageTable table;
    table.Load(TestDataPath("lang/both"), "chinese");
    EXPECT_EQ(table.Language(), system);
    table.Load(TestDataPath("lang/both"), system);
    EXPECT_EQ(table.Language(), system);
}

TEST(MessageTableFileChoice, UnderTheTestLocaleTheChineseFileDeclaredGb2312IsRead) {
    // The tests run with the Chinese locale: LANGID 0804.
    ASSERT_EQ(UserLanguageFile(), "0804.xml");
    MessageTable table;
    EXPECT_TRUE(table.Load(TestDataPath("lang/both"), "chinese"));
    EXPECT_EQ(table.Lookup(1), "确定");
}

TEST(MessageTableInstance, GetMessageTextAsksTheProcessTableAndMakesLineBreaks) {
    MessageTable& table = MessageTable::Instance();
    EXPECT_EQ(&table, &MessageTable::Instance());
    ASSERT_TRUE(table.LoadFile(TestDataPath("lang/edge-cases.xml"), "chinese"));
    EXPECT_EQ(GetMessageText(7000), "语言文件读取失败");
    EXPECT_EQ(GetMessageText(1), "确定\r\n第二行\r\n");
    EXPECT_EQ(GetMessageText(2), "a\\nb\\r");
    EXPECT_EQ(GetMessageText(1), "确定\r\n第二行\r\n");  // the stored text is left as it was
    EXPECT_EQ(GetMessageText(123456), "Msg(123456)");
    EXPECT_TRUE(table.LoadFile(TestDataPath("lang/missing.xml"), "chinese"));
    EXPECT_EQ(GetMessageText(7000), "Msg not init");
}

TEST(MessageTableErrors, RunningOutOfMemoryAnywhereNeverEscapes) {
    for (std::int64_t first = 0; first < 100000; ++first) {
        MessageTable table;
        std::string path = TestDataPath("lang/edge-cases.xml");
        std::string language = "chinese";
        bool loaded = false;
        std::int64_t refused = 0;
        {
            const FailingAllocation failing(first);
            loaded = table.LoadFile(std::move(path), std::move(language));
            refused = failing.Refused();
        }
        if (refused == 0) {
            EXPECT_TRUE(loaded);
            EXPECT_EQ(table.Lookup(7000), "语言文件读取失败");
            return;
        }
        // Out of memory while reading the file is a file that cannot be read; during the
        // walk, a failed load that keeps what it stored.
        EXPECT_TRUE(!loaded || !table.IsReady()) << "allocation " << first;
        if (!table.IsReady()) {
            EXPECT_EQ(table.Lookup(7000), "Msg not init");
        }
    }
    FAIL() << "the load never finished";
}

TEST(MessageTableFileChoice, APercentInTheHostPathIsAnOrdinaryCharacter) {
    ScratchFolder folder("lang%41");
    folder.Write("0409.xml", "<?xml version=\"1.0\"?><L><Msg id=\"1\" Label=\"percent\"/></L>");
    MessageTable table;
    EXPECT_TRUE(table.Load(folder.Path(), "chinese"));
    EXPECT_EQ(table.Lookup(1), "percent");
}
