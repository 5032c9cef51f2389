#include <gtest/gtest.h>

#include <cmath>

#include "app/ScaleFactor.h"
#include "ui/ScaleRule.h"

namespace yk {
namespace {

TEST(ScaleFactor, FollowsTheClientAreaAgainstTheReferenceSize)
{
    struct Case {
        int width;
        int height;
        float mag;
    };
    const Case cases[] = {
        {1920, 1170, 2.5f},   {768, 900, 1.0f},     // the width is not above 768
        {1000, 469, 1.0021f}, {1000, 468, 1.0f},    // the height is not above 468
        {769, 469, 1.0013f},  {1152, 702, 1.5f},    // 144 dpi
        {960, 585, 1.25f},    {2000, 500, 1.0683f}, // the smaller ratio counts
        {1536, 2000, 2.0f},   {0, 0, 1.0f},         {-5, 800, 1.0f},
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(computeMag(c.width, c.height), c.mag) << c.width << " x " << c.height;
}

TEST(ScaleFactor, KeepsAtMostFourDecimalsCutNotRounded)
{
    // 500 / 468 = 1.068376: cut to 1.0683, where rounding would give 1.0684.
    EXPECT_FLOAT_EQ(computeMag(2000, 500), 1.0683f);
    for (int height = 469; height < 1400; height += 37) {
        const float mag = computeMag(4000, height);
        EXPECT_LE(mag, static_cast<float>(height) / 468.0f);
        EXPECT_GT(mag, static_cast<float>(height) / 468.0f - 0.0001f);
        EXPECT_NEAR(mag * 10000.0f, std::round(mag * 10000.0f), 0.01f) << height;
    }
}

TEST(ScaleFactor, MenuAndLogoPicturesFollowTheScaleRule)
{
    struct Case {
        float base;
        float mag;
        ImageSize stored;
        ImageSize drawn;
    };
    const Case cases[] = {
        {kMenuImageFactor, 1.0f, {576, 96}, {175, 29}}, {kMenuImageFactor, 1.5f, {576, 96}, {263, 43}},
        {kMenuImageFactor, 2.0f, {576, 96}, {351, 58}}, // 0.61 of the stored size
        {kMenuImageFactor, 4.0f, {576, 96}, {576, 96}}, // 1.22: never enlarged
        {kLogoImageFactor, 1.0f, {160, 46}, {83, 23}},  {kLogoImageFactor, 1.5f, {160, 46}, {124, 35}},
        {kLogoImageFactor, 2.0f, {160, 46}, {160, 46}}, // 1.04
    };
    for (const auto& c : cases)
        EXPECT_EQ(scaledImageSize(c.stored, c.base, c.mag), c.drawn) << c.base << " x " << c.mag;
}

} // namespace
} // namespace yk
