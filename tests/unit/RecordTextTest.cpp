#include <gtest/gtest.h>

#include <mbstring.h>

#include <string>

#include "entry/HostRecord.h"
#include "framework/Text.h"

TEST(BoundedText, CutsAtACharacterBoundaryAndReadsNoFurther) {
    EXPECT_EQ(text::BoundedText(nullptr, 4), "");
    EXPECT_EQ(text::BoundedText("abcd", 4), "abcd");
    EXPECT_EQ(text::BoundedText("abcde", 4), "abcd");
    // 周 is two bytes: it is kept whole or left out, never split.
    EXPECT_EQ(text::BoundedText("ab\xD6\xDC", 4), "ab\xD6\xDC");
    EXPECT_EQ(text::BoundedText("abc\xD6\xDC", 4), "abc");
    EXPECT_EQ(text::BoundedText("\xD6\xDC\xD6\xDC\xD6\xDC", 5), "\xD6\xDC\xD6\xDC");
    // Only maxBytes + 1 bytes may be read: this buffer has no terminator after them.
    const char unterminated[5] = {'a', 'b', 'c', 'd', 'e'};
    EXPECT_EQ(text::BoundedText(unterminated, 4), "abcd");
}

// Our own comparison gives what the C runtime's does in the process code page.
TEST(EqualIgnoringCase, AgreesWithTheRuntimesMultibyteComparison) {
    const struct {
        const char* a;
        const char* b;
    } cases[] = {
        {"Zhang San", "zHANG sAN"}, {"张三a", "张三A"}, {"张三", "张四"}, {"abc", "abcd"}, {"", ""},
        // A trail byte that looks like a letter is part of its character and kept as it is.
        {"\x81" "A", "\x81" "a"}, {"[", "{"},
    };
    for (const auto& c : cases) {
        const bool runtime = _mbsicmp(reinterpret_cast<const unsigned char*>(c.a),
                                      reinterpret_cast<const unsigned char*>(c.b)) == 0;
        EXPECT_EQ(runtime, text::EqualIgnoringCase(c.a, c.b)) << c.a << " / " << c.b;
    }
    EXPECT_TRUE(text::EqualIgnoringCase(std::string("ab\0x", 4), std::string("AB\0y", 4)));
    // A lead byte that ends the text is a byte of its own (the runtime reads on past the end).
    EXPECT_TRUE(text::EqualIgnoringCase("x\x81", "X\x81"));
}

TEST(ConferenceSettings, TakesAHostRecordWithAbsurdTextsAndCounts) {
    const std::string huge(1 << 20, 'x');
    std::string oddChinese = "a";
    for (int i = 0; i < 3000; ++i) oddChinese += "\xD6\xDC";
    const char* ids[] = {"1002", nullptr};
    ConferenceRecord record{};
    record.name = huge.c_str();
    record.description = oddChinese.c_str();
    record.memberIds = ids;
    record.memberIdCount = 2;
    ConferenceSettings copy = SettingsFromHost(record);
    EXPECT_EQ(copy.name, huge.substr(0, 4096));
    EXPECT_EQ(copy.description.size(), 4095u);  // "a" and 2,047 whole characters
    EXPECT_EQ(copy.confId, "");
    EXPECT_EQ(copy.memberIds, (std::vector<std::string>{"1002", ""}));

    record.memberIdCount = -5;
    EXPECT_TRUE(SettingsFromHost(record).memberIds.empty());
    record.memberIds = nullptr;
    record.memberIdCount = 1000;
    EXPECT_TRUE(SettingsFromHost(record).memberIds.empty());
}

TEST(ConferenceSettings, TakingARecordOverKeepsNothingOfTheLastCallButItsSpareFields) {
    ConferenceSettings last;
    last.name = "old";
    last.description = "about";
    last.confId = "c0";
    last.chairman = "1001";
    last.memberIds = {"1001"};
    last.spare1 = "s1";
    last.spare2 = "s2";
    last.noticeMinutes = 20;
    ConferenceSettings given;
    given.name = "new";
    given.confId = "c1";
    given.memberIds = {"1002", ""};
    given.spare1 = "g1";
    given.noticeMinutes = 10;

    ConferenceSettings own = last;
    EXPECT_TRUE(TakeOverRecord(own, &given));
    EXPECT_EQ(own.name, "new");
    EXPECT_EQ(own.description, "");
    EXPECT_EQ(own.chairman, "");
    EXPECT_EQ(own.memberIds, given.memberIds);
    EXPECT_EQ(own.noticeMinutes, 10);
    EXPECT_EQ(own.spare1 + own.spare2, "");  // never taken over

    own = last;
    EXPECT_FALSE(TakeOverRecord(own, nullptr));
    EXPECT_EQ(own.name + own.description + own.confId + own.chairman, "");
    EXPECT_TRUE(own.memberIds.empty());
    EXPECT_EQ(own.noticeMinutes, 0);
    EXPECT_EQ(own.spare1 + own.spare2, "s1s2");
}
