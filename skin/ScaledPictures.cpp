#include "skin/ScaledPictures.h"

#include "framework/Dpi.h"
#include "framework/ScopeGuard.h"

namespace {

// A bitmap of `width` by `height` with `draw` painted on it at that size.
template <class Draw>
UniqueBitmap Painted(HDC screen, int width, int height, bool monochrome, Draw draw) {
    UniqueBitmap bitmap(monochrome ? ::CreateBitmap(width, height, 1, 1, nullptr)
                                   : ::CreateCompatibleBitmap(screen, width, height));
    const UniqueDC dc(::CreateCompatibleDC(screen));
    if (!bitmap || !dc) return {};
    const HGDIOBJ old = ::SelectObject(dc.Get(), bitmap.Get());
    const ScopeGuard restore([&] { ::SelectObject(dc.Get(), old); });
    draw(dc.Get());
    return bitmap;
}

// `from` (width by height) stretched onto `to` at its full size: halftone for colours,
// nearest pixels for a mask, whose edges must stay sharp.
void Stretch(HDC to, int toWidth, int toHeight, HDC screen, HBITMAP from, int width, int height, bool smooth) {
    const UniqueDC source(::CreateCompatibleDC(screen));
    if (!source) return;
    const HGDIOBJ old = ::SelectObject(source.Get(), from);
    ::SetStretchBltMode(to, smooth ? HALFTONE : COLORONCOLOR);
    ::SetBrushOrgEx(to, 0, 0, nullptr);
    ::StretchBlt(to, 0, 0, toWidth, toHeight, source.Get(), 0, 0, width, height, SRCCOPY);
    ::SelectObject(source.Get(), old);
}

}  // namespace

UniqueImageList ScaleImageList(HIMAGELIST source, int dpi) {
    int width = 0, height = 0;
    if (source == nullptr || !::ImageList_GetIconSize(source, &width, &height)) return {};
    const int count = ::ImageList_GetImageCount(source);
    const int scaledWidth = ScaleForDpi(width, dpi), scaledHeight = ScaleForDpi(height, dpi);
    UniqueImageList scaled(::ImageList_Create(scaledWidth, scaledHeight, ILC_COLOR32 | ILC_MASK, count, 0));
    const HDC screen = ::GetDC(nullptr);
    const ScopeGuard release([screen] { ::ReleaseDC(nullptr, screen); });
    if (!scaled || screen == nullptr) return {};
    for (int i = 0; i < count; ++i) {
        // Each picture at its own size first, its transparent parts on the window colour
        // that they will stand on, so that the smoothed edges blend with it.
        const UniqueBitmap colour = Painted(screen, width, height, false, [&](HDC dc) {
            const RECT all{0, 0, width, height};
            ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_WINDOW));
            ::ImageList_Draw(source, i, dc, 0, 0, ILD_NORMAL);
        });
        const UniqueBitmap mask = Painted(screen, width, height, true, [&](HDC dc) {
            ::ImageList_Draw(source, i, dc, 0, 0, ILD_MASK);
        });
        if (!colour || !mask) return {};
        const UniqueBitmap bigColour = Painted(screen, scaledWidth, scaledHeight, false, [&](HDC dc) {
            Stretch(dc, scaledWidth, scaledHeight, screen, colour.Get(), width, height, true);
        });
        const UniqueBitmap bigMask = Painted(screen, scaledWidth, scaledHeight, true, [&](HDC dc) {
            Stretch(dc, scaledWidth, scaledHeight, screen, mask.Get(), width, height, false);
        });
        if (!bigColour || !bigMask || ::ImageList_Add(scaled.Get(), bigColour.Get(), bigMask.Get()) < 0) return {};
    }
    return scaled;
}

UniqueBitmap ScaleBitmap(HBITMAP source, int dpi) {
    BITMAP info{};
    if (source == nullptr || ::GetObjectA(source, sizeof info, &info) == 0) return {};
    const int width = ScaleForDpi(info.bmWidth, dpi), height = ScaleForDpi(info.bmHeight, dpi);
    const HDC screen = ::GetDC(nullptr);
    const ScopeGuard release([screen] { ::ReleaseDC(nullptr, screen); });
    if (screen == nullptr) return {};
    return Painted(screen, width, height, false, [&](HDC dc) {
        Stretch(dc, width, height, screen, source, info.bmWidth, info.bmHeight, true);
    });
}
