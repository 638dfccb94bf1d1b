#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

#include "directory/DirectoryReader.h"
#include "directory/HostDirectory.h"
#include "support/TestData.h"

namespace {

std::string TempFile(const char* name, const std::string& contents) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + name;
    FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(contents.data(), 1, contents.size(), out);
    std::fclose(out);
    return path;
}

std::string NestedLists(int depth) {
    std::string s = "<d><company name=\"c\">";
    for (int i = 1; i <= depth; ++i) s += "<list name=\"" + std::to_string(i) + "\"><entry name=\"" + std::to_string(i) + "\"/>";
    for (int i = 0; i < depth; ++i) s += "</list>";
    return s + "</company></d>";
}

}  // namespace

TEST(DirectoryReader, ReadsCompaniesAsTheFileNestsThem) {
    std::vector<Company> companies;
    ASSERT_TRUE(GetDirectoryReader().ReadDepartments(TestDataPath("xml/directory.xml"), companies));
    ASSERT_EQ(companies.size(), 2u);
    EXPECT_EQ(companies[0].name, "甲公司");
    EXPECT_TRUE(companies[1].groups.empty());
    ASSERT_EQ(companies[0].groups.size(), 1u);  // the entry under the company is not read
    const ContactGroup& a = companies[0].groups[0];
    EXPECT_EQ(a.name, "A");
    ASSERT_EQ(a.entries.size(), 2u);  // entries one and three; the nested list in between goes to subgroups
    EXPECT_EQ(a.entries[0].name, "1");
    EXPECT_EQ(a.entries[0].groupName, "A");
    EXPECT_EQ(a.entries[0].displayName, "一");  // the first display-name
    EXPECT_EQ(a.entries[0].uri, "sip:1@d");
    EXPECT_EQ(a.entries[0].mobile, "138");
    EXPECT_EQ(a.entries[0].phs, "0755");
    EXPECT_EQ(a.entries[1].name, "3");
    EXPECT_EQ(a.entries[1].mobile, "");  // no other element
    ASSERT_EQ(a.subgroups.size(), 1u);
    const ContactEntry& two = a.subgroups[0].entries.at(0);
    EXPECT_EQ(two.groupName, "B");
    EXPECT_EQ(two.displayName, " 二 ");
    EXPECT_EQ(two.mobile, "");  // "mobile" in lower case is not "Mobile"

    // Appending, never clearing.
    ASSERT_TRUE(GetDirectoryReader().ReadDepartments(TestDataPath("xml/directory.xml"), companies));
    EXPECT_EQ(companies.size(), 4u);
}

TEST(DirectoryReader, ReadsFriendGroupsOnlyFromTheRoot) {
    std::vector<ContactGroup> groups;
    ASSERT_TRUE(GetDirectoryReader().ReadFriends(TestDataPath("xml/friends.xml"), groups));  // declared gb2312
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].name, "同事");
    EXPECT_EQ(groups[0].entries.at(0).displayName, "李明");
    EXPECT_EQ(groups[0].subgroups.at(0).name, "老同事");
    EXPECT_EQ(groups[1].name, "朋友");

    // The company directory read as a friends list: only the root's own lists.
    std::vector<ContactGroup> asFriends;
    ASSERT_TRUE(GetDirectoryReader().ReadFriends(TestDataPath("xml/directory.xml"), asFriends));
    ASSERT_EQ(asFriends.size(), 1u);
    EXPECT_EQ(asFriends[0].name, "root-list");
}

TEST(DirectoryReader, FailsWithoutTouchingTheSequence) {
    std::vector<Company> companies;
    EXPECT_FALSE(GetDirectoryReader().ReadDepartments("", companies));
    EXPECT_FALSE(GetDirectoryReader().ReadDepartments(TestDataPath("xml/missing.xml"), companies));
    EXPECT_FALSE(GetDirectoryReader().ReadDepartments(TestDataPath("xml/broken.xml"), companies));
    EXPECT_TRUE(companies.empty());
    EXPECT_TRUE(GetDirectoryReader().ReadDepartments(TestDataPath("xml/friends.xml"), companies));
    EXPECT_EQ(companies.size(), 1u);  // its one company, with a list
}

TEST(DirectoryReader, StopsReadingGroupsBelowSixtyFourLevels) {
    std::vector<Company> companies;
    ASSERT_TRUE(GetDirectoryReader().ReadDepartments(TempFile("quorvel-deep.xml", NestedLists(70)), companies));
    int depth = 0;
    for (const std::vector<ContactGroup>* level = &companies.at(0).groups; !level->empty();
         level = &level->front().subgroups) {
        ++depth;
        EXPECT_EQ(level->front().entries.size(), 1u);
    }
    EXPECT_EQ(depth, 64);

    // Far deeper than the component takes: no root, no crash.
    std::vector<Company> none;
    EXPECT_FALSE(GetDirectoryReader().ReadDepartments(TempFile("quorvel-deeper.xml", NestedLists(100000)), none));
    EXPECT_TRUE(none.empty());
}

TEST(GetHostDirectory, IsTheExecutablesFolderWithoutTrailingBackslash) {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string expected = path;
    expected.resize(expected.rfind('\\'));
    EXPECT_EQ(GetHostDirectory(), expected);
}
