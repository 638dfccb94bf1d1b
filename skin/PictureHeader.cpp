#include "skin/PictureHeader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The bytes of one picture, read with bounds checked: a read past the end gives nothing.
class Bytes {
public:
    Bytes(const unsigned char* data, size_t size) : data_(data), size_(size) {}

    size_t Size() const { return size_; }
    bool StartsWith(const char* magic, size_t length) const {
        return size_ >= length && std::memcmp(data_, magic, length) == 0;
    }
    std::optional<unsigned> At(size_t at) const {
        if (at >= size_) return std::nullopt;
        return data_[at];
    }
    // Little-endian (BMP, GIF) and big-endian (JPEG, PNG) unsigned numbers.
    std::optional<uint32_t> Little(size_t at, int length) const { return Number(at, length, false); }
    std::optional<uint32_t> Big(size_t at, int length) const { return Number(at, length, true); }

private:
    std::optional<uint32_t> Number(size_t at, int length, bool bigEndian) const {
        if (at > size_ || size_ - at < static_cast<size_t>(length)) return std::nullopt;
        uint32_t value = 0;
        for (int i = 0; i < length; ++i) {
            const int shift = 8 * (bigEndian ? length - 1 - i : i);
            value |= static_cast<uint32_t>(data_[at + static_cast<size_t>(i)]) << shift;
        }
        return value;
    }

    const unsigned char* data_;
    size_t size_;
};

std::optional<PictureHeader> Sized(std::optional<uint32_t> width, std::optional<uint32_t> height) {
    if (!width || !height) return std::nullopt;
    PictureHeader header;
    header.width = *width;
    header.height = *height;
    return header;
}

int64_t Magnitude(uint32_t twosComplement) {
    return std::abs(static_cast<int64_t>(static_cast<int32_t>(twosComplement)));
}

std::optional<PictureHeader> BmpHeader(const Bytes& b) {
    const std::optional<uint32_t> headerSize = b.Little(14, 4), pixelsAt = b.Little(10, 4);
    if (!headerSize || !pixelsAt) return std::nullopt;
    std::optional<PictureHeader> header;
    std::optional<uint32_t> bitCount, compression;
    if (*headerSize == 12) {  // the old core header: unsigned 16-bit sides, no compression
        header = Sized(b.Little(18, 2), b.Little(20, 2));
        bitCount = b.Little(24, 2);
        compression = 0;
    } else if (*headerSize >= 16) {
        // Signed sides: a negative height is a top-down bitmap of as many rows.
        const std::optional<uint32_t> width = b.Little(18, 4), height = b.Little(22, 4);
        if (width && height) header = PictureHeader{Magnitude(*width), Magnitude(*height)};
        bitCount = b.Little(28, 2);
        compression = *headerSize >= 20 ? b.Little(30, 4) : 0;
    }
    if (!header) return std::nullopt;
    // A file that ends before its header says how its rows are laid out holds none of them.
    if (!bitCount || !compression) {
        header->rowsPastEnd = true;
        return header;
    }
    // Rows of plain or bit-field pixels; the decoder takes them as they come, unchecked.
    const bool plainRows = compression == 0u || compression == 3u || compression == 6u;
    if (plainRows && bitCount && *bitCount != 0) {
        const uint64_t bits = static_cast<uint64_t>(header->width) * *bitCount;
        const uint64_t rowBytes = (bits + 31) / 32 * 4, rows = static_cast<uint64_t>(header->height);
        // Some writers leave out the last row's padding, which the decoder's reading of a
        // few bytes more has always let pass; a row further is past the end.
        const uint64_t lastRowBytes = (bits + 7) / 8;
        const uint64_t available = *pixelsAt > b.Size() ? 0 : b.Size() - *pixelsAt;
        // Divided rather than multiplied: the claimed sides may be anything up to 2^31.
        header->rowsPastEnd = *pixelsAt > b.Size() ||
                              (rows != 0 && (lastRowBytes > available ||
                                             (rows > 1 && rowBytes > (available - lastRowBytes) / (rows - 1))));
    }
    return header;
}

std::optional<PictureHeader> GifHeader(const Bytes& b) {
    const std::optional<PictureHeader> screen = Sized(b.Little(6, 2), b.Little(8, 2));
    const std::optional<unsigned> flags = b.At(10);
    if (!screen || !flags) return std::nullopt;
    // After the screen's colour table, extension blocks until the first image.
    size_t at = 13 + ((*flags & 0x80) != 0 ? 3u << ((*flags & 7) + 1) : 0);
    while (b.At(at) == 0x21u) {
        at += 2;  // the introducer and the extension's label
        for (std::optional<unsigned> length; (length = b.At(at)) && *length != 0;) at += 1 + *length;
        ++at;
    }
    if (b.At(at) != 0x2Cu) return screen;
    const std::optional<PictureHeader> image = Sized(b.Little(at + 5, 2), b.Little(at + 7, 2));
    if (!image) return screen;
    return PictureHeader{std::max(screen->width, image->width), std::max(screen->height, image->height)};
}

// The markers of a frame's start: C0 to CF but for the Huffman and arithmetic tables
// (C4, CC) and the reserved C8.
bool IsFrameStart(unsigned marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::optional<PictureHeader> JpegHeader(const Bytes& b) {
    size_t at = 2;
    for (;;) {
        // As the decoder does: skip whatever is not a marker, then the fill bytes before one.
        while (b.At(at) && *b.At(at) != 0xFF) ++at;
        while (b.At(at) == 0xFFu) ++at;
        const std::optional<unsigned> marker = b.At(at);
        if (!marker) return std::nullopt;
        ++at;
        if (IsFrameStart(*marker)) return Sized(b.Big(at + 5, 2), b.Big(at + 3, 2));
        if (*marker == 0xD9 || *marker == 0xDA) return std::nullopt;  // the end, or a scan before any frame
        if ((*marker >= 0xD0 && *marker <= 0xD8) || *marker == 0x01) continue;  // markers without a length
        const std::optional<uint32_t> length = b.Big(at, 2);
        if (!length) return std::nullopt;
        at += *length;
    }
}

std::optional<PictureHeader> PngHeader(const Bytes& b) {
    if (!b.StartsWith("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16)) return std::nullopt;
    return Sized(b.Big(16, 4), b.Big(20, 4));
}

std::optional<PictureHeader> HeaderAtStart(const Bytes& b) {
    if (b.StartsWith("BM", 2)) return BmpHeader(b);
    if (b.StartsWith("GIF8", 4)) return GifHeader(b);
    if (b.StartsWith("\xFF\xD8", 2)) return JpegHeader(b);
    if (b.StartsWith("\x89PNG", 4)) return PngHeader(b);
    return std::nullopt;
}

}  // namespace

std::optional<PictureHeader> ReadPictureHeader(const unsigned char* bytes, size_t size) {
    if (std::optional<PictureHeader> header = HeaderAtStart(Bytes(bytes, size))) return header;
    // The loader's own header: the picture, of the length it gives, follows it.
    const Bytes prefix(bytes, size);
    const std::optional<uint32_t> length = prefix.Little(4, 4);
    if (!length || size <= 8) return std::nullopt;
    return HeaderAtStart(Bytes(bytes + 8, std::min<size_t>(size - 8, *length)));
}
