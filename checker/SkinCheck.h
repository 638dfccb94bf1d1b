#pragma once
// The skin pictures as the library's picture loader reads them: their sizes against the
// strips the library cuts, and whether the transparent colours occur.
#include <windows.h>

#include <optional>
#include <string>

#include "checker/HostReport.h"
#include "skin/SkinImages.h"

struct PictureFacts {
    int width = 0;
    int height = 0;
    // Pixels of the mask colour inside the part of the picture that the strip covers.
    int maskPixels = 0;
};

// The picture at `path` as LoadPictureFile decodes it; nothing when it does not load.
// The mask colour is counted inside the strip's rectangle when a strip is given.
[[nodiscard]] std::optional<PictureFacts> InspectPicture(const std::string& path, const SkinStrip* strip);

// Why a picture of this size cannot be cut into the strip, or nothing when it can.
[[nodiscard]] std::optional<std::string> StripShortfall(const SkinStrip& strip, int width, int height);

// Reports the four pictures of `hostDirectory\skin\system`.
void CheckSkin(HostReport& report, const std::string& hostDirectory);
