#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "framework/FileStream.h"
#include "skin/LoadPictureFile.h"
#include "support/Pixels.h"
#include "support/ResourceCount.h"
#include "support/TestData.h"

namespace {

constexpr COLORREF kLeft = RGB(220, 40, 40);
constexpr COLORREF kRight = RGB(40, 40, 220);

std::string Picture(const char* name) { return TestDataPath(std::string("pictures\\") + name); }

class PictureLoading : public testing::Test {
protected:
    void SetUp() override {
        // The first screen context allocates objects of its own; take the baseline after it.
        ::ReleaseDC(nullptr, ::GetDC(nullptr));
        baseline = CountGdiObjects();
    }
    int baseline = 0;
};

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

// A 24-bit bottom-up BMP of `width` × `height` pixels, all one grey.
std::string GreyBmp(int width, int height) {
    const int row = (width * 3 + 3) / 4 * 4;
    const int bits = row * height;
    std::string bmp(14 + 40, '\0');
    const auto put = [&bmp](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) bmp[at + i] = static_cast<char>(value >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(2, static_cast<uint32_t>(bmp.size() + bits), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(width), 4);
    put(22, static_cast<uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, static_cast<uint32_t>(bits), 4);
    return bmp + std::string(static_cast<size_t>(bits), '\x80');
}

TEST_F(PictureLoading, OversizedFilesAndPicturesGiveNoBitmap) {
    ScratchFolder folder("oversized-pictures");
    EXPECT_TRUE(LoadPictureFile(folder.Write("wide.bmp", GreyBmp(4096, 2))));
    EXPECT_FALSE(LoadPictureFile(folder.Write("wider.bmp", GreyBmp(4097, 2))));
    EXPECT_FALSE(LoadPictureFile(folder.Write("taller.bmp", GreyBmp(2, 4097))));
    // A small picture with trailing bytes: readable up to 16 MiB, refused beyond.
    const std::string small = GreyBmp(8, 8);
    EXPECT_TRUE(LoadPictureFile(folder.Write("at-limit.bmp", small + std::string((16u << 20) - small.size(), '\0'))));
    EXPECT_FALSE(LoadPictureFile(folder.Write("over-limit.bmp", small + std::string((16u << 20) + 1 - small.size(), '\0'))));
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
