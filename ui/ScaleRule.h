// How a skin picture's base factor and the window's scale turn into the size it is drawn at.
#pragma once

namespace yk {

struct ImageSize {
    int width = 0;
    int height = 0;
    bool operator==(const ImageSize&) const = default;
};

// F = f × mag when mag > 1, else f.
float effectiveFactor(float baseFactor, float mag);

// The size a stored image is drawn at: reduced to trunc(size × F) when F < 1 (never below one pixel),
// its stored size otherwise; pictures are never enlarged.
ImageSize scaledImageSize(ImageSize stored, float baseFactor, float mag);

// A font's cell height at the window's scale: trunc(size × mag).
int scaledFontHeight(int size, float mag);

} // namespace yk
