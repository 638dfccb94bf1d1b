#pragma once
// What a picture file's header says, read before anything is decoded: the decoder
// allocates the whole bitmap a header claims, and the BMP decoder reads every row the
// header claims, whatever the file holds.
#include <cstddef>
#include <cstdint>
#include <optional>

struct PictureHeader {
    int64_t width = 0;
    int64_t height = 0;  // a BMP's rows counted top-down or bottom-up alike
    // An uncompressed BMP whose rows, where its header puts them, run past the file's end.
    bool rowsPastEnd = false;
};

// The header of the BMP, GIF, JPEG or PNG picture at the start of `bytes`, or after the
// 8-byte header (the second four bytes the picture's length) that the platform's loader
// also takes. None when the bytes start no picture of these kinds or end before its size.
// A GIF gives the larger of its screen and its first image on each side (platforms decode
// to one or the other); a JPEG whose height comes only after its first scan gives 0.
[[nodiscard]] std::optional<PictureHeader> ReadPictureHeader(const unsigned char* bytes, size_t size);
