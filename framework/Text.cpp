#include "framework/Text.h"

#include <array>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "framework/CodePageConversion.h"

namespace text {

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string result;
    if (length > 0) {
        result.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(&result[0], result.size(), format, args);
        result.resize(static_cast<size_t>(length));
    }
    va_end(args);
    return result;
}

bool Equal(const std::string& a, const std::string& b) { return a == b; }

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    // As C texts, to their first null, as _mbsicmp reads them.
    const size_t length = ::strlen(a.c_str());
    if (length != ::strlen(b.c_str())) return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < length; ++i) {
        if (IsLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < length) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

int ParseInt(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    long long value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = value * 10 + (s[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

std::string ReplaceAll(const std::string& s, const std::string& from, const std::string& to) {
    if (from.empty()) return s;
    std::string result;
    size_t start = 0;
    for (size_t found; (found = s.find(from, start)) != std::string::npos; start = found + from.size()) {
        result.append(s, start, found - start);
        result += to;
    }
    result.append(s, start, std::string::npos);
    return result;
}

std::string RemoveByte(const std::string& s, char c) {
    std::string result;
    for (char b : s)
        if (b != c) result += b;
    return result;
}

bool IsLeadByte(unsigned char byte) {
    // The code page is the process's for its whole life: its lead-byte ranges are read once.
    static const std::array<bool, 256> lead = [] {
        std::array<bool, 256> table{};
        for (unsigned b = 0; b < table.size(); ++b)
            table[b] = codepage::IsLeadByte(codepage::kAnsi, static_cast<unsigned char>(b));
        return table;
    }();
    return lead[byte];
}

std::string BoundedText(const char* s, size_t maxBytes) {
    if (s == nullptr) return {};
    const size_t length = ::strnlen(s, maxBytes + 1);
    if (length <= maxBytes) return std::string(s, length);
    size_t end = 0;
    while (end < maxBytes) {
        const size_t step = IsLeadByte(static_cast<unsigned char>(s[end])) ? 2 : 1;
        if (end + step > maxBytes) break;
        end += step;
    }
    return std::string(s, end);
}

}  // namespace text
