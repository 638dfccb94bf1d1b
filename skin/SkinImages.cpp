#include "skin/SkinImages.h"

#include <vector>

#include "directory/HostDirectory.h"
#include "framework/Text.h"
#include "skin/LoadPictureFile.h"
#include "skin/SplitBitmapStrip.h"

namespace {

// A new, empty image list of the strip's squares; the strip file's pieces, if the
// file loads, are added in strip order with the strip's mask colour as transparent.
UniqueImageList LoadImageStrip(const std::string& path, const SkinStrip& strip) {
    const int size = strip.size, count = strip.count;
    UniqueImageList list(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 0, 0));
    if (!list) return list;
    const UniqueBitmap picture = LoadPictureFile(path);
    if (!picture) return list;
    std::vector<UniqueBitmap> pieces(static_cast<size_t>(count));
    if (!SplitBitmapStrip(picture.Get(), pieces.data(), count, size, size)) return list;
    // The list keeps copies of its own; the pieces go when this returns.
    for (int i = 0; i < count; ++i) ::ImageList_AddMasked(list.Get(), pieces[i].Get(), strip.mask);
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
        if (hostDirectory.empty()) return std::string();  // no host folder: no picture
        return text::Format("%s\\skin\\%s\\%s", hostDirectory.c_str(), skin.c_str(), name);
    };
    images.listCheckImages.Reset();
    images.listCheckImages = LoadImageStrip(file(kListCheckStrip.file), kListCheckStrip);
    LoadWholeBitmap(file(kHeaderCheckedFile), images.headerCheckedBitmap);
    LoadWholeBitmap(file(kHeaderUncheckedFile), images.headerUncheckedBitmap);
    images.treeImages.Reset();
    images.treeImages = LoadImageStrip(file(kTreeStrip.file), kTreeStrip);
}

void SkinImages::LoadSkinImages(const std::string& skinName) {
    LoadSkinImagesFrom(*this, GetHostDirectory(), skinName);
}
