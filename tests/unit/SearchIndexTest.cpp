#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "picker/PinyinTable.h"
#include "picker/SearchIndex.h"
#include "support/Records.h"

namespace {

ContactEntry Person(const std::string& id, const std::string& displayName, const std::string& mobile = "",
                    const std::string& phs = "") {
    return ContactEntry({}, id, displayName, {}, mobile, phs);
}

// A search over one department of the company directory and an optional friends list.
class Search {
public:
    explicit Search(std::vector<ContactEntry> company, std::vector<ContactEntry> friends = {}) {
        companies_.push_back(Company{"公司", {Group("部门", std::move(company))}});
        friends_.push_back(Group("好友", std::move(friends)));
        index_.Build(companies_, friends_);
    }
    // The display names found, in the list's order.
    std::vector<std::string> Names(const std::string& query, size_t limit = 12) const {
        std::vector<std::string> names;
        for (const SearchHit& hit : index_.Find(query, limit).hits) names.emplace_back(hit.entry->displayName());
        return names;
    }
    bool Finds(const std::string& query, const std::string& displayName) const {
        for (const std::string& name : Names(query, 1000))
            if (name == displayName) return true;
        return false;
    }
    SearchIndex& Index() const { return index_; }

private:
    std::vector<Company> companies_;
    std::vector<ContactGroup> friends_;
    mutable SearchIndex index_;  // remembers the last query
};

std::vector<std::string> Syllables(const char* character) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(character);
    const pinyin::Readings readings = pinyin::ReadingsOf(bytes[0], bytes[1]);
    std::vector<std::string> texts;
    for (size_t i = 0; i < readings.count; ++i) texts.push_back(pinyin::SyllableText(readings.syllables[i]));
    return texts;
}

}  // namespace

TEST(PinyinTable, GivesTheReadingsOfCharactersWithOneOrSeveral) {
    EXPECT_EQ(Syllables("张"), (std::vector<std::string>{"zhang"}));
    const std::vector<std::string> zeng = Syllables("曾");
    EXPECT_EQ(std::set<std::string>(zeng.begin(), zeng.end()), (std::set<std::string>{"zeng", "ceng"}));
    const std::vector<std::string> lv = Syllables("吕");
    EXPECT_NE(std::find(lv.begin(), lv.end(), "lv"), lv.end());
    EXPECT_NE(std::find(lv.begin(), lv.end(), "lu"), lv.end()) << "u for u with umlaut as well";
    EXPECT_TRUE(Syllables("，").empty()) << "punctuation has no reading";
    EXPECT_EQ(pinyin::ReadingsOf('a', 'b').count, 0u);
}

// Every double-byte code that the platform's code page 936 turns into a Chinese
// character has a reading, except the few that have no Mandarin reading at all.
TEST(PinyinTable, CoversEveryChineseCharacterOfTheCodePage) {
    const std::set<wchar_t> noReading = {0x685B, 0x70EA, 0xFA0E, 0xFA0F, 0xFA13, 0xFA14, 0xFA1F,
                                         0xFA21, 0xFA23, 0xFA24, 0xFA27, 0xFA28, 0xFA29};
    int chinese = 0;
    std::vector<std::string> missing;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            wchar_t wide[2] = {};
            if (::MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes, 2, wide, 2) != 1) continue;
            const wchar_t c = wide[0];
            if (!((c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF)))
                continue;
            ++chinese;
            if (pinyin::ReadingsOf(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)).count == 0 &&
                noReading.count(c) == 0)
                missing.push_back(std::string(bytes, 2));
        }
    }
    EXPECT_GT(chinese, 20000);
    EXPECT_TRUE(missing.empty()) << missing.size() << " without a reading, the first: " << missing.front();
}

TEST(SearchIndex, PinyinSyllablesWholeOrCutShortFromAnyCharacter) {
    const Search search({Person("1", "张三"), Person("2", "李四")});
    for (const char* query : {"zs", "zhangsan", "zhangs", "zsan", "san", "ZhangSan", "zh", "zhangsa", "zhang san"})
        EXPECT_EQ(search.Names(query), (std::vector<std::string>{"张三"})) << query;
    EXPECT_EQ(search.Names("s"), (std::vector<std::string>{"张三", "李四"}));
    for (const char* query : {"hangsan", "zhangsanx", "sz", "zx", "zhanx", "ls3"})
        EXPECT_TRUE(search.Names(query).empty()) << query;
}

TEST(SearchIndex, CharacterWithSeveralReadingsMatchesByAnyOfThem) {
    const Search search({Person("1", "曾小明"), Person("2", "单田芳"), Person("3", "吕布")});
    for (const char* query : {"zeng", "ceng", "zxm", "cxm"}) EXPECT_TRUE(search.Finds(query, "曾小明")) << query;
    for (const char* query : {"shan", "dan", "stf", "dtf"}) EXPECT_TRUE(search.Finds(query, "单田芳")) << query;
    for (const char* query : {"lv", "lu", "lvb"}) EXPECT_TRUE(search.Finds(query, "吕布")) << query;
    // "xi" + "an": a syllable may end where the next character's begins.
    const Search xian({Person("1", "西安")});
    EXPECT_TRUE(xian.Finds("xian", "西安"));
    EXPECT_TRUE(xian.Finds("xia", "西安"));
}

