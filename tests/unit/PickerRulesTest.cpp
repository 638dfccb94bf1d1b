#include <gtest/gtest.h>

#include <climits>

#include "picker/ChosenIds.h"
#include "picker/DirectoryIndex.h"
#include "picker/OwnEntries.h"
#include "picker/PickerLayout.h"
#include "picker/PickerRules.h"
#include "picker/PickerTexts.h"
#include "picker/TreeOutline.h"
#include "res/resource.h"
#include "support/Records.h"

namespace {

ContactEntry Person(const std::string& name, const std::string& mobile = "", const std::string& group = "") {
    return ContactEntry(group, name, "p" + name, {}, mobile, {});
}

ControlPlacement PlacementOf(const PickerLayout& layout, int id) { return PlacementOf(layout.placements, id); }

}  // namespace

TEST(PickerRules, RowKeyIsTheMobileNumberWhenThereIsOneAndTheIdentifierOtherwise) {
    EXPECT_EQ(RowKey(Person("1002", "13900000001")), "13900000001");
    EXPECT_EQ(RowKey(Person("1002")), "1002");
    EXPECT_EQ(RowKey(MakeTypedPerson("张三", "801")), "801");
}

TEST(PickerRules, NumericIdReadsLeadingDigitsAndSaturates) {
    EXPECT_EQ(NumericId(Person("0012")), 12);
    EXPECT_EQ(NumericId(Person("12")), 12);
    EXPECT_EQ(NumericId(Person(" \t+34x5")), 34);
    EXPECT_EQ(NumericId(Person("-7")), -7);
    EXPECT_EQ(NumericId(Person("sip:1002")), 0);
    EXPECT_EQ(NumericId(Person("")), 0);
    EXPECT_EQ(NumericId(Person("2147483647")), INT_MAX);
    EXPECT_EQ(NumericId(Person("99999999999999999999")), INT_MAX);
    EXPECT_EQ(NumericId(Person("-99999999999999999999")), INT_MIN);
}

TEST(PickerRules, TypedPersonHasOnlyANameAndANumber) {
    const ContactEntry p = MakeTypedPerson("  ", "801");
    EXPECT_EQ(p.displayName(), "  ");
    EXPECT_EQ(p.mobile(), "801");
    EXPECT_TRUE(p.name().empty() && p.groupName().empty() && p.uri().empty() && p.phs().empty());
    EXPECT_EQ(NumericId(p), 0);
}

TEST(PickerRules, TypedPersonRefusalsComeInOrder) {
    const std::vector<ContactEntry> chosen = {Person("1002", "13900000001"), Person("1003"), Person("", "80a")};
    EXPECT_STREQ(TypedPersonRefusal("", "", chosen), texts::kTypedNameEmpty);
    EXPECT_STREQ(TypedPersonRefusal("", "13900000001", chosen), texts::kTypedNameEmpty);
    EXPECT_STREQ(TypedPersonRefusal("李四", "", chosen), texts::kTypedNumberEmpty);
    EXPECT_STREQ(TypedPersonRefusal("李四", "13900000001", chosen), texts::kTypedNumberChosen);
    // Letters are compared without regard to case.
    EXPECT_STREQ(TypedPersonRefusal("李四", "80A", chosen), texts::kTypedNumberChosen);
    // Only mobile numbers count: the identifier of a chosen person is no obstacle.
    EXPECT_EQ(TypedPersonRefusal("李四", "1003", chosen), nullptr);
    EXPECT_EQ(TypedPersonRefusal(" ", "802", chosen), nullptr);
}

TEST(PickerRules, FixedTextsAreCodePage936) {
    EXPECT_STREQ(texts::kCaptionNotice, "\xB6\xE0\xC3\xBD\xCC\xE5\xBB\xE1\xD2\xE9\xA3\xAD\xCC\xE1\xCA\xBE");
}

