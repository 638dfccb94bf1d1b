// The checker's rules called directly: what it finds in directory records and language
// files, and how it judges a skin strip.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checker/DirectoryCheck.h"
#include "checker/HostReport.h"
#include "checker/LanguageCheck.h"
#include "checker/LibraryCheck.h"
#include "checker/SkinCheck.h"
#include "checker/XmlFileCheck.h"
#include "xml/XmlDocument.h"

namespace {

const std::string kData = QUORVEL_TEST_DATA;

ContactEntry Person(const std::string& group, const std::string& name, const std::string& uri = "") {
    return ContactEntry(group, name, {}, uri, {}, {});
}

ContactGroup Group(const std::string& name, std::vector<ContactEntry> entries, std::vector<ContactGroup> subgroups = {}) {
    return ContactGroup{name, std::move(entries), std::move(subgroups)};
}

TEST(CheckReport, CountsFindingsAndShortensLongLists) {
    HostReport report;
    report.Section("directory");
    report.Note("fine");
    EXPECT_EQ(report.ExitCode(), 0);
    report.Warning("odd");
    EXPECT_EQ(report.ExitCode(), 0);
    report.Error("broken");
    EXPECT_EQ(report.ExitCode(), 1);
    EXPECT_EQ(report.Text(), "directory\n  fine\n  warning: odd\n  error: broken\n1 error, 1 warning\n");
    EXPECT_EQ(JoinShort({"a", "b", "c"}, 2), "a, b and 1 more");
    EXPECT_EQ(JoinShort({"a", "b"}, 2), "a, b");
}

TEST(CheckDirectoryRules, FindsRepeatedAndCollidingIdentifiers) {
    const std::vector<ContactEntry> people = {
        Person("总经办", "1005"), Person("总经办", "12"), Person("秘书处", "1005"), Person("研发部", "0012"),
        Person("研发部", "12abc"), Person("研发部", "ops01"), Person("研发部", "OPS01"), Person("研发部", ""),
        Person("研发部", "1005")};
    const std::vector<RepeatedId> repeated = RepeatedIds(people);
    ASSERT_EQ(repeated.size(), 1u);
    EXPECT_EQ(repeated[0].id, "1005");
    EXPECT_EQ(repeated[0].groups, (std::vector<std::string>{"总经办", "秘书处", "研发部"}));
    EXPECT_EQ(repeated[0].names.size(), 3u);

    const std::vector<std::vector<std::string>> same = SameNumberIds(people);
    ASSERT_EQ(same.size(), 1u);
    EXPECT_EQ(same[0], (std::vector<std::string>{"12", "0012", "12abc"}));
    EXPECT_EQ(NoNumberIds(people), (std::vector<std::string>{"ops01", "OPS01", ""}));
}

TEST(CheckDirectoryRules, PeopleAReopenedConferenceLosesOrMistakes) {
    const std::vector<Company> companies = {Company{
        "华澜", {Group("总经办",
                       {Person("总经办", "1001", "sip:1001@x"), Person("总经办", "1007", "sip:li.na@x"),
                        Person("总经办", "1010", "sip:1001@x")},
                       {Group("秘书处", {Person("秘书处", "1003", "sip:1003@x"), Person("秘书处", "1001", "sip:1001@x"),
                                         Person("秘书处", "1011", "1011")})})}}};
    std::vector<ContactEntry> people = PeopleOf(companies);
    ASSERT_EQ(people.size(), 6u);
    people.push_back(Person("好友", "2001", "sip:2001@x"));  // a friend who is not in the company directory
    std::vector<std::string> lost;
    for (const ContactEntry& person : LostOnReopen(people, companies)) lost.emplace_back(person.name());
    // Nested people and URIs that name their own person are found; 1010's URI names 1001,
    // 1011's URI has no user part.
    EXPECT_EQ(lost, (std::vector<std::string>{"1010", "1011", "2001"}));

    const DirectoryCounts counts = CountDirectory(companies[0].groups);
    EXPECT_EQ(counts.groups, 2);
    EXPECT_EQ(counts.people, 6);
}

TEST(CheckDirectoryRules, ListDepthOfALoadedFile) {
    XmlDocument document;
    const XmlElement root = document.Load(kData + "/hosts/findings/dconf/FriendsInfo.xml");
    ASSERT_FALSE(root.IsEmpty());
    EXPECT_EQ(ListDepth(root), 70);
}

TEST(CheckLanguageRules, MissingUnreachableAndRepeatedIds) {
    XmlDocument document;
    const XmlElement root = document.Load(kData + "/hosts/broken/lang/0409.xml");
    ASSERT_FALSE(root.IsEmpty());
    MessageTable table;
    std::vector<std::string> ids;
    ASSERT_TRUE(table.LoadRoot(root, &ids));
    EXPECT_EQ(ids.size(), 16u);
    const LanguageFindings findings = AnalyseLanguage(ids, table);
    EXPECT_EQ(findings.missing, (std::vector<int>{10602, 10603, 10605}));
    EXPECT_EQ(findings.unreachable, (std::vector<std::string>{"010602", " 10603"}));
    EXPECT_EQ(findings.repeated, (std::vector<std::string>{"10601"}));
    EXPECT_EQ(findings.withoutId, 1);
}

TEST(CheckLanguageRules, AnEmptyTableMissesEveryId) {
    MessageTable table;
    const LanguageFindings findings = AnalyseLanguage({}, table);
    EXPECT_EQ(findings.missing.size(), 15u);
}

TEST(CheckLibraryRules, ArchitectureAndTheStandIn) {
    const std::optional<std::string> library = ReadWholeFile("Quorvel.dll");
    const std::optional<std::string> skin = ReadWholeFile("SkinMM.dll");
    ASSERT_TRUE(library && skin);
    EXPECT_EQ(ProgramArchitecture(*library), std::string(sizeof(void*) == 8 ? "x64" : "x86"));
    EXPECT_EQ(ProgramArchitecture(*skin), ProgramArchitecture(*library));
    EXPECT_TRUE(IsStandInSkinLibrary(*skin));
    EXPECT_FALSE(IsStandInSkinLibrary(*library));
    // An ARM64 header, and bytes that are no program.
    std::string arm = library->substr(0, 0x400);
    const std::size_t header = static_cast<unsigned char>(arm[0x3C]) | static_cast<unsigned char>(arm[0x3D]) << 8;
    arm[header + 4] = 0x64;
    arm[header + 5] = static_cast<char>(0xAA);
    EXPECT_FALSE(ProgramArchitecture(arm));
    EXPECT_FALSE(ProgramArchitecture("MZ"));
    EXPECT_FALSE(ProgramArchitecture(std::string(0x40, 'M')));
}

TEST(CheckLibraryRules, PathLengths) {
    struct Case {
        std::size_t length;
        int errors, warnings;
    };
    for (const Case& c : {Case{100, 0, 0}, Case{224, 0, 0}, Case{225, 0, 1}, Case{242, 0, 2}, Case{253, 1, 0}}) {
        int errors = 0, warnings = 0;
        for (const PathFinding& finding : PathLengthFindings(c.length)) ++(finding.error ? errors : warnings);
        EXPECT_EQ(errors, c.errors) << c.length;
        EXPECT_EQ(warnings, c.warnings) << c.length;
    }
}

TEST(CheckReport, NamesTheCodePageOnceWhereNamesWouldShowWrongly) {
    EXPECT_EQ(CodePageNote(936), "");
    const std::string note = CodePageNote(1252);
    EXPECT_NE(note.find("code page 936"), std::string::npos) << note;
    EXPECT_NE(note.find("is 1252"), std::string::npos) << note;
    EXPECT_EQ(ConsoleText("a\xD6\xD0"), L"a\u4E2D");
}

TEST(CheckSkinRules, StripSizesAndMaskColours) {
    EXPECT_FALSE(StripShortfall(kListCheckStrip, 64, 16));
    EXPECT_FALSE(StripShortfall(kTreeStrip, 120, 24));
    EXPECT_TRUE(StripShortfall(kListCheckStrip, 63, 16));
    EXPECT_TRUE(StripShortfall(kTreeStrip, 100, 19));

    const std::optional<PictureFacts> sample = InspectPicture(std::string(QUORVEL_SAMPLE_HOST) + "/skin/system/all_select.bmp",
                                                              &kListCheckStrip);
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->width, 64);
    EXPECT_EQ(sample->height, 16);
    EXPECT_GT(sample->maskPixels, 0);

    const std::optional<PictureFacts> plain = InspectPicture(kData + "/hosts/broken/skin/system/selectcontact_head.bmp",
                                                             &kTreeStrip);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->width, 100);
    EXPECT_EQ(plain->maskPixels, 0);
    EXPECT_FALSE(InspectPicture(kData + "/hosts/broken/skin/system/bitmap_select.bmp", nullptr));
}

}  // namespace
