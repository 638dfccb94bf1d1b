#include <gtest/gtest.h>

#include "conference/MemberListRules.h"

namespace {

ContactEntry Person(const std::string& name, const std::string& group, const std::string& mobile = "",
                    const std::string& phs = "") {
    ContactEntry e;
    e.name = name;
    e.groupName = group;
    e.displayName = "P" + name;
    e.uri = name.empty() ? "" : "sip:" + name + "@d";
    e.mobile = mobile;
    e.phs = phs;
    return e;
}

std::vector<Company> Directory() {
    ContactGroup nested{"研发一组", {Person("1003", "研发一组")}, {}};
    ContactGroup research{"研发部", {Person("1002", "研发部", "138"), Person("", "研发部")}, {nested}};
    ContactGroup sales{"销售部", {Person("1002", "销售部", "", "0755")}, {}};
    return {Company{"甲公司", {research}}, Company{"乙公司", {sales}}};
}

}  // namespace

TEST(FindDirectoryEntries, FindsEveryTopLevelMatchAndNothingNestedOrEmpty) {
    const std::vector<Company> companies = Directory();
    const std::vector<ContactEntry> found = FindDirectoryEntries(companies, "1002");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].groupName, "研发部");
    EXPECT_EQ(found[1].groupName, "销售部");
    EXPECT_TRUE(FindDirectoryEntries(companies, "1003").empty());  // only in a sub-department
    EXPECT_TRUE(FindDirectoryEntries(companies, "").empty());      // an empty id matches nobody
    EXPECT_TRUE(FindDirectoryEntries(companies, "10020").empty());
}

TEST(MemberFromEntry, TakesThePhsWhenThereIsNoMobile) {
    EXPECT_EQ(MemberFromEntry(Person("1002", "g", "138", "0755")).phone, "138");
    EXPECT_EQ(MemberFromEntry(Person("1002", "g", "", "0755")).phone, "0755");
    const MemberEntry m = MemberFromEntry(Person("1002", "g"));
    EXPECT_EQ(m.checked, 1);
    EXPECT_EQ(m.id, "1002");
    EXPECT_EQ(m.uri, "sip:1002@d");
}

TEST(IsAlreadyMember, TellsTypedPeopleApartByPhone) {
    std::vector<MemberEntry> members = {MemberFromEntry(Person("1002", "g")), MemberFromEntry(Person("", "", "801"))};
    EXPECT_TRUE(IsAlreadyMember(members, Person("1002", "other")));
    EXPECT_FALSE(IsAlreadyMember(members, Person("1003", "g")));
    EXPECT_TRUE(IsAlreadyMember(members, Person("", "", "801")));
    EXPECT_FALSE(IsAlreadyMember(members, Person("", "", "802")));  // a second typed person reaches the list
    // A directory person whose phone equals a typed member's is still a different person.
    EXPECT_FALSE(IsAlreadyMember(members, Person("1004", "g", "801")));
}

TEST(RemoveMembersAt, TheChairmanFollowsThePerson) {
    std::vector<MemberEntry> members(4);
    for (int i = 0; i < 4; ++i) members[static_cast<size_t>(i)].phone = std::to_string(i);
    int chairman = 2;
    RemoveMembersAt(members, chairman, {0});  // before the chairman
    EXPECT_EQ(chairman, 1);
    EXPECT_EQ(members[static_cast<size_t>(chairman)].phone, "2");
    RemoveMembersAt(members, chairman, {2});  // after the chairman
    EXPECT_EQ(chairman, 1);
    RemoveMembersAt(members, chairman, {1});  // the chairman
    EXPECT_EQ(chairman, -1);
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(members[0].phone, "1");
    RemoveMembersAt(members, chairman, {5});  // out of range: nothing
    EXPECT_EQ(members.size(), 1u);
}

TEST(RemoveMembersAt, ManyRowsInOnePassKeepTheOthersInOrder) {
    std::vector<MemberEntry> members(7);
    for (int i = 0; i < 7; ++i) members[static_cast<size_t>(i)].phone = std::to_string(i);
    int chairman = 5;
    RemoveMembersAt(members, chairman, {0, 2, 3, 6});
    ASSERT_EQ(members.size(), 3u);
    EXPECT_EQ(members[0].phone + members[1].phone + members[2].phone, "145");
    EXPECT_EQ(chairman, 2);
    RemoveMembersAt(members, chairman, {0, 1, 2});
    EXPECT_TRUE(members.empty());
    EXPECT_EQ(chairman, -1);
}