TEST(OwnEntries, TheUsersIdentifierIgnoringCaseJoinsOnceByItsExactText) {
    OwnEntries own("abc", {Person("abc"), Person("x")});
    EXPECT_FALSE(own.Take(Person("abc")));  // chosen already, exactly
    EXPECT_TRUE(own.Take(Person("ABC")));   // the user's, another text
    EXPECT_FALSE(own.Take(Person("ABC")));  // that text once
    EXPECT_TRUE(own.Take(Person("aBc")));
    EXPECT_FALSE(own.Take(Person("x")));    // not the user's
    // Double-byte characters stay exact.
    OwnEntries chinese("用户A", {});
    EXPECT_TRUE(chinese.Take(Person("用户a")));
    EXPECT_FALSE(chinese.Take(Person("用户b")));
}

TEST(OwnEntries, WithoutAUserIdentifierTheFirstPersonWithoutOneJoins) {
    std::vector<ContactEntry> chosen(15000, Person("1"));
    OwnEntries own("", chosen);
    int taken = 0;
    for (int i = 0; i < 20000; ++i) taken += own.Take(Person("")) ? 1 : 0;
    EXPECT_EQ(taken, 1);
    chosen.push_back(Person(""));
    EXPECT_FALSE(OwnEntries("", chosen).Take(Person("")));
}

TEST(ChosenIds, CountsEveryEntryOfAnIdentifier) {
    ChosenIds ids;
    ids.Rebuild({Person("12"), Person("0012"), MakeTypedPerson("a", "1")});
    EXPECT_TRUE(ids.Contains(12));
    EXPECT_TRUE(ids.Contains(0));
    EXPECT_FALSE(ids.Contains(13));
    ids.Remove(Person("12"));
    EXPECT_TRUE(ids.Contains(12));  // "0012" is still there
    ids.Remove(Person("0012"));
    EXPECT_FALSE(ids.Contains(12));
    ids.Remove(Person("12"));  // more removals than additions leave nothing behind
    ids.Add(Person("12"));
    EXPECT_TRUE(ids.Contains(12));
}

TEST(DirectoryIndex, FindsTheFirstPersonInDepthFirstOrder) {
    // Company A: dept X (people 5, 7; sub-dept Y with 9 and 5), dept Z (9, 11).
    // Company B: dept W (11, 13).
    std::vector<Company> companies = {
        Company{"A", {Group("X", {Person("5"), Person("7")}, {Group("Y", {Person("9"), Person("05")})}),
                      Group("Z", {Person("009"), Person("11")})}},
        Company{"B", {Group("W", {Person("11"), Person("13")})}},
    };
    DirectoryIndex index;
    EXPECT_FALSE(index.IsBuilt());
    index.Build(companies);
    ASSERT_TRUE(index.IsBuilt());
    // A sub-department's people come before the next department's.
    ASSERT_NE(index.Find(9), nullptr);
    EXPECT_EQ(index.Find(9), &companies[0].groups[0].subgroups[0].entries[0]);
    EXPECT_EQ(index.Find(9)->groupName(), "Y");
    EXPECT_EQ(index.Find(5)->name(), "5");
    EXPECT_EQ(index.Find(11)->groupName(), "Z");
    EXPECT_EQ(index.Find(13)->groupName(), "W");
    EXPECT_EQ(index.Find(0), nullptr);
    EXPECT_EQ(index.Find(6), nullptr);
    index.Clear();
    EXPECT_FALSE(index.IsBuilt());
    EXPECT_EQ(index.Find(5), nullptr);
}

TEST(DirectoryIndex, IndexesFriendGroupsAndPeopleWithoutDigits) {
    std::vector<ContactGroup> groups = {Group("F", {}, {Group("G", {Person("bob"), Person("0")})})};
    DirectoryIndex index;
    index.Build(groups);
    ASSERT_NE(index.Find(0), nullptr);
    EXPECT_EQ(index.Find(0)->name(), "bob");
}

