#include "skin/SplitBitmapStrip.h"

bool SplitBitmapStrip(HBITMAP source, UniqueBitmap* pieces, int count, int width, int height) {
    UniqueDC sourceDC(::CreateCompatibleDC(nullptr));
    UniqueDC pieceDC(::CreateCompatibleDC(nullptr));
    if (!sourceDC || !pieceDC) return false;
    SelectGuard sourceSelected(sourceDC.Get(), source);
    for (int i = 0; i < count; ++i) {
        // Compatible with the context holding the source, so the piece keeps its format.
        pieces[i].Reset(::CreateCompatibleBitmap(sourceDC.Get(), width, height));
        if (!pieces[i]) return false;
        SelectGuard pieceSelected(pieceDC.Get(), pieces[i].Get());
        ::BitBlt(pieceDC.Get(), 0, 0, width, height, sourceDC.Get(), i * width, 0, SRCCOPY);
    }
    return true;
}
