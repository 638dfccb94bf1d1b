#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/Digest.h"

namespace {
std::string Hex(const Sha256Digest& digest) {
    std::string hex;
    char pair[3];
    for (const unsigned char byte : digest) {
        std::snprintf(pair, sizeof pair, "%02x", byte);
        hex += pair;
    }
    return hex;
}
}  // namespace

TEST(Sha256, GivesTheStandardDigestsAndTellsOneByteApart) {
    const auto empty = Sha256("");
    const auto abc = Sha256("abc");
    const auto abd = Sha256("abd");
    ASSERT_TRUE(empty && abc && abd);
    EXPECT_EQ(Hex(*empty), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Hex(*abc), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_NE(*abc, *abd);
}
