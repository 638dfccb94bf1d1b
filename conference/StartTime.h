#pragma once
// The stored start of a scheduled conference, "%s年%s月%s日 %s:%s": written from the
// request's digits, and read back into a point in time.
#include <ctime>
#include <string>

// Reads year, month, day, hour and minute from a stored start text. False for free
// text and for any field out of range (month 13, 31 February, hour 24, minute 60):
// the caller then starts from the current time.
[[nodiscard]] bool ParseStartText(const std::string& startText, std::tm& start);

// The local time that `start` (second 0, daylight saving decided by the platform) names.
[[nodiscard]] std::time_t StartMoment(const std::tm& start);

// "%s年%s月%s日 %s:%s" of the year, month, day, hour and minute digits of a 14-digit start.
[[nodiscard]] std::string StartTextFromDigits(const std::string& startDigits);
