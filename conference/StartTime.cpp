#include "conference/StartTime.h"

#include <mbstring.h>

#include "framework/Text.h"

namespace {

// The number before the first `separator` (0 when there is none), and the text with
// everything through that separator removed.
int TakeNumberBefore(std::string& rest, const char* separator) {
    const auto* begin = reinterpret_cast<const unsigned char*>(rest.c_str());
    const unsigned char* found = _mbsstr(begin, reinterpret_cast<const unsigned char*>(separator));
    if (found == nullptr) return text::ParseInt(std::string());
    const size_t at = static_cast<size_t>(found - begin);
    const int value = text::ParseInt(rest.substr(0, at));
    rest.erase(0, at + std::char_traits<char>::length(separator));
    return value;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

}  // namespace

bool ParseStartText(const std::string& startText, std::tm& start) {
    std::string rest = text::RemoveByte(startText, ' ');
    const int year = TakeNumberBefore(rest, "年");
    const int month = TakeNumberBefore(rest, "月");
    const int day = TakeNumberBefore(rest, "日");
    const int hour = TakeNumberBefore(rest, ":");
    const int minute = text::ParseInt(rest);
    if (year <= 0 || month <= 0) return false;
    if (month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return false;
    start = std::tm{};
    start.tm_year = year - 1900;
    start.tm_mon = month - 1;
    start.tm_mday = day;
    start.tm_hour = hour;
    start.tm_min = minute;
    start.tm_sec = 0;
    start.tm_isdst = -1;
    return true;
}

std::time_t StartMoment(const std::tm& start) {
    std::tm copy = start;
    return std::mktime(&copy);
}

std::string StartTextFromDigits(const std::string& d) {
    const auto piece = [&d](size_t from, size_t count) { return from < d.size() ? d.substr(from, count) : std::string(); };
    return text::Format("%s年%s月%s日 %s:%s", piece(0, 4).c_str(), piece(4, 2).c_str(), piece(6, 2).c_str(),
                        piece(8, 2).c_str(), piece(10, 2).c_str());
}
