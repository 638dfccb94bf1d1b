#pragma once
// What a text cut to a bound must be: a prefix of the text (up to its first NUL) within
// the bound, the whole of it when it fits, else cut at the end of a character as close
// to the bound as that allows.
#include <cstddef>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "framework/CodePageConversion.h"

inline void CheckBounded(std::string_view value, std::string_view bounded, std::size_t bound) {
    const std::size_t length = value.find('\0') == std::string_view::npos ? value.size() : value.find('\0');
    FUZZ_CHECK(bounded.size() <= bound && value.compare(0, bounded.size(), bounded) == 0);
    if (length <= bound) {
        FUZZ_CHECK(bounded.size() == length);
        return;
    }
    std::size_t end = 0;
    while (end < bounded.size())
        end += codepage::IsLeadByte(codepage::kAnsi, static_cast<unsigned char>(value[end])) ? 2 : 1;
    FUZZ_CHECK(end == bounded.size() && bound - end <= 1);
}
