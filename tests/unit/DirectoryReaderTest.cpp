#include <gtest/gtest.h>

#include <windows.h>


#include "FailingAllocation.h"

#include "directory/DirectoryReader.h"
#include "directory/HostDirectory.h"
#include "support/TestData.h"
#include "xml/XmlDocument.h"
#include "xml/XmlFile.h"

namespace {

std::string NestedLists(int depth) {
    std::string s = "<d><company name=\"c\">";
    for (int i = 1; i <= depth; ++i) s += "<list name=\"" + std::to_string(i) + "\"><entry name=\"" + std::to_string(i) + "\"/>";
    for (int i = 0; i < depth; ++i) s += "</list>";
    return s + "</company></d>";
}

using Names = std::vector<std::string>;

Names NamesOf(const std::vector<ContactGroup>& groups) {
    Names names;
    for (const ContactGroup& group : groups) names.push_back(group.name);
    return names;
}

Names DisplayNamesOf(const std::vector<ContactEntry>& entries) {
    Names names;
    for (const ContactEntry& entry : entries) names.emplace_back(entry.displayName());
    return names;
}

}  // namespace

TEST(DirectoryDepartments, StopsReadingGroupsBelowSixtyFourLevels) {
    const ScratchFolder folder("deep");
    std::vector<Company> companies;
    ASSERT_TRUE(GetDirectoryReader().ReadDepartments(folder.Write("deep.xml", NestedLists(70)), companies));
    int depth = 0;
    for (const std::vector<ContactGroup>* level = &companies.at(0).groups; !level->empty();
         level = &level->front().subgroups) {
        ++depth;
        EXPECT_EQ(level->front().entries.size(), 1u);
    }
    EXPECT_EQ(depth, 64);

    // Far deeper than the component takes: no root, no crash.
    std::vector<Company> none;
    EXPECT_FALSE(GetDirectoryReader().ReadDepartments(folder.Write("deeper.xml", NestedLists(100000)), none));
    EXPECT_TRUE(none.empty());
}

TEST(HostDirectory, IsTheExecutablesFolderWithoutTrailingBackslash) {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string expected = path;
    expected.resize(expected.rfind('\\'));
    EXPECT_EQ(GetHostDirectory(), expected);
}

