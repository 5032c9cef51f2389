#include "ui/ScaleRule.h"

#include <algorithm>

namespace yk {

float effectiveFactor(float baseFactor, float mag)
{
    return mag > 1.0f ? baseFactor * mag : baseFactor;
}

ImageSize scaledImageSize(ImageSize stored, float baseFactor, float mag)
{
    const float factor = effectiveFactor(baseFactor, mag);
    if (factor >= 1.0f)
        return stored;
    return ImageSize{std::max(1, static_cast<int>(static_cast<float>(stored.width) * factor)),
                     std::max(1, static_cast<int>(static_cast<float>(stored.height) * factor))};
}

int scaledFontHeight(int size, float mag)
{
    return static_cast<int>(static_cast<float>(size) * mag);
}

} // namespace yk
