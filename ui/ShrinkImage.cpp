#include "ui/ShrinkImage.h"

#include <array>
#include <cstddef>

namespace yk {
namespace {

constexpr int kChannels = 4;

// One axis of the resampling: the base index and the fraction towards the next sample.
struct Tap {
    int base;
    float fraction;
};

Tap tapFor(int target, float scale, float offset, int sourceLength)
{
    float position = static_cast<float>(target) / scale + offset;
    int base = 0;
    // The last sample has no right neighbour, so a position on it is taken from the pair before it with
    // the full weight on the last sample; the value is the same and no read passes the edge.
    if (position >= static_cast<float>(sourceLength - 1)) {
        base = sourceLength - 2;
        position = static_cast<float>(sourceLength - 1);
    } else if (position < 0.0f) {
        base = 0;
        position = 0.0f;
    } else {
        base = static_cast<int>(position);
    }
    return Tap{base, position - static_cast<float>(base)};
}

float offsetFor(float scale)
{
    return scale < 1.0f ? (1.0f / scale - 1.0f) / 2.0f : 0.0f;
}

std::vector<std::uint8_t> resamplePlane(const std::vector<std::uint8_t>& plane, int width, int height, int newWidth,
                                        int newHeight)
{
    if (width == newWidth && height == newHeight)
        return plane;
    const float sx = static_cast<float>(newWidth) / static_cast<float>(width);
    const float sy = static_cast<float>(newHeight) / static_cast<float>(height);
    const float ox = offsetFor(sx);
    const float oy = offsetFor(sy);

    std::vector<std::uint8_t> result(static_cast<std::size_t>(newWidth) * newHeight);
    std::vector<Tap> columns(newWidth);
    for (int x = 0; x < newWidth; ++x)
        columns[x] = tapFor(x, sx, ox, width);
    for (int y = 0; y < newHeight; ++y) {
        const Tap row = tapFor(y, sy, oy, height);
        const std::uint8_t* upper = plane.data() + static_cast<std::size_t>(row.base) * width;
        const std::uint8_t* lower = upper + width;
        const float b = row.fraction;
        for (int x = 0; x < newWidth; ++x) {
            const int bx = columns[x].base;
            const float a = columns[x].fraction;
            const float value = (1 - a) * (1 - b) * upper[bx] + a * (1 - b) * upper[bx + 1] + (1 - a) * b * lower[bx] +
                                a * b * lower[bx + 1] + 0.5f;
            result[static_cast<std::size_t>(y) * newWidth + x] =
                value >= 255.0f ? std::uint8_t{255} : static_cast<std::uint8_t>(value);
        }
    }
    return result;
}

} // namespace

bool shrinkImage(std::vector<std::uint8_t>& pixels, int width, int height, int newWidth, int newHeight)
{
    if (width < 2 || height < 2 || newWidth < 1 || newHeight < 1 || newWidth > width || newHeight > height)
        return false;
    const std::size_t count = static_cast<std::size_t>(width) * height;
    if (pixels.size() != count * kChannels)
        return false;

    // Planes hold the rows bottom-up; the resampling counts rows in that order.
    std::array<std::vector<std::uint8_t>, kChannels> planes;
    for (int channel = 0; channel < kChannels; ++channel) {
        auto& plane = planes[channel];
        plane.resize(count);
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* source = pixels.data() + static_cast<std::size_t>(y) * width * kChannels;
            std::uint8_t* target = plane.data() + static_cast<std::size_t>(height - 1 - y) * width;
            for (int x = 0; x < width; ++x)
                target[x] = source[x * kChannels + channel];
        }
        plane = resamplePlane(plane, width, height, newWidth, newHeight);
    }

    pixels.assign(static_cast<std::size_t>(newWidth) * newHeight * kChannels, 0);
    for (int channel = 0; channel < kChannels; ++channel) {
        const auto& plane = planes[channel];
        for (int y = 0; y < newHeight; ++y) {
            const std::uint8_t* source = plane.data() + static_cast<std::size_t>(newHeight - 1 - y) * newWidth;
            std::uint8_t* target = pixels.data() + static_cast<std::size_t>(y) * newWidth * kChannels;
            for (int x = 0; x < newWidth; ++x)
                target[x * kChannels + channel] = source[x];
        }
    }
    return true;
}

} // namespace yk