TEST(HostDirectory, APathThatDoesNotFitGivesNoFolderRatherThanACutOne) {
    char buffer[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    const std::string path(buffer, length);
    const DWORD slash = static_cast<DWORD>(path.rfind('\\'));
    ASSERT_GT(slash, 3u);
    EXPECT_EQ(GetHostDirectory(length + 1), path.substr(0, slash));  // just fits
    // Cut in the file name (it would still name the right folder), just after the last
    // backslash, and just before it (the parent folder): each time no folder at all.
    for (const DWORD capacity : {length, slash + 2, slash + 1, slash, slash - 1}) {
        SCOPED_TRACE(capacity);
        EXPECT_EQ(GetHostDirectory(capacity), "");
    }
}

TEST(HostDirectory, TheLastBackslashIsACharacterNotATrailByte) {
    // 0x81 0x5C is one double-byte character whose second byte is a backslash.
    EXPECT_EQ(FolderOfPath("C:\\Host\\\x81\x5C" "host.exe"), "C:\\Host");
    EXPECT_EQ(FolderOfPath("C:\\Host\x81\x5C\\host.exe"), "C:\\Host\x81\x5C");
    EXPECT_EQ(FolderOfPath("C:\\Host\\host\x81\x5C"), "C:\\Host");
    EXPECT_EQ(FolderOfPath("host.exe"), "");
    EXPECT_EQ(FolderOfPath("\x81\x5C"), "");
}


TEST(DirectoryDepartments, ReadsCompaniesDepartmentsAndPeopleByTheExactNames) {
    std::vector<Company> companies;
    ASSERT_TRUE(GetDirectoryReader().ReadDepartments(TestDataPath("directory/departments.xml"), companies));
    ASSERT_EQ(companies.size(), 2u);
    const Company& first = companies[0];
    EXPECT_EQ(first.name, "甲公司");
    // Entries directly under the company and `List` are not read.
    ASSERT_EQ(first.groups.size(), 1u);
    const ContactGroup& research = first.groups[0];
    EXPECT_EQ(research.name, "研发部");
    ASSERT_EQ(research.entries.size(), 2u);  // entries first, in document order; `Entry` is not read

    const ContactEntry& zhang = research.entries[0];
    EXPECT_EQ(zhang.groupName(), "研发部");
    EXPECT_EQ(zhang.name(), "1002");
    EXPECT_EQ(zhang.uri(), "sip:1002@quorvel.example");
    EXPECT_EQ(zhang.displayName(), "张伟");        // the first display-name
    EXPECT_EQ(zhang.mobile(), "13800000002");     // first other, first Mobile
    EXPECT_EQ(zhang.phs(), "075512345");

    const ContactEntry& wang = research.entries[1];
    EXPECT_EQ(wang.name(), "1004");
    EXPECT_EQ(wang.displayName(), "王芳");
    EXPECT_EQ(wang.uri(), "");
    EXPECT_EQ(wang.mobile(), "");
    EXPECT_EQ(wang.phs(), "");

    ASSERT_EQ(research.subgroups.size(), 1u);
    const ContactGroup& team = research.subgroups[0];
    EXPECT_EQ(team.name, "研发一组");
    ASSERT_EQ(team.entries.size(), 1u);
    EXPECT_EQ(team.entries[0].groupName(), "研发一组");
    EXPECT_EQ(team.entries[0].displayName(), " 李 娜 ");  // not trimmed
    EXPECT_EQ(team.entries[0].mobile(), "");              // spelled `mobile`
    EXPECT_EQ(team.entries[0].phs(), "0755");

    const Company& second = companies[1];
    EXPECT_EQ(second.name, "");
    ASSERT_EQ(second.groups.size(), 1u);
    EXPECT_TRUE(second.groups[0].entries.empty());
    ASSERT_EQ(second.groups[0].subgroups.size(), 1u);
    const ContactGroup& b = second.groups[0].subgroups[0];
    ASSERT_EQ(b.entries.size(), 1u);  // an entry without anything still counts
    EXPECT_EQ(b.entries[0].groupName(), "B");
    EXPECT_EQ(b.entries[0].name(), "");
}

TEST(DirectoryDepartments, AppendsAndNeverClears) {
    std::vector<Company> companies{Company{"已有", {}}};
    ASSERT_TRUE(GetDirectoryReader().ReadDepartments(TestDataPath("directory/departments.xml"), companies));
    ASSERT_TRUE(GetDirectoryReader().ReadDepartments(TestDataPath("directory/departments.xml"), companies));
    ASSERT_EQ(companies.size(), 5u);
    EXPECT_EQ(companies[0].name, "已有");
    EXPECT_EQ(companies[3].name, "甲公司");
}

TEST(DirectoryDepartments, UnreadableFilesAreFalseAndLeaveTheSequenceAlone) {
    for (const char* file : {"", "directory/missing.xml", "xml/empty.xml", "xml/not-well-formed.xml",
                             "xml/no-root.xml", "xml/billion-laughs.xml"}) {
        SCOPED_TRACE(file);
        std::vector<Company> companies;
        std::vector<ContactGroup> groups;
        const std::string path = *file ? TestDataPath(file) : std::string();
        EXPECT_FALSE(GetDirectoryReader().ReadDepartments(path, companies));
        EXPECT_FALSE(GetDirectoryReader().ReadFriends(path, groups));
        EXPECT_TRUE(companies.empty());
        EXPECT_TRUE(groups.empty());
    }
}

TEST(DirectoryDepartments, ARootOfListsHoldsNoCompaniesButFriendGroups) {
    std::vector<Company> companies;
    EXPECT_TRUE(GetDirectoryReader().ReadDepartments(TestDataPath("directory/lists-only.xml"), companies));
    EXPECT_TRUE(companies.empty());
    std::vector<ContactGroup> groups;
    EXPECT_TRUE(GetDirectoryReader().ReadFriends(TestDataPath("directory/lists-only.xml"), groups));
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].name, "组一");
    EXPECT_EQ(groups[0].entries.size(), 1u);
}

