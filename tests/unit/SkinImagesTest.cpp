#include <gtest/gtest.h>

#include <vector>

#include "skin/LoadPictureFile.h"
#include "skin/SkinImages.h"
#include "skin/SplitBitmapStrip.h"
#include "support/Pixels.h"
#include "support/GdiBaseline.h"
#include "support/TestData.h"

namespace {

constexpr COLORREF kDarkRed = RGB(150, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBackground = RGB(0, 255, 255);
const COLORREF kListPieces[] = {RGB(10, 120, 10), RGB(10, 10, 120), RGB(120, 120, 10), RGB(10, 120, 120)};
const COLORREF kTreePieces[] = {RGB(200, 100, 0), RGB(0, 100, 200), RGB(100, 0, 200), RGB(0, 200, 100),
                                RGB(100, 100, 100)};

std::string Picture(const char* name) { return TestDataPath(std::string("pictures\\") + name); }

// A host folder whose skin `skinName` holds the named test pictures under the skin's file names.
struct SkinFolder {
    ScratchFolder host;
    explicit SkinFolder(const char* tag) : host(tag) {}
    void Put(const char* skinName, const char* testPicture, const char* skinFile) const {
        host.MakeFolder(std::string("skin\\") + skinName);
        ASSERT_TRUE(host.CopyIn(Picture(testPicture), std::string("skin\\") + skinName + "\\" + skinFile));
    }
    void PutAll(const char* skinName) const {
        Put(skinName, "list-strip.bmp", "all_select.bmp");
        Put(skinName, "header-on.bmp", "bitmap_select.bmp");
        Put(skinName, "header-off.bmp", "bitmap_unselect.bmp");
        Put(skinName, "tree-strip.bmp", "selectcontact_head.bmp");
    }
};

// Loads, by the name `asked`, a skin whose folder `stored` holds all four pictures.
void LoadFullSkin(SkinImages& images, const char* tag, const char* stored, const char* asked) {
    SkinFolder folder(tag);
    folder.PutAll(stored);
    LoadSkinImagesFrom(images, folder.host.Path(), asked);
}

int ImageCount(const UniqueImageList& list) { return list ? ::ImageList_GetImageCount(list.Get()) : -1; }

testing::AssertionResult HoldsEveryPiece(const SkinImages& images) {
    const int list = ImageCount(images.listCheckImages), tree = ImageCount(images.treeImages);
    if (list == 4 && tree == 5) return testing::AssertionSuccess();
    return testing::AssertionFailure() << list << " list pictures and " << tree << " tree pictures, not 4 and 5";
}

void ExpectIconSize(const UniqueImageList& list, int size) {
    int width = 0, height = 0;
    ASSERT_TRUE(::ImageList_GetIconSize(list.Get(), &width, &height));
    EXPECT_EQ(size, width);
    EXPECT_EQ(size, height);
}

using SkinImagesTest = GdiBaselineTest;

TEST_F(SkinImagesTest, SplitGivesPiecesInStripOrderInTheSourceFormat) {
    UniqueBitmap strip = LoadPictureFile(Picture("list-strip.bmp"));
    ASSERT_TRUE(strip);
    UniqueBitmap pieces[4];
    ASSERT_TRUE(SplitBitmapStrip(strip.Get(), pieces, 4, 16, 16));
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const BitmapShape shape = ShapeOf(pieces[i].Get());
        EXPECT_EQ(16, shape.width);
        EXPECT_EQ(16, shape.height);
        EXPECT_EQ(ShapeOf(strip.Get()).bitsPerPixel, shape.bitsPerPixel);
        EXPECT_EQ(kListPieces[i], PixelAt(pieces[i].Get(), 8, 8));
        EXPECT_EQ(kDarkRed, PixelAt(pieces[i].Get(), 0, 0));
        EXPECT_EQ(kWhite, PixelAt(pieces[i].Get(), 15, 15));
    }
    // The source is still usable: its own selection was put back.
    EXPECT_EQ(kListPieces[3], PixelAt(strip.Get(), 56, 8));
}

TEST_F(SkinImagesTest, ANarrowStripStillGivesEveryPiece) {
    UniqueBitmap strip = LoadPictureFile(Picture("short-strip.bmp"));
    ASSERT_TRUE(strip);
    std::vector<UniqueBitmap> pieces(4);
    EXPECT_TRUE(SplitBitmapStrip(strip.Get(), pieces.data(), 4, 16, 16));
    for (const UniqueBitmap& piece : pieces) EXPECT_EQ(16, ShapeOf(piece.Get()).width);
    EXPECT_EQ(kListPieces[1], PixelAt(pieces[1].Get(), 8, 8));
}

TEST_F(SkinImagesTest, LoadsAllFourPicturesOfTheNamedSkin) {
    SkinImages images;
    LoadFullSkin(images, "skin-full", "blue", "blue");
    ASSERT_TRUE(HoldsEveryPiece(images));
    ExpectIconSize(images.listCheckImages, 16);
    ExpectIconSize(images.treeImages, 20);
    EXPECT_EQ(13, ShapeOf(images.headerCheckedBitmap.Get()).width);
    EXPECT_EQ(11, ShapeOf(images.headerCheckedBitmap.Get()).height);
    EXPECT_EQ(9, ShapeOf(images.headerUncheckedBitmap.Get()).width);
    EXPECT_EQ(RGB(200, 10, 200), PixelAt(images.headerUncheckedBitmap.Get(), 4, 3));
}

TEST_F(SkinImagesTest, DarkRedIsTransparentInTheListImagesAndWhiteInTheTreeImages) {
    SkinImages images;
    LoadFullSkin(images, "skin-mask", "system", "system");
    ASSERT_TRUE(HoldsEveryPiece(images));

    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        DrawnImage drawn(images.listCheckImages.Get(), i, kBackground);
        ASSERT_TRUE(drawn.Drawn());
        EXPECT_EQ(kListPieces[i], drawn.At(8, 8));
        EXPECT_EQ(kBackground, drawn.At(1, 1));  // dark red corner
        EXPECT_EQ(kWhite, drawn.At(14, 14));     // white stays
    }
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        DrawnImage drawn(images.treeImages.Get(), i, kBackground);
        ASSERT_TRUE(drawn.Drawn());
        EXPECT_EQ(kTreePieces[i], drawn.At(10, 10));
        EXPECT_EQ(kBackground, drawn.At(1, 1));  // white corner
        EXPECT_EQ(kDarkRed, drawn.At(18, 18));   // dark red stays
    }
}

