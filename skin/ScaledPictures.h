#pragma once
// Copies of the skin's pictures for a dialog at a DPI other than 96: the colours scaled
// smoothly (halftone), the transparent parts kept. The dialog owns the copies.
#include <windows.h>
#include <commctrl.h>

#include "framework/UniqueHandle.h"

// Every image of `source`, scaled to `dpi`; null when `source` is null or a copy fails.
[[nodiscard]] UniqueImageList ScaleImageList(HIMAGELIST source, int dpi);
// `source` scaled to `dpi`; null when `source` is null or the copy fails.
[[nodiscard]] UniqueBitmap ScaleBitmap(HBITMAP source, int dpi);