TEST(DirectoryFriends, ReadsNestedGroupsAndSkipsCompaniesAndLoosePeople) {
    std::vector<ContactGroup> groups;
    ASSERT_TRUE(GetDirectoryReader().ReadFriends(TestDataPath("directory/friends.xml"), groups));
    ASSERT_EQ(NamesOf(groups), (Names{"同学", "家人"}));
    const ContactGroup& classmates = groups[0];
    EXPECT_EQ(DisplayNamesOf(classmates.entries), (Names{"赵敏", "孙丽"}));
    ASSERT_EQ(classmates.subgroups.size(), 1u);
    EXPECT_TRUE(classmates.subgroups[0].entries.empty());
    ASSERT_EQ(classmates.subgroups[0].subgroups.size(), 1u);
    const ContactEntry& qian = classmates.subgroups[0].subgroups[0].entries.at(0);
    EXPECT_EQ(qian.groupName(), "研究生");
    EXPECT_EQ(qian.phs(), "02088");
    EXPECT_TRUE(groups[1].entries.empty());

    // Declared gb2312, with a company that the friends list does not read.
    std::vector<ContactGroup> declared;
    ASSERT_TRUE(GetDirectoryReader().ReadFriends(TestDataPath("xml/friends.xml"), declared));
    ASSERT_EQ(NamesOf(declared), (Names{"同事", "朋友"}));
    EXPECT_EQ(declared[0].entries.at(0).displayName(), "李明");
    EXPECT_EQ(declared[0].subgroups.at(0).name, "老同事");
    // Read as the company directory, the same file gives that company.
    std::vector<Company> companies;
    ASSERT_TRUE(GetDirectoryReader().ReadDepartments(TestDataPath("xml/friends.xml"), companies));
    EXPECT_EQ(companies.size(), 1u);
}

TEST(DirectoryElements, ChildTextAndReadGroupsAcceptAnEmptyElement) {
    DirectoryReader& reader = GetDirectoryReader();
    EXPECT_EQ(reader.ChildText(XmlElement(), "display-name"), "");
    std::vector<ContactGroup> groups;
    reader.ReadGroups(XmlElement(), groups);
    EXPECT_TRUE(groups.empty());
}

TEST(DirectoryErrors, AFailureMidwayKeepsTheCompaniesReadBeforeAndIsFalse) {
    XmlDocument document;
    const XmlElement root = document.Load(TestDataPath("directory/departments.xml"));
    ASSERT_FALSE(root.IsEmpty());
    // Memory running out at each allocation of the walk in turn: the first failure that
    // leaves a company read came in the middle of the second.
    for (std::int64_t first = 0; first < 100000; ++first) {
        std::vector<Company> companies;
        companies.reserve(4);
        bool read = true;
        {
            const FailingAllocation failing(first);
            read = GetDirectoryReader().ReadCompanies(root, companies);
        }
        if (companies.empty()) {
            EXPECT_FALSE(read);
            continue;
        }
        EXPECT_FALSE(read);
        ASSERT_EQ(companies.size(), 1u);
        EXPECT_EQ(companies[0].name, "甲公司");
        EXPECT_EQ(companies[0].groups.at(0).entries.size(), 2u);
        return;
    }
    FAIL() << "no company was ever read";
}

TEST(DirectoryErrors, RunningOutOfMemoryAnywhereIsFalseAndNeverEscapes) {
    const std::string path = TestDataPath("directory/departments.xml");
    std::vector<Company> expected;
    ASSERT_TRUE(GetDirectoryReader().ReadDepartments(path, expected));
    for (std::int64_t first = 0; first < 100000; ++first) {
        std::vector<Company> companies;
        bool read = false;
        std::int64_t refused = 0;
        {
            const FailingAllocation failing(first);
            read = GetDirectoryReader().ReadDepartments(path, companies);
            refused = failing.Refused();
        }
        if (refused == 0) {
            EXPECT_TRUE(read);
            EXPECT_EQ(companies.size(), expected.size());
            EXPECT_EQ(companies.at(0).groups.at(0).entries.at(0).displayName(), "张伟");
            return;
        }
        EXPECT_FALSE(read) << "allocation " << first;
    }
    FAIL() << "the read never finished";
}

// Memory running out at every point of the reads in turn, the walk's included: a read
// that did not finish gives nobody, not the people read before the failure.
TEST(DirectoryErrors, AReadThatFailsMidwayGivesNoRecordsAtAll) {
    const std::string departments = TestDataPath("directory/departments.xml");
    const std::string friends = TestDataPath("directory/friends.xml");
    for (std::int64_t first = 0; first < 100000; ++first) {
        bool companiesRead = false, friendsRead = false;
        DirectoryReader::SharedCompanies companies;
        DirectoryReader::SharedFriendGroups groups;
        {
            const FailingAllocation failing(first);
            companies = GetDirectoryReader().SharedDepartments(departments, &companiesRead);
            groups = GetDirectoryReader().SharedFriends(friends, &friendsRead);
        }
        EXPECT_TRUE(companiesRead || companies->empty()) << "allocation " << first;
        EXPECT_TRUE(friendsRead || groups->empty()) << "allocation " << first;
        if (companiesRead && friendsRead) return;
    }
    FAIL() << "the reads never finished";
}

