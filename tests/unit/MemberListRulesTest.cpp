#include <gtest/gtest.h>

#include "conference/MemberListRules.h"

namespace {

ContactEntry Person(const std::string& name, const std::string& group, const std::string& mobile = "",
                    const std::string& phs = "") {
    return ContactEntry(group, name, "P" + name, name.empty() ? "" : "sip:" + name + "@d", mobile, phs);
}

std::vector<Company> Directory() {
    ContactGroup nested{"研发一组", {Person("1003", "研发一组")}, {}};
    ContactGroup research{"研发部", {Person("1002", "研发部", "138"), Person("", "研发部")}, {nested}};
    ContactGroup sales{"销售部", {Person("1002", "销售部", "", "0755")}, {}};
    return {Company{"甲公司", {research}}, Company{"乙公司", {sales}}};
}

}  // namespace

TEST(MemberDirectory, FindsAtAnyDepthTheFirstInDepthFirstOrder) {
    const std::vector<Company> companies = Directory();
    const MemberDirectory directory(companies);
    const ContactEntry* twice = directory.Find("1002");
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(twice->groupName(), "研发部");  // the first company's, not the second's
    const ContactEntry* nested = directory.Find("1003");
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(nested->groupName(), "研发一组");
    EXPECT_EQ(directory.Find(""), nullptr);  // an empty id matches nobody, not the nameless person
    EXPECT_EQ(directory.Find("10020"), nullptr);
}

TEST(MemberDirectory, DepthFirstAGroupsPeopleBeforeItsSubgroupsAndNamesBeforeUris) {
    const ContactEntry byUri("部门", "3001", "P3001", "sip:zhang.san@d", "", "");
    // A URI naming someone else's identifier.
    const ContactEntry shadowed("部门", "3002", "P3002", "sip:2001@d", "", "");
    const ContactGroup sub{"子组", {Person("2001", "子组"), Person("4001", "子组")}, {}};
    const ContactGroup first{"部门", {byUri, shadowed, Person("4001", "部门")}, {sub}};
    const ContactGroup second{"二部", {Person("2001", "二部")}, {}};
    const std::vector<Company> companies = {Company{"甲", {first, second}}};
    const MemberDirectory directory(companies);
    ASSERT_NE(directory.Find("2001"), nullptr);
    EXPECT_EQ(directory.Find("2001")->groupName(), "子组");  // depth first, and by name before 3002's URI
    ASSERT_NE(directory.Find("4001"), nullptr);
    EXPECT_EQ(directory.Find("4001")->groupName(), "部门");
    ASSERT_NE(directory.Find("zhang.san"), nullptr);
    EXPECT_EQ(directory.Find("zhang.san")->name(), "3001");
    ASSERT_NE(directory.Find("3002"), nullptr);
    EXPECT_EQ(directory.Find("3002")->name(), "3002");
}

TEST(MemberFromEntry, TakesThePhsWhenThereIsNoMobile) {
    EXPECT_EQ(MemberFromEntry(Person("1002", "g", "138", "0755")).phone, "138");
    EXPECT_EQ(MemberFromEntry(Person("1002", "g", "", "0755")).phone, "0755");
    const MemberEntry m = MemberFromEntry(Person("1002", "g"));
    EXPECT_TRUE(m.checked);
    EXPECT_EQ(m.id, "1002");
    EXPECT_EQ(m.uri, "sip:1002@d");
}

TEST(MemberKeys, TellsTypedPeopleApartByPhone) {
    MemberKeys keys({MemberFromEntry(Person("1002", "g")), MemberFromEntry(Person("", "", "801"))});
    EXPECT_TRUE(keys.Contains(Person("1002", "other")));
    EXPECT_FALSE(keys.Contains(Person("1003", "g")));
    EXPECT_TRUE(keys.Contains(Person("", "", "801")));
    EXPECT_TRUE(keys.Contains(Person("", "", "", "801")));  // the PHS stands in for a missing mobile
    EXPECT_FALSE(keys.Contains(Person("", "", "802")));  // a second typed person reaches the list
    // A directory person whose phone equals a typed member's is still a different person.
    EXPECT_FALSE(keys.Contains(Person("1004", "g", "801")));
    keys.Add(MemberFromEntry(Person("1003", "g")));
    EXPECT_TRUE(keys.Contains(Person("1003", "other")));
}

TEST(IndexAfterRemoval, TheChairmanFollowsThePersonAndGoesWithHim) {
    struct Case {
        int index;
        std::vector<int> removed;
        int after;
    };
    const Case cases[] = {
        {2, {0}, 1},           // before the chairman
        {2, {3}, 2},           // after the chairman
        {2, {2}, -1},          // the chairman
        {5, {0, 2, 3, 6}, 2},  // several in one pass
        {1, {5}, 1},           // past the end: nothing
        {-1, {0}, -1},         // no chairman stays none
    };
    for (const Case& c : cases) EXPECT_EQ(IndexAfterRemoval(c.index, c.removed), c.after) << c.index;
}
