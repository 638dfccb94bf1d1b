#include <gtest/gtest.h>

#include "directory/DirectoryReader.h"
#include "framework/Text.h"
#include "support/TestData.h"
#include "text/MessageTable.h"

#include <algorithm>

// The sample host folder is what a newcomer runs first: its files must read as a
// host's real ones would.
namespace {

std::string SamplePath(const std::string& relative) { return TestDataPath("../../host/sample/" + relative); }

void Collect(const std::vector<ContactGroup>& groups, int depth, int& deepest, std::vector<ContactEntry>& people) {
    for (const ContactGroup& group : groups) {
        deepest = std::max(deepest, depth);
        people.insert(people.end(), group.entries.begin(), group.entries.end());
        Collect(group.subgroups, depth + 1, deepest, people);
    }
}

int Count(const std::vector<ContactEntry>& people, const std::string& id) {
    return static_cast<int>(std::count_if(people.begin(), people.end(), [&](const ContactEntry& e) { return e.name() == id; }));
}

}  // namespace

TEST(SampleHostFiles, BothLanguageFilesHaveEveryMessageTheLibraryAsksFor) {
    for (const char* file : {"lang/0804.xml", "lang/0409.xml"}) {
        SCOPED_TRACE(file);
        MessageTable table;
        ASSERT_TRUE(table.LoadFile(SamplePath(file), "chinese"));
        for (const int id : {1, 7000, 10409, 10413, 10415, 10416, 10601, 10602, 10603, 10604, 10605, 10606, 10607,
                             10608, 10609}) {
            const std::string text = table.Lookup(id);
            EXPECT_FALSE(text.empty()) << id;
            EXPECT_NE(text, text::Format("Msg(%d)", id)) << id;
        }
    }
}

TEST(SampleHostFiles, TheCompanyDirectoryHasWhatTheEndToEndTestsUse) {
    std::vector<Company> companies;
    ASSERT_TRUE(GetDirectoryReader().ReadDepartments(SamplePath("dconf/DepartmentInfo.xml"), companies));
    ASSERT_EQ(companies.size(), 2u);
    int deepest = 0;
    std::vector<ContactEntry> people;
    std::vector<ContactEntry> topLevel;
    for (const Company& company : companies) {
        Collect(company.groups, 1, deepest, people);
        for (const ContactGroup& group : company.groups)
            topLevel.insert(topLevel.end(), group.entries.begin(), group.entries.end());
    }
    EXPECT_GE(deepest, 3);
    EXPECT_GE(people.size(), 35u);
    EXPECT_EQ(Count(topLevel, "1001"), 1);
    EXPECT_EQ(Count(topLevel, "1002"), 1);
    EXPECT_EQ(Count(people, "1002"), 1);
    EXPECT_EQ(Count(topLevel, "1003"), 0);
    EXPECT_EQ(Count(people, "1003"), 1);
    EXPECT_TRUE(std::any_of(people.begin(), people.end(),
                            [&](const ContactEntry& e) { return Count(people, std::string(e.name())) == 2; }));  // in two departments
    for (const ContactEntry& person : people) EXPECT_EQ(person.uri().rfind("sip:" + std::string(person.name()) + "@", 0), 0u);
}

TEST(SampleHostFiles, TheFriendsListHasNestedGroups) {
    std::vector<ContactGroup> groups;
    ASSERT_TRUE(GetDirectoryReader().ReadFriends(SamplePath("dconf/FriendsInfo.xml"), groups));
    int deepest = 0;
    std::vector<ContactEntry> people;
    Collect(groups, 1, deepest, people);
    EXPECT_GE(groups.size(), 2u);
    EXPECT_GE(deepest, 2);
    EXPECT_FALSE(people.empty());
}
