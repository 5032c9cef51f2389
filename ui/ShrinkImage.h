// Bilinear reduction of a straight-alpha BGRA image, the way every skin picture is fitted to its control.
#pragma once

#include <cstdint>
#include <vector>

namespace yk {

// Rewrites `pixels` (width × height, 4 bytes a pixel, rows top-down) at newWidth × newHeight. Only reduces:
// false, with the pixels untouched, when a new dimension is larger than the old one or below 1, when the
// image is smaller than 2 × 2, or when the buffer does not hold width × height pixels.
bool shrinkImage(std::vector<std::uint8_t>& pixels, int width, int height, int newWidth, int newHeight);

} // namespace yk
