#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/Digest.h"

namespace {
std::string Hex(const FileDigest& digest) {
    std::string hex;
    char pair[3];
    for (const unsigned char byte : digest) {
        std::snprintf(pair, sizeof pair, "%02x", byte);
        hex += pair;
    }
    return hex;
}
}  // namespace

// Reference digests from another implementation; the lengths around one block of 128
// bytes are where the final block is easiest to get wrong.
TEST(Blake2b256, GivesTheStandardDigestsAndTellsOneByteApart) {
    EXPECT_EQ(Hex(Blake2b256("")), "0e5751c026e543b2e8ab2eb06099daa1d1e5df47778f7787faab45cdf12fe3a8");
    EXPECT_EQ(Hex(Blake2b256("abc")), "bddd813c634239723171ef3fee98579b94964e3bb1cb3e427262c8c068d52319");
    EXPECT_EQ(Hex(Blake2b256(std::string(128, 'a'))),
              "ae2aa48507885c4c950fb809b2076f959cde9f8ea6da260d9a3587df33dac450");
    EXPECT_EQ(Hex(Blake2b256(std::string(129, 'a'))),
              "2f64744a6de0d2c0b56e64cf6e29a5aaa255010d415d51c75ccc82f73dccd865");
    EXPECT_EQ(Hex(Blake2b256(std::string(1000, 'x'))),
              "ab75119ede14ef06ebf31f745fb655ed006cccfe8054c635308a557f7c9beaba");
    EXPECT_NE(Blake2b256("abc"), Blake2b256("abd"));
}