TEST_F(SkinImagesTest, AnEmptySkinNameMeansSystem) {
    SkinImages images;
    LoadFullSkin(images, "skin-empty-name", "system", "");
    EXPECT_TRUE(HoldsEveryPiece(images));
    EXPECT_TRUE(images.headerCheckedBitmap);
    EXPECT_TRUE(images.headerUncheckedBitmap);
}

TEST_F(SkinImagesTest, MissingOrUnreadableFilesLeaveTheirMembersEmpty) {
    SkinFolder folder("skin-partial");
    folder.Put("system", "list-strip.bmp", "all_select.bmp");
    folder.Put("system", "text.bmp", "selectcontact_head.bmp");
    SkinImages images;
    LoadSkinImagesFrom(images, folder.host.Path(), "system");
    EXPECT_EQ(4, ImageCount(images.listCheckImages));
    EXPECT_EQ(0, ImageCount(images.treeImages));
    EXPECT_FALSE(images.headerCheckedBitmap);
    EXPECT_FALSE(images.headerUncheckedBitmap);

    SkinImages none;
    LoadSkinImagesFrom(none, folder.host.Path(), "no-such-skin");
    EXPECT_EQ(0, ImageCount(none.listCheckImages));
    EXPECT_EQ(0, ImageCount(none.treeImages));
}

TEST_F(SkinImagesTest, ASecondLoadReplacesTheListsAndKeepsHeadersItCannotReplace) {
    SkinFolder folder("skin-reload");
    folder.PutAll("full");
    folder.Put("lists-only", "tree-strip.bmp", "all_select.bmp");
    folder.Put("lists-only", "list-strip.bmp", "selectcontact_head.bmp");
    {
        SkinImages images;
        LoadSkinImagesFrom(images, folder.host.Path(), "full");
        const int afterFirst = CountGdiObjects();
        const HBITMAP checked = images.headerCheckedBitmap.Get();
        const HBITMAP unchecked = images.headerUncheckedBitmap.Get();

        LoadSkinImagesFrom(images, folder.host.Path(), "lists-only");
        EXPECT_EQ(checked, images.headerCheckedBitmap.Get());
        EXPECT_EQ(unchecked, images.headerUncheckedBitmap.Get());
        EXPECT_EQ(13, ShapeOf(images.headerCheckedBitmap.Get()).width);
        // Strips of another size still give the full counts, cut from the new files.
        ASSERT_TRUE(HoldsEveryPiece(images));
        EXPECT_EQ(kListPieces[0], DrawnImage(images.treeImages.Get(), 0, kBackground).At(8, 8));

        LoadSkinImagesFrom(images, folder.host.Path(), "full");
        EXPECT_EQ(afterFirst, CountGdiObjects()) << "the replaced lists and bitmaps were not all released";
    }
    // The holder deletes what it owns when it goes.
    EXPECT_EQ(baseline, CountGdiObjects());
}

}  // namespace
