#include <gtest/gtest.h>

#include "conference/StartTime.h"

namespace {

struct Fields {
    int year, month, day, hour, minute;
};

Fields Read(const std::tm& t) { return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min}; }

bool operator==(const Fields& a, const Fields& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute;
}

std::ostream& operator<<(std::ostream& out, const Fields& f) {
    return out << f.year << "-" << f.month << "-" << f.day << " " << f.hour << ":" << f.minute;
}

TEST(ParseStartText, ReadsTheWrittenForm) {
    std::tm t{};
    ASSERT_TRUE(ParseStartText("2008年05月20日 14:30", t));
    EXPECT_EQ(Read(t), (Fields{2008, 5, 20, 14, 30}));
    EXPECT_EQ(t.tm_sec, 0);
    EXPECT_EQ(t.tm_isdst, -1);
}

TEST(ParseStartText, IgnoresBlanksAndLeadingZeros) {
    std::tm t{};
    ASSERT_TRUE(ParseStartText(" 2008 年 5月 020日14 : 5 ", t));
    EXPECT_EQ(Read(t), (Fields{2008, 5, 20, 14, 5}));
}

TEST(ParseStartText, MissingTimeReadsAsMidnight) {
    std::tm t{};
    ASSERT_TRUE(ParseStartText("2008年05月20日", t));
    EXPECT_EQ(Read(t), (Fields{2008, 5, 20, 0, 0}));
}

TEST(ParseStartText, RejectsFreeTextAndMissingYearOrMonth) {
    std::tm t{};
    for (const char* text : {"", "明天上午", "abc", "0年05月20日 14:30", "2008年0月20日 14:30",
                             "-5年05月20日 14:30", "2008年05月 14:30", "05月20日 14:30"})
        EXPECT_FALSE(ParseStartText(text, t)) << text;
}

TEST(ParseStartText, RejectsOutOfRangeFields) {
    std::tm t{};
    for (const char* text : {"2008年13月20日 14:30", "2008年05月0日 14:30", "2008年02月31日 14:30",
                             "2007年02月29日 14:30", "1900年02月29日 14:30", "2008年04月31日 14:30",
                             "2008年05月20日 25:30", "2008年05月20日 24:00", "2008年05月20日 14:60",
                             "2008年05月20日 99999999999:00"})
        EXPECT_FALSE(ParseStartText(text, t)) << text;
    EXPECT_TRUE(ParseStartText("2008年02月29日 23:59", t));
    EXPECT_TRUE(ParseStartText("2000年02月29日 0:0", t));
    EXPECT_TRUE(ParseStartText("2008年12月31日 0:0", t));
}

TEST(StartMoment, IsTheLocalTimeItNames) {
    std::tm t{};
    ASSERT_TRUE(ParseStartText("2008年05月20日 14:30", t));
    const std::time_t moment = StartMoment(t);
    std::tm back{};
    ASSERT_EQ(localtime_s(&back, &moment), 0);
    EXPECT_EQ(Read(back), (Fields{2008, 5, 20, 14, 30}));
    EXPECT_EQ(back.tm_sec, 0);
}

TEST(StartMoment, AYearTheCalendarCannotHoldHasNoMoment) {
    std::tm t{};
    ASSERT_TRUE(ParseStartText("1960年05月20日 14:30", t));
    EXPECT_EQ(StartMoment(t), static_cast<std::time_t>(-1));
    ASSERT_TRUE(ParseStartText("3001年05月20日 14:30", t));
    EXPECT_EQ(StartMoment(t), static_cast<std::time_t>(-1));
}

}  // namespace
