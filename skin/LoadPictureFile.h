#pragma once
// Turns an image file into a bitmap the caller owns, through the system's OLE
// picture loader: BMP, JPEG and GIF are recognised by their content, whatever the
// file name's extension says.
#include <windows.h>
#include <string>

#include "framework/UniqueHandle.h"

// A 32-bit DIB section copy of the decoded picture, or no bitmap on any failure. A file
// over 16 MiB or a picture over 4096 pixels on a side gives none, refused from its header
// before decoding where the header tells, as is a BMP whose rows run past the file's end.
// The file, its memory block, the stream and the picture are all released before
// it returns; the file is held without sharing while it is read.
[[nodiscard]] UniqueBitmap LoadPictureFile(const std::string& path);
