#include "checker/SkinCheck.h"

#include <algorithm>

#include "checker/XmlFileCheck.h"
#include "framework/Text.h"
#include "skin/LoadPictureFile.h"

namespace {

std::string ColourText(COLORREF colour) {
    return text::Format("RGB(%d, %d, %d)", GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

// Counts the pixels of `colour` in the top-left width x height of a 32-bit DIB section.
int CountColour(HBITMAP bitmap, COLORREF colour, int width, int height) {
    DIBSECTION section{};
    if (::GetObjectA(bitmap, sizeof section, &section) != sizeof section || section.dsBm.bmBits == nullptr ||
        section.dsBm.bmBitsPixel != 32)
        return 0;
    const BITMAP& bits = section.dsBm;
    const bool bottomUp = section.dsBmih.biHeight > 0;
    int count = 0;
    for (int y = 0; y < std::min<int>(height, bits.bmHeight); ++y) {
        const int row = bottomUp ? bits.bmHeight - 1 - y : y;
        const auto* pixel = static_cast<const BYTE*>(bits.bmBits) + static_cast<std::size_t>(row) * bits.bmWidthBytes;
        for (int x = 0; x < std::min<int>(width, bits.bmWidth); ++x, pixel += 4)
            if (RGB(pixel[2], pixel[1], pixel[0]) == colour) ++count;
    }
    return count;
}

void CheckPicture(HostReport& report, const std::string& hostDirectory, const char* file, const SkinStrip* strip,
                  const char* withoutIt) {
    const std::string relative = std::string("skin\\system\\") + file;
    const std::optional<std::string> bytes = ReadWholeFile(hostDirectory + "\\" + relative);
    if (!bytes) {
        report.Error(relative + ": not found (or not readable): " + withoutIt);
        return;
    }
    const std::string found = relative + text::Format(": found, %d bytes, ", static_cast<int>(bytes->size()));
    const std::optional<PictureFacts> facts = InspectPicture(hostDirectory + "\\" + relative, strip);
    if (!facts) {
        report.Error(found + "not loaded (not a BMP, JPEG or GIF picture the system reads): " + withoutIt);
        return;
    }
    std::string line = found + text::Format("loaded, %d x %d", facts->width, facts->height);
    if (strip == nullptr) {
        report.Note(line + ", shown whole");
        return;
    }
    const std::optional<std::string> shortfall = StripShortfall(*strip, facts->width, facts->height);
    line += text::Format(", cut into %d pictures of %d x %d", strip->count, strip->size, strip->size);
    if (shortfall) {
        report.Error(line + ": " + *shortfall);
        return;
    }
    report.Note(line + "; mask colour " + ColourText(strip->mask) +
                (facts->maskPixels > 0 ? text::Format(" in %d pixels", facts->maskPixels) : std::string(" absent")));
    if (facts->maskPixels == 0)
        report.Warning(relative + ": the mask colour " + ColourText(strip->mask) +
                       " does not occur, so no part of these pictures is transparent");
}

}  // namespace

std::optional<PictureFacts> InspectPicture(const std::string& path, const SkinStrip* strip) {
    const UniqueBitmap picture = LoadPictureFile(path);
    BITMAP bits{};
    if (!picture || ::GetObjectA(picture.Get(), sizeof bits, &bits) == 0) return std::nullopt;
    PictureFacts facts;
    facts.width = bits.bmWidth;
    facts.height = bits.bmHeight;
    if (strip != nullptr) facts.maskPixels = CountColour(picture.Get(), strip->mask, strip->size * strip->count, strip->size);
    return facts;
}

std::optional<std::string> StripShortfall(const SkinStrip& strip, int width, int height) {
    const int needWidth = strip.size * strip.count;
    if (width >= needWidth && height >= strip.size) return std::nullopt;
    return text::Format("smaller than the %d x %d strip the library cuts; the pictures past its edge are undefined",
                        needWidth, strip.size);
}

void CheckSkin(HostReport& report, const std::string& hostDirectory) {
    report.Section("skin");
    CheckPicture(report, hostDirectory, kListCheckStrip.file, &kListCheckStrip,
                 "the member list shows no check boxes and no chairman mark");
    CheckPicture(report, hostDirectory, kHeaderCheckedFile, nullptr, "the member list's header shows no check box");
    CheckPicture(report, hostDirectory, kHeaderUncheckedFile, nullptr, "the member list's header shows no check box");
    CheckPicture(report, hostDirectory, kTreeStrip.file, &kTreeStrip, "the picker's trees show no icons");
}
