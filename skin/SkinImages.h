#pragma once
// The library's own small pictures from the current skin: the member list's check
// marks and chairman mark, the list header's check mark, and the directory trees'
// node icons. Loaded once at start-up; the dialogs borrow the handles and never
// destroy them.
#include <windows.h>

#include <string>

#include "framework/UniqueHandle.h"

class SkinImages {
public:
    virtual ~SkinImages();
    // Reads the skin's bitmaps from the host directory; an empty name means "system".
    void LoadSkinImages(const std::string& skinName);

    UniqueImageList listCheckImages;  // 16x16, 4 images; dark red RGB(150,0,0) is transparent
    UniqueImageList treeImages;       // 20x20, 5 images; white is transparent
    UniqueBitmap headerCheckedBitmap;
    UniqueBitmap headerUncheckedBitmap;
};

SkinImages& GetSkinImages();

// A strip file of the skin and how it is cut: `count` squares of `size` pixels from the
// left, with `mask` as the transparent colour.
struct SkinStrip {
    const char* file;
    int size;
    int count;
    COLORREF mask;
};
inline constexpr SkinStrip kListCheckStrip{"all_select.bmp", 16, 4, RGB(150, 0, 0)};
inline constexpr SkinStrip kTreeStrip{"selectcontact_head.bmp", 20, 5, RGB(255, 255, 255)};
inline constexpr const char* kHeaderCheckedFile = "bitmap_select.bmp";
inline constexpr const char* kHeaderUncheckedFile = "bitmap_unselect.bmp";

// LoadSkinImages with the host directory given, so that any folder can serve as the host's.
void LoadSkinImagesFrom(SkinImages& images, const std::string& hostDirectory, const std::string& skinName);
