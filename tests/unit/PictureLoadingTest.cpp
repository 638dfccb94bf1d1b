#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "framework/FileStream.h"
#include "skin/LoadPictureFile.h"
#include "skin/PictureHeader.h"
#include "support/DialogDriver.h"
#include "support/Pixels.h"
#include "support/GdiBaseline.h"
#include "support/TestData.h"

namespace {

constexpr COLORREF kLeft = RGB(220, 40, 40);
constexpr COLORREF kRight = RGB(40, 40, 220);

std::string Picture(const char* name) { return TestDataPath(std::string("pictures\\") + name); }

using PictureLoading = GdiBaselineTest;

TEST_F(PictureLoading, DecodesBmpJpegAndGifByContentIntoAnIndependentDibSection) {
    // A JPEG named .bmp is read as what it is; the decoder's own bitmap is gone by then.
    for (const char* name : {"halves.bmp", "halves.jpg", "halves.gif", "jpeg-named.bmp"}) {
        SCOPED_TRACE(name);
        UniqueBitmap bitmap = LoadPictureFile(Picture(name));
        ASSERT_TRUE(bitmap);
        DIBSECTION dib{};
        EXPECT_EQ(static_cast<int>(sizeof dib), ::GetObjectA(bitmap.Get(), sizeof dib, &dib)) << "not a DIB section";
        const BitmapShape shape = ShapeOf(bitmap.Get());
        EXPECT_EQ(32, shape.width);
        EXPECT_EQ(16, shape.height);
        EXPECT_TRUE(Near(kLeft, PixelAt(bitmap.Get(), 4, 8), 24)) << std::hex << PixelAt(bitmap.Get(), 4, 8);
        EXPECT_TRUE(Near(kRight, PixelAt(bitmap.Get(), 27, 8), 24)) << std::hex << PixelAt(bitmap.Get(), 27, 8);
        // Only the returned copy outlives the call.
        EXPECT_EQ(baseline + 1, CountGdiObjects());
        bitmap.Reset();
        EXPECT_EQ(baseline, CountGdiObjects());
        EXPECT_TRUE(CanOpenExclusively(Picture(name)));
    }
}

TEST_F(PictureLoading, EachLoadGivesItsOwnBitmap) {
    UniqueBitmap first = LoadPictureFile(Picture("halves.bmp"));
    UniqueBitmap second = LoadPictureFile(Picture("halves.bmp"));
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_NE(first.Get(), second.Get());
    first.Reset();
    EXPECT_EQ(kRight, PixelAt(second.Get(), 20, 3));
    EXPECT_EQ(kLeft, PixelAt(second.Get(), 3, 3));
}

TEST_F(PictureLoading, FilesThatAreNoPictureGiveNoBitmapAndLeaveNothingOpen) {
    EXPECT_FALSE(LoadPictureFile(Picture("no-such-file.bmp")));
    EXPECT_FALSE(LoadPictureFile(""));
    for (const char* name : {"empty.bmp", "text.bmp"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(LoadPictureFile(Picture(name)));
        EXPECT_TRUE(CanOpenExclusively(Picture(name)));
    }
    EXPECT_EQ(baseline, CountGdiObjects());
}

TEST_F(PictureLoading, TruncatedFilesLeaveNothingBehindWhateverTheDecoderMakesOfThem) {
    for (const char* name : {"truncated.bmp", "truncated.jpg"}) {
        SCOPED_TRACE(name);
        UniqueBitmap bitmap = LoadPictureFile(Picture(name));
        if (bitmap) {
            EXPECT_EQ(32, ShapeOf(bitmap.Get()).width);
            EXPECT_EQ(16, ShapeOf(bitmap.Get()).height);
        }
        bitmap.Reset();
        EXPECT_TRUE(CanOpenExclusively(Picture(name)));
        EXPECT_EQ(baseline, CountGdiObjects());
    }
}

TEST_F(PictureLoading, AFileHeldWithoutSharingIsRefusedUntilReleased) {
    const std::string path = Picture("halves.bmp");
    HANDLE holder = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_FALSE(LoadPictureFile(path));
    ::CloseHandle(holder);
    EXPECT_TRUE(LoadPictureFile(path));
}

// A BMP file of `width` × `height` pixels at `bitCount` bits, its header as written, with
// `pixelBytes` bytes of one grey after it (unless given, as many as the rows need).
std::string Bmp(int32_t width, int32_t height, uint16_t bitCount = 24, long pixelBytes = -1) {
    if (pixelBytes < 0) pixelBytes = (width * bitCount + 31) / 32 * 4 * std::abs(height);
    std::string bmp(14 + 40, '\0');
    const auto put = [&bmp](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) bmp[at + i] = static_cast<char>(value >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(2, static_cast<uint32_t>(bmp.size() + pixelBytes), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(width), 4);
    put(22, static_cast<uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, bitCount, 2);
    put(34, static_cast<uint32_t>(pixelBytes), 4);
    return bmp + std::string(static_cast<size_t>(pixelBytes), '\x80');
}

TEST_F(PictureLoading, OversizedFilesAndPicturesGiveNoBitmap) {
    ScratchFolder folder("oversized-pictures");
    EXPECT_TRUE(LoadPictureFile(folder.Write("wide.bmp", Bmp(4096, 2))));
    EXPECT_FALSE(LoadPictureFile(folder.Write("wider.bmp", Bmp(4097, 2))));
    EXPECT_FALSE(LoadPictureFile(folder.Write("taller.bmp", Bmp(2, 4097))));
    // A small picture with trailing bytes: readable up to 16 MiB, refused beyond.
    const std::string small = Bmp(8, 8);
    EXPECT_TRUE(LoadPictureFile(folder.Write("at-limit.bmp", small + std::string((16u << 20) - small.size(), '\0'))));
    EXPECT_FALSE(LoadPictureFile(folder.Write("over-limit.bmp", small + std::string((16u << 20) + 1 - small.size(), '\0'))));
    EXPECT_EQ(baseline, CountGdiObjects());
}

std::optional<PictureHeader> HeaderOf(const std::string& bytes) {
    return ReadPictureHeader(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

void ExpectClaim(const std::string& bytes, int64_t width, int64_t height) {
    const std::optional<PictureHeader> header = HeaderOf(bytes);
    ASSERT_TRUE(header);
    EXPECT_EQ(width, header->width);
    EXPECT_EQ(height, header->height);
}

std::string Le16(unsigned v) { return {static_cast<char>(v), static_cast<char>(v >> 8)}; }
std::string Be16(unsigned v) { return {static_cast<char>(v >> 8), static_cast<char>(v)}; }
std::string Be32(uint32_t v) { return Be16(v >> 16) + Be16(v & 0xFFFF); }

// A GIF's screen and first image, with a colour table and an extension block between.
std::string Gif(unsigned screenWidth, unsigned screenHeight, unsigned imageWidth, unsigned imageHeight) {
    return "GIF89a" + Le16(screenWidth) + Le16(screenHeight) + std::string("\x80\0\0", 3) + std::string(6, '\0') +
           std::string("\x21\xF9\x04\0\0\0\0\0", 8) + "\x2C" + Le16(0) + Le16(0) + Le16(imageWidth) +
           Le16(imageHeight) + std::string("\0\x02\x02\x44\x01\0\x3B", 7);
}

std::string Png(uint32_t width, uint32_t height) {
    return std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16) + Be32(width) + Be32(height) +
           std::string("\x08\x02\0\0\0", 5);
}

// The real JPEG of the tests with the size in its frame header replaced.
std::string JpegClaiming(unsigned width, unsigned height) {
    std::string jpeg = e2e::ReadFileBytes(Picture("halves.jpg"));
    const size_t frame = jpeg.find("\xFF\xC0");
    if (frame == std::string::npos || jpeg.compare(frame + 5, 4, Be16(16) + Be16(32)) != 0) {
        ADD_FAILURE() << "no baseline frame of 32 x 16 in halves.jpg";
        return jpeg;
    }
    return jpeg.replace(frame + 5, 4, Be16(height) + Be16(width));
}

TEST(PictureHeader, GivesTheSizeTheRealFilesHaveWithoutDecodingThem) {
    for (const char* name : {"halves.bmp", "halves.jpg", "halves.gif", "jpeg-named.bmp"}) {
        SCOPED_TRACE(name);
        const std::optional<PictureHeader> header = HeaderOf(e2e::ReadFileBytes(Picture(name)));
        ASSERT_TRUE(header);
        EXPECT_EQ(32, header->width);
        EXPECT_EQ(16, header->height);
        EXPECT_FALSE(header->rowsPastEnd);
    }
    // Half a BMP: its rows would be read from past the file's end.
    const std::optional<PictureHeader> half = HeaderOf(e2e::ReadFileBytes(Picture("truncated.bmp")));
    ASSERT_TRUE(half);
    EXPECT_TRUE(half->rowsPastEnd);
    // Half a JPEG ends before its frame: it claims nothing and is left to the decoder.
    EXPECT_FALSE(HeaderOf(e2e::ReadFileBytes(Picture("truncated.jpg"))));
    EXPECT_FALSE(HeaderOf(e2e::ReadFileBytes(Picture("text.bmp"))));
    EXPECT_FALSE(HeaderOf(""));
}

TEST(PictureHeader, ReadsWhatEachKindClaimsWhereverTheDecoderWouldFindIt) {
    ExpectClaim(Bmp(4097, 2), 4097, 2);
    ExpectClaim(Bmp(3, -5000, 24, 0), 3, 5000);  // top-down
    ExpectClaim(Bmp(-7, INT32_MIN, 24, 0), 7, int64_t{1} << 31);
    ExpectClaim(Png(70000, 1), 70000, 1);
    // A GIF decodes to its screen or its first image, as the platform goes: the larger counts.
    ExpectClaim(Gif(5000, 1, 1, 1), 5000, 1);
    ExpectClaim(Gif(1, 2, 3, 6000), 3, 6000);
    ExpectClaim(JpegClaiming(8000, 9), 8000, 9);
    // Stray and fill bytes before markers, a segment before the frame, and a frame whose
    // height comes only later.
    ExpectClaim(std::string("\xFF\xD8junk\xFF\xFF\xFF\xE1") + Be16(4) + "ab\xFF\xC2" + Be16(11) + "\x08" + Be16(0) +
                    Be16(5000) + std::string("\x01\x01\x11\0", 4),
                5000, 0);
    // The loader's own 8-byte header before the picture, the picture's length in it.
    const std::string inner = Bmp(20000, 20000, 32, 64);
    ExpectClaim(std::string("lt\0\0", 4) + Le16(static_cast<unsigned>(inner.size())) + Le16(0) + inner, 20000, 20000);

    // A scan before any frame, and every header cut before the end of its size.
    EXPECT_FALSE(HeaderOf(std::string("\xFF\xD8\xFF\xDA") + Be16(8) + std::string(6, '\0') + "\xFF\xC0" + Be16(11) +
                          "\x08" + Be16(9000) + Be16(9000)));
    const std::pair<std::string, size_t> sizeEnds[] = {{Bmp(2, 2, 24, 0), 26}, {Png(2, 2), 24}, {Gif(2, 2, 2, 2), 11}};
    for (const auto& [whole, sizeEnd] : sizeEnds) {
        for (size_t length = 0; length < sizeEnd; ++length)
            EXPECT_FALSE(HeaderOf(whole.substr(0, length))) << whole.substr(0, 3) << " cut to " << length;
        EXPECT_TRUE(HeaderOf(whole.substr(0, sizeEnd))) << whole.substr(0, 3);
    }
}

TEST(PictureHeader, AnUncompressedBmpNeedsAllItsRowsInTheFile) {
    // Rows of 15 bytes padded to 16; the last row's padding may be missing, no more.
    EXPECT_FALSE(HeaderOf(Bmp(5, 3, 24))->rowsPastEnd);
    EXPECT_FALSE(HeaderOf(Bmp(5, 3, 24, 47))->rowsPastEnd);
    EXPECT_TRUE(HeaderOf(Bmp(5, 3, 24, 46))->rowsPastEnd);
    EXPECT_TRUE(HeaderOf(Bmp(5, 1, 24, 14))->rowsPastEnd);
    EXPECT_FALSE(HeaderOf(Bmp(9, -2, 1, 6))->rowsPastEnd);  // 9 pixels of 1 bit: 2 bytes padded to 4
    EXPECT_TRUE(HeaderOf(Bmp(9, -2, 1, 5))->rowsPastEnd);
    EXPECT_TRUE(HeaderOf(Bmp(4096, 4096, 32, 64))->rowsPastEnd);
    EXPECT_TRUE(HeaderOf(Bmp(INT32_MAX, INT32_MAX, 32, 64))->rowsPastEnd);  // no overflow to a small size
    EXPECT_TRUE(HeaderOf(Bmp(5, 3, 24).substr(0, 29))->rowsPastEnd);  // cut inside its bit count
}

TEST_F(PictureLoading, SmallFilesClaimingHugePicturesAreRefusedBeforeTheyAreDecoded) {
    ScratchFolder folder("claiming-pictures");
    // Decoded, the first two would be read far past their 118 bytes (the process would
    // crash), and the JPEG would be decoded to 8000 × 8000 grey (seconds) before its
    // size refused it.
    for (const auto& [name, bytes] : {std::pair<const char*, std::string>{"over.bmp", Bmp(4097, 4097, 32, 64)},
                                      {"short.bmp", Bmp(4096, 4096, 32, 64)},
                                      {"over.jpg", JpegClaiming(8000, 8000)},
                                      {"over.gif", Gif(5000, 16, 32, 16)},
                                      {"over.png", Png(4097, 1)}}) {
        SCOPED_TRACE(name);
        const std::string path = folder.Write(name, bytes);
        const DWORD start = ::GetTickCount();
        EXPECT_FALSE(LoadPictureFile(path));
        EXPECT_LT(::GetTickCount() - start, 500u);
    }
    EXPECT_EQ(baseline, CountGdiObjects());
}

TEST(ReadExactly, AShortReadFails) {
    ScratchFolder folder("short-read");
    const std::string path = folder.Path() + "\\hundred.bin";
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    char buffer[100] = {};
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file, buffer, sizeof buffer, &written, nullptr));

    ::SetFilePointer(file, 60, nullptr, FILE_BEGIN);
    EXPECT_FALSE(ReadExactly(file, buffer, sizeof buffer));
    ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    EXPECT_TRUE(ReadExactly(file, buffer, sizeof buffer));
    ::CloseHandle(file);
}

}  // namespace
