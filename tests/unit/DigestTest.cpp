#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "directory/FileDigest.h"

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

// Reference digests from another implementation; the lengths around one block of 64
// bytes are where the final block is easiest to get wrong.
TEST(Blake2s256, GivesTheStandardDigestsAndTellsOneByteApart) {
    EXPECT_EQ(Hex(Blake2s256("")), "69217a3079908094e11121d042354a7c1f55b6482ca1a51e1b250dfd1ed0eef9");
    EXPECT_EQ(Hex(Blake2s256("abc")), "508c5e8c327c14e2e1a72ba34eeb452f37458b209ed63a294d999b4c86675982");
    EXPECT_EQ(Hex(Blake2s256(std::string(64, 'a'))),
              "651d2f5f20952eacaea2fba2f2af2bcd633e511ea2d2e4c9ae2ac0d9ffb7b252");
    EXPECT_EQ(Hex(Blake2s256(std::string(65, 'a'))),
              "045f8ae18932119bd051ac7ba5c73db59892055fad5c32f82d79a6543d92a497");
    EXPECT_EQ(Hex(Blake2s256(std::string(1000, 'x'))),
              "267200e86d237971cc5dac276d6e19b4f20aba6a1cf52c90cd6321d5410c4161");
    EXPECT_NE(Blake2s256("abc"), Blake2s256("abd"));
}
