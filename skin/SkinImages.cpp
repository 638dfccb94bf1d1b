#include "skin/SkinImages.h"

#include <vector>

#include "directory/HostDirectory.h"
#include "framework/Text.h"
#include "skin/LoadPictureFile.h"
#include "skin/SplitBitmapStrip.h"

namespace {

constexpr COLORREF kListMaskColour = RGB(150, 0, 0);
constexpr COLORREF kTreeMaskColour = RGB(255, 255, 255);

// A new, empty image list of size x size pictures; the strip file's pieces, if the
// file loads, are added in strip order with `mask` as the transparent colour.
UniqueImageList LoadImageStrip(const std::string& path, int size, int count, COLORREF mask) {
    UniqueImageList list(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 0, 0));
    if (!list) return list;
    const UniqueBitmap strip = LoadPictureFile(path);
    if (!strip) return list;
    std::vector<UniqueBitmap> pieces(static_cast<size_t>(count));
    if (!SplitBitmapStrip(strip.Get(), pieces.data(), count, size, size)) return list;
    // The list keeps copies of its own; the pieces go when this returns.
    for (int i = 0; i < count; ++i) ::ImageList_AddMasked(list.Get(), pieces[i].Get(), mask);
    return list;
}

// A header bitmap is replaced only by one that loads; otherwise it stays as it was.
void LoadWholeBitmap(const std::string& path, UniqueBitmap& target) {
    UniqueBitmap loaded = LoadPictureFile(path);
    if (loaded) target = std::move(loaded);
}

}  // namespace

SkinImages::~SkinImages() = default;

void LoadSkinImagesFrom(SkinImages& images, const std::string& hostDirectory, const std::string& skinName) {
    const std::string skin = skinName.empty() ? std::string("system") : skinName;
    const auto file = [&](const char* name) {
        return text::Format("%s\\skin\\%s\\%s", hostDirectory.c_str(), skin.c_str(), name);
    };
    images.listCheckImages.Reset();
    images.listCheckImages = LoadImageStrip(file("all_select.bmp"), 16, 4, kListMaskColour);
    LoadWholeBitmap(file("bitmap_select.bmp"), images.headerCheckedBitmap);
    LoadWholeBitmap(file("bitmap_unselect.bmp"), images.headerUncheckedBitmap);
    images.treeImages.Reset();
    images.treeImages = LoadImageStrip(file("selectcontact_head.bmp"), 20, 5, kTreeMaskColour);
}

void SkinImages::LoadSkinImages(const std::string& skinName) {
    LoadSkinImagesFrom(*this, GetHostDirectory(), skinName);
}
