#pragma once
// Cuts a horizontal strip of equal squares into separate bitmaps.
#include <windows.h>

#include "framework/UniqueHandle.h"

// Fills pieces[0..count-1] with new width x height bitmaps in the source's colour
// format; piece i holds the source's pixels from x = i * width, y = 0. A strip that
// is too small still gives every piece, with undefined pixels beyond its edges.
// False only when a piece cannot be created.
bool SplitBitmapStrip(HBITMAP source, UniqueBitmap* pieces, int count, int width, int height);
