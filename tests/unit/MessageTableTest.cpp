#include <gtest/gtest.h>

#include <windows.h>

#include "support/TestData.h"
#include "text/MessageTable.h"

TEST(MessageTable, LookupsFollowTheFileAsWritten) {
    MessageTable table;
    EXPECT_EQ(table.Lookup(7000), "Msg not init");
    EXPECT_TRUE(table.LoadFile(TestDataPath("lang/messages.xml"), "chinese"));
    ASSERT_TRUE(table.IsReady());
    EXPECT_EQ(table.Lookup(7000), "第一");          // the first of two wins; 07000 is never found
    EXPECT_EQ(table.Lookup(12), "");               // no Label: stored empty
    EXPECT_EQ(table.Lookup(13), "Msg(13)");        // nested deeper than the root's children
    EXPECT_EQ(table.Lookup(-5), "Msg(-5)");
    EXPECT_EQ(table.Lookup(10), "两行\\r\\n第二行"); // stored as read
}

TEST(MessageTable, ReloadingFromNothingLeavesTheTableNotReady) {
    MessageTable table;
    ASSERT_TRUE(table.LoadFile(TestDataPath("lang/messages.xml"), "chinese"));
    EXPECT_TRUE(table.LoadFile(TestDataPath("lang/missing.xml"), "chinese"));
    EXPECT_FALSE(table.IsReady());
    EXPECT_EQ(table.Lookup(7000), "Msg not init");
    EXPECT_TRUE(table.LoadFile(TestDataPath("lang/nomsg.xml"), "chinese"));
    EXPECT_FALSE(table.IsReady());
}

TEST(MessageTable, LoadChoosesTheUsersLanguageFileThenTheEnglishOne) {
    // The tests run with the user's language Chinese (LANGID 0804).
    ASSERT_EQ(::GetUserDefaultLangID(), 0x0804);
    MessageTable table;
    EXPECT_TRUE(table.Load(TestDataPath("lang") + "\\", "chinese"));  // one trailing backslash dropped
    EXPECT_EQ(table.Lookup(1), "中文");

    // A folder without 0804.xml falls back to its 0409.xml.
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "quorvel-lang-fallback";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(::CopyFileA(TestDataPath("lang/0409.xml").c_str(), (folder + "\\0409.xml").c_str(), FALSE));
    EXPECT_TRUE(table.Load(folder, "chinese"));
    EXPECT_EQ(table.Lookup(1), "English");
    ::DeleteFileA((folder + "\\0409.xml").c_str());
    ::RemoveDirectoryA(folder.c_str());
}

TEST(GetMessageText, MakesLineBreaksOnlyOfBackslashRBackslashN) {
    MessageTable& table = MessageTable::Instance();
    ASSERT_TRUE(table.LoadFile(TestDataPath("lang/messages.xml"), "chinese"));
    EXPECT_EQ(GetMessageText(10), "两行\r\n第二行");
    EXPECT_EQ(GetMessageText(11), "单独\\n不变");
    EXPECT_EQ(GetMessageText(99), "Msg(99)");
    table.LoadFile(TestDataPath("lang/missing.xml"), "chinese");
}
