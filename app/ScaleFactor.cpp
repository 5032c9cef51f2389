#include "app/ScaleFactor.h"

#include <algorithm>
#include <cmath>

namespace yk {

float computeMag(int clientWidth, int clientHeight)
{
    if (clientWidth <= kReferenceClientWidth || clientHeight <= kReferenceClientHeight)
        return 1.0f;
    const float ratio = std::min(static_cast<float>(clientHeight) / static_cast<float>(kReferenceClientHeight),
                                 static_cast<float>(clientWidth) / static_cast<float>(kReferenceClientWidth));
    if (ratio <= 1.0f)
        return 1.0f;
    return std::trunc(ratio * 10000.0f) / 10000.0f;
}

} // namespace yk