TEST(SearchIndex, DisplayNameLettersAnywhereLatinWithoutCase) {
    const Search search({Person("1", "Bob Li"), Person("2", "张三丰"), Person("3", "丄")});
    EXPECT_EQ(search.Names("bob"), (std::vector<std::string>{"Bob Li"}));
    EXPECT_EQ(search.Names("LI"), (std::vector<std::string>{"Bob Li"}));
    EXPECT_EQ(search.Names("三丰"), (std::vector<std::string>{"张三丰"}));
    // 丄 is 0x81 0x41: its second byte is an 'A' that no typed letter may match.
    EXPECT_TRUE(search.Names("A").empty());
    EXPECT_TRUE(search.Names("   ").empty());
    EXPECT_TRUE(search.Names("").empty());
}

TEST(SearchIndex, DigitsRunsOfThreeInNumbersOrTheStartOfTheIdentifier) {
    const Search search({Person("1001", "张三", "13900002222", "0201234"), Person("2002", "李四", "13812345678")});
    EXPECT_EQ(search.Names("139"), (std::vector<std::string>{"张三"}));
    EXPECT_EQ(search.Names("222"), (std::vector<std::string>{"张三"}));
    EXPECT_EQ(search.Names("1234"), (std::vector<std::string>{"张三", "李四"})) << "phs, mobile";
    EXPECT_EQ(search.Names("10"), (std::vector<std::string>{"张三"})) << "identifier prefix";
    EXPECT_TRUE(search.Names("13").empty()) << "two digits of a number are not enough";
    EXPECT_TRUE(search.Names("001").empty()) << "the identifier only from its start";
    EXPECT_TRUE(search.Names("139a").empty());
}

TEST(SearchIndex, WholeNameThenFromTheFirstCharacterThenTheRestInDirectoryOrder) {
    const Search search({Person("1", "王小张"), Person("2", "张伟"), Person("3", "张"), Person("4", "大张"),
                         Person("5", "张强")},
                        {Person("6", "张"), Person("7", "老张")});
    const std::vector<std::string> expected{"张", "张", "张伟", "张强", "王小张", "大张", "老张"};
    EXPECT_EQ(search.Names("张"), expected);
    EXPECT_EQ(search.Names("zhang"), expected);
    // Initials of the whole name rank above a longer name that begins the same way.
    const Search initials({Person("1", "张三丰"), Person("2", "小张三"), Person("3", "张三")});
    EXPECT_EQ(initials.Names("zs"), (std::vector<std::string>{"张三", "张三丰", "小张三"}));
}

TEST(SearchIndex, AtMostTheLimitAndTheCountOfAll) {
    std::vector<ContactEntry> people;
    for (int i = 0; i < 30; ++i) people.push_back(Person(std::to_string(100 + i), "王" + std::to_string(i)));
    const Search search(people);
    const SearchResult result = search.Index().Find("w", 12);
    ASSERT_EQ(result.hits.size(), 12u);
    EXPECT_EQ(result.total, 30u);
    EXPECT_EQ(result.hits.front().entry->displayName(), "王0");
    EXPECT_EQ(result.hits.back().entry->displayName(), "王11");
    EXPECT_EQ(search.Index().Find("王29", 12).total, 1u);
}

TEST(SearchIndex, OnePersonPerIdentifierAndDirectoryTheFirstInDepthFirstOrder) {
    std::vector<Company> companies{Company{
        "公司",
        {Group("一部", {Person("1001", "张三", "139")}, {Group("一部子", {Person("01001", "张三", "137")})}),
         Group("二部", {Person("1001", "张三", "138")})}}};
    std::vector<ContactGroup> friends{Group("好友", {Person("1001", "张三", "136")})};
    SearchIndex index;
    index.Build(companies, friends);
    EXPECT_EQ(index.PersonCount(), 2u);
    const SearchResult result = index.Find("zs", 12);
    ASSERT_EQ(result.hits.size(), 2u);
    EXPECT_EQ(result.hits[0].entry, &companies[0].groups[0].entries[0]);
    EXPECT_FALSE(result.hits[0].friends);
    EXPECT_EQ(result.hits[1].entry, &friends[0].entries[0]);
    EXPECT_TRUE(result.hits[1].friends);
}

TEST(SearchIndex, PeopleWhoseNamesAreNoNumberAreEachTheirOwn) {
    const Search search({Person("ops01", "王一"), Person("", "王二"), Person("ops01", "王三"), Person("0", "王四"),
                         Person("00", "王五"), Person(" -0", "王六"), Person("x7", "王七")});
    EXPECT_EQ(search.Names("王"), (std::vector<std::string>{"王一", "王二", "王三", "王四", "王七"}));
}

// Typing on searches only whom the shorter query found: the answers must be those of
// each query searched afresh, including digits that become long enough for numbers and
// letters typed after separators alone.
TEST(SearchIndex, TypingKeyByKeyFindsWhatEachQueryFindsAlone) {
    const std::vector<ContactEntry> people{Person("1390", "赵三"), Person("2002", "张三", "13912345678"),
                                           Person("3003", "张珊珊", "", "0139"), Person("4004", "Zhang Li")};
    const Search typed(people);
    for (const char* query :
         {"1", "13", "139", "1391", "13", "z", "zh", "zha", "zhangs", "zs", "zhang l", "张", "张三", "张", "'", "'z",
          "'zh"}) {
        const Search fresh(people);
        EXPECT_EQ(typed.Names(query), fresh.Names(query)) << query;
        EXPECT_EQ(typed.Index().Find(query, 12).total, fresh.Index().Find(query, 12).total) << query;
    }
}