TEST(DirectoryErrors, AFileLargerThan128MiBIsUnreadable) {
    const ScratchFolder folder("large-directory");
    const std::string path = folder.WriteLong("DepartmentInfo.xml", "<r><company name=\"c\"/></r>",
                                              static_cast<long long>(kMaxXmlFileBytes) + 1);
    std::vector<Company> companies;
    EXPECT_FALSE(GetDirectoryReader().ReadDepartments(path, companies));
    EXPECT_TRUE(companies.empty());
}

TEST(DirectoryDepartments, APercentInTheHostPathIsAnOrdinaryCharacter) {
    ScratchFolder folder("host%20dir");
    const std::string path = folder.Write("DepartmentInfo.xml", "<r><company name=\"c\"><list name=\"l\"/></company></r>");
    std::vector<Company> companies;
    ASSERT_TRUE(GetDirectoryReader().ReadDepartments(path, companies));
    EXPECT_EQ(companies.at(0).groups.at(0).name, "l");
}

TEST(DirectoryReuse, AFileWithTheSameBytesIsParsedOnceWithinTheScope) {
    const ScratchFolder folder("reuse");
    DirectoryReader& reader = GetDirectoryReader();
    const std::string path = folder.Write("departments.xml", NestedLists(2));
    const auto names = [](const std::vector<Company>& companies) {
        std::vector<std::string> found;
        for (const Company& company : companies)
            for (const ContactGroup& group : company.groups) found.emplace_back(group.entries.at(0).name());
        return found;
    };
    {
        const DirectoryReuse reuse(reader);
        const int before = reader.FilesParsed();
        std::vector<Company> first, second;
        ASSERT_TRUE(reader.ReadDepartments(path, first));
        ASSERT_TRUE(reader.ReadDepartments(path, second));
        EXPECT_EQ(reader.FilesParsed(), before + 1);
        EXPECT_EQ(names(second), names(first));
        EXPECT_EQ(names(second), (std::vector<std::string>{"1"}));

        // Rewritten within the call: parsed anew, whatever its time stamp says.
        folder.Write("departments.xml", "<d><company name=\"c\"><list name=\"g\"><entry name=\"9\"/></list></company></d>");
        std::vector<Company> third;
        ASSERT_TRUE(reader.ReadDepartments(path, third));
        EXPECT_EQ(reader.FilesParsed(), before + 2);
        EXPECT_EQ(names(third), (std::vector<std::string>{"9"}));

        // A refused file is remembered as refused.
        const std::string broken = folder.Write("broken.xml", "<d><company>");
        std::vector<Company> none;
        EXPECT_FALSE(reader.ReadDepartments(broken, none));
        EXPECT_FALSE(reader.ReadDepartments(broken, none));
        EXPECT_TRUE(none.empty());
        EXPECT_EQ(reader.FilesParsed(), before + 3);
    }
    // Outside a call nothing is kept.
    const int before = reader.FilesParsed();
    std::vector<Company> again;
    ASSERT_TRUE(reader.ReadDepartments(path, again));
    ASSERT_TRUE(reader.ReadDepartments(path, again));
    EXPECT_EQ(reader.FilesParsed(), before + 2);
}

TEST(DirectoryReuse, ReadsOfTheSameBytesShareOneParseThatOutlivesTheScope) {
    const ScratchFolder folder("shared");
    DirectoryReader& reader = GetDirectoryReader();
    const std::string path = folder.Write("departments.xml", NestedLists(2));
    DirectoryReader::SharedCompanies first, second;
    {
        const DirectoryReuse reuse(reader);
        bool complete = false;
        first = reader.SharedDepartments(path, &complete);
        EXPECT_TRUE(complete);
        second = reader.SharedDepartments(path);
        EXPECT_EQ(first.get(), second.get());
        // An unreadable file gives no records, not a null.
        const DirectoryReader::SharedFriendGroups missing =
            reader.SharedFriends(folder.Path() + "\\missing.xml", &complete);
        ASSERT_NE(missing, nullptr);
        EXPECT_TRUE(missing->empty());
        EXPECT_FALSE(complete);
    }
    // Those who hold the records keep them after the reader lets go.
    ASSERT_EQ(first->size(), 1u);
    EXPECT_EQ(first->at(0).groups.at(0).entries.at(0).name(), "1");
    EXPECT_NE(reader.SharedDepartments(path).get(), first.get());
}
