// The picture header reader on any bytes. Beyond not failing: sides are never negative;
// the same picture behind the platform loader's 8-byte header gives the same header;
// and bytes added after a picture never change the sides it was found with (but for a
// GIF cut short, whose first image may then show), nor make rows run past the end.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "FuzzCheck.h"
#include "skin/PictureHeader.h"

namespace {
bool StartsPicture(const std::uint8_t* data, std::size_t size) {
    return (size >= 2 && (std::memcmp(data, "BM", 2) == 0 || std::memcmp(data, "\xFF\xD8", 2) == 0)) ||
           (size >= 4 && (std::memcmp(data, "GIF8", 4) == 0 || std::memcmp(data, "\x89PNG", 4) == 0));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<PictureHeader> header = ReadPictureHeader(data, size);
    if (!header) return 0;
    FUZZ_CHECK(header->width >= 0 && header->height >= 0);

    // Only a picture that can only have been found at the start: its bytes after the
    // first eight start no picture that the loader's header could have put there.
    const bool atStart = StartsPicture(data, size) && !(size > 8 && StartsPicture(data + 8, size - 8));
    if (!atStart) return 0;
    std::vector<unsigned char> wrapped(8 + size, 0);
    const auto length = static_cast<std::uint32_t>(size);
    for (int i = 0; i < 4; ++i) wrapped[4 + i] = static_cast<unsigned char>(length >> (8 * i));
    std::memcpy(wrapped.data() + 8, data, size);
    const std::optional<PictureHeader> behind = ReadPictureHeader(wrapped.data(), wrapped.size());
    FUZZ_CHECK(behind && behind->width == header->width && behind->height == header->height &&
               behind->rowsPastEnd == header->rowsPastEnd);

    std::vector<unsigned char> longer(data, data + size);
    longer.resize(size + 64, 0);
    const std::optional<PictureHeader> extended = ReadPictureHeader(longer.data(), longer.size());
    // Only a GIF cut inside its first image's descriptor may show a larger image now.
    FUZZ_CHECK(extended && extended->width >= header->width && extended->height >= header->height);
    if (size < 4 || std::memcmp(data, "GIF8", 4) != 0)
        FUZZ_CHECK(extended->width == header->width && extended->height == header->height);
    FUZZ_CHECK(!extended->rowsPastEnd || header->rowsPastEnd);
    return 0;
}