TEST(PickerLayout, At300PixelsTheLeftHalfIs124Wide) {
    const PickerLayout layout = ComputePickerLayout(RECT{0, 0, 300, 400});
    const RECT& tabs = layout.tabs;
    EXPECT_EQ(Placed(tabs.left, tabs.top, tabs.right - tabs.left, tabs.bottom - tabs.top), "10,5 124x332");
    // In placing order: the tabs first, as the trees take their display area.
    const std::vector<std::pair<int, std::string>> expected = {
        {IDC_PICKER_TABS, "10,5 124x332"},         {IDC_PICKER_NAME_LABEL, "10,347 30x20"},
        {IDC_PICKER_NAME, "43,347 38x20"},         {IDC_PICKER_NUMBER_LABEL, "10,372 30x20"},
        {IDC_TYPED_NUMBER, "43,372 38x20"},        {IDC_ADD_TYPED, "84,372 50x20"},
        {IDC_MOVE, "137,171 25x20"},               {IDC_CHOSEN_LIST, "165,5 125x362"},
        {IDC_REMOVE_CHOSEN, "175,372 40x20"},      {IDOK, "240,372 40x20"},
    };
    std::vector<std::pair<int, std::string>> placed;
    for (const ControlPlacement& p : layout.placements) placed.emplace_back(p.id, Placed(p));
    EXPECT_EQ(placed, expected);
}

TEST(PickerLayout, At144DpiEachPixelNumberIsScaledAndRounded) {
    const PickerLayout layout = ComputePickerLayout(RECT{0, 0, 450, 600}, 144);
    const std::vector<std::pair<int, std::string>> expected = {
        {IDC_PICKER_TABS, "15,8 186x498"},         {IDC_PICKER_NAME, "65,520 57x30"},
        {IDC_MOVE, "206,257 38x30"},               {IDC_CHOSEN_LIST, "248,8 187x543"},
        {IDOK, "360,558 60x30"},
    };
    for (const auto& [id, placed] : expected) EXPECT_EQ(Placed(PlacementOf(layout, id)), placed) << id;
}

TEST(PickerLayout, BelowFiftyOnePixelsTheHalvesOverlapWithoutFailing) {
    const PickerLayout layout = ComputePickerLayout(RECT{0, 0, 48, 100});
    EXPECT_EQ(PlacementOf(layout, IDC_PICKER_TABS).width, -1);
    EXPECT_EQ(PlacementOf(layout, IDC_MOVE).x, 12);
    const PickerLayout odd = ComputePickerLayout(RECT{0, 0, 50, 100});
    EXPECT_EQ(PlacementOf(odd, IDC_PICKER_TABS).width, 0);  // -1 / 2 truncates toward zero
}

TEST(TreeOutline, VisitsThePeopleUnderAnItemInTreeOrder) {
    // Handles stand in for tree items: company 1 { group 2 { 10, 11, group 3 { 12 }, group 4 {} }, group 5 { 13 } }
    auto h = [](int n) { return reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(n)); };
    TreeOutline outline;
    const size_t company = outline.BeginItem(h(1), 0, false);
    const size_t g2 = outline.BeginItem(h(2), 0, false);
    outline.BeginItem(h(10), 10, true);
    outline.BeginItem(h(11), 11, true);
    const size_t g3 = outline.BeginItem(h(3), 0, false);
    outline.BeginItem(h(12), 12, true);
    outline.EndItem(g3);
    outline.EndItem(outline.BeginItem(h(4), 0, false));
    outline.EndItem(g2);
    const size_t g5 = outline.BeginItem(h(5), 0, false);
    outline.BeginItem(h(13), 13, true);
    outline.EndItem(g5);
    outline.EndItem(company);

    auto people = [&](int item) {
        std::vector<int> ids;
        outline.ForEachPerson(h(item), [&](int id) { ids.push_back(id); });
        return ids;
    };
    EXPECT_EQ(people(1), (std::vector<int>{10, 11, 12, 13}));
    EXPECT_EQ(people(2), (std::vector<int>{10, 11, 12}));
    EXPECT_EQ(people(3), (std::vector<int>{12}));
    EXPECT_EQ(people(4), (std::vector<int>{}));  // an empty group is nobody
    EXPECT_EQ(people(11), (std::vector<int>{11}));
    EXPECT_EQ(people(99), (std::vector<int>{}));
    outline.Clear();
    EXPECT_EQ(people(1), (std::vector<int>{}));
}
