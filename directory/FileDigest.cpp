#include "directory/FileDigest.h"

#include <cstdint>
#include <cstring>

namespace {
constexpr std::uint32_t kIv[8] = {0x6A09E667u, 0xBB67AE85u, 0x3C6EF372u, 0xA54FF53Au,
                                  0x510E527Fu, 0x9B05688Cu, 0x1F83D9ABu, 0x5BE0CD19u};
// The message word order of each of the ten rounds.
constexpr std::uint8_t kSigma[10][16] = {
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, {14, 10, 4, 8, 9, 15, 13, 6, 1, 12, 0, 2, 11, 7, 5, 3},
    {11, 8, 12, 0, 5, 2, 15, 13, 10, 14, 3, 6, 7, 1, 9, 4}, {7, 9, 3, 1, 13, 12, 11, 14, 2, 6, 5, 10, 4, 0, 15, 8},
    {9, 0, 5, 7, 2, 4, 10, 15, 14, 1, 11, 12, 6, 8, 3, 13}, {2, 12, 6, 10, 0, 11, 8, 3, 4, 13, 7, 5, 15, 14, 1, 9},
    {12, 5, 1, 15, 14, 13, 4, 10, 0, 7, 6, 3, 9, 2, 8, 11}, {13, 11, 7, 14, 12, 1, 3, 9, 5, 0, 15, 4, 8, 6, 2, 10},
    {6, 15, 14, 9, 11, 3, 0, 8, 12, 2, 13, 7, 1, 4, 10, 5}, {10, 2, 8, 4, 7, 6, 1, 5, 15, 11, 9, 14, 3, 12, 13, 0}};

inline std::uint32_t Rotate(std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

inline std::uint32_t Load32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline void Mix(std::uint32_t* v, int a, int b, int c, int d, std::uint32_t x, std::uint32_t y) {
    v[a] = v[a] + v[b] + x;
    v[d] = Rotate(v[d] ^ v[a], 16);
    v[c] = v[c] + v[d];
    v[b] = Rotate(v[b] ^ v[c], 12);
    v[a] = v[a] + v[b] + y;
    v[d] = Rotate(v[d] ^ v[a], 8);
    v[c] = v[c] + v[d];
    v[b] = Rotate(v[b] ^ v[c], 7);
}

void Compress(std::uint32_t* h, const unsigned char* block, std::uint64_t counter, bool last) {
    std::uint32_t m[16];
    for (int i = 0; i < 16; ++i) m[i] = Load32(block + 4 * i);
    std::uint32_t v[16];
    for (int i = 0; i < 8; ++i) {
        v[i] = h[i];
        v[i + 8] = kIv[i];
    }
    v[12] ^= static_cast<std::uint32_t>(counter);
    v[13] ^= static_cast<std::uint32_t>(counter >> 32);
    if (last) v[14] = ~v[14];
    for (const auto& s : kSigma) {
        Mix(v, 0, 4, 8, 12, m[s[0]], m[s[1]]);
        Mix(v, 1, 5, 9, 13, m[s[2]], m[s[3]]);
        Mix(v, 2, 6, 10, 14, m[s[4]], m[s[5]]);
        Mix(v, 3, 7, 11, 15, m[s[6]], m[s[7]]);
        Mix(v, 0, 5, 10, 15, m[s[8]], m[s[9]]);
        Mix(v, 1, 6, 11, 12, m[s[10]], m[s[11]]);
        Mix(v, 2, 7, 8, 13, m[s[12]], m[s[13]]);
        Mix(v, 3, 4, 9, 14, m[s[14]], m[s[15]]);
    }
    for (int i = 0; i < 8; ++i) h[i] ^= v[i] ^ v[i + 8];
}
}  // namespace

FileDigest Blake2s256(std::string_view bytes) {
    constexpr std::size_t kBlock = 64;
    std::uint32_t h[8];
    std::memcpy(h, kIv, sizeof h);
    h[0] ^= 0x01010000u ^ 32u;  // parameter block: no key, a 32-byte digest
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t left = bytes.size();
    std::uint64_t counter = 0;
    // The last block, even a full one, is compressed with the final flag.
    while (left > kBlock) {
        counter += kBlock;
        Compress(h, data, counter, false);
        data += kBlock;
        left -= kBlock;
    }
    unsigned char last[kBlock] = {};
    if (left > 0) std::memcpy(last, data, left);
    Compress(h, last, counter + left, true);
    FileDigest digest{};
    for (std::size_t i = 0; i < digest.size(); ++i) digest[i] = static_cast<unsigned char>(h[i / 4] >> (8 * (i % 4)));
    return digest;
}
