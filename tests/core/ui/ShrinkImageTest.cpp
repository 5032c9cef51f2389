#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ui/ScaleRule.h"
#include "ui/ShrinkImage.h"

namespace yk {
namespace {

using Pixels = std::vector<std::uint8_t>;

struct Bgra {
    std::uint8_t b, g, r, a;
};

Pixels filled(int width, int height, Bgra colour)
{
    Pixels pixels;
    for (int i = 0; i < width * height; ++i)
        pixels.insert(pixels.end(), {colour.b, colour.g, colour.r, colour.a});
    return pixels;
}

const std::uint8_t* at(const Pixels& pixels, int width, int x, int y)
{
    return pixels.data() + (static_cast<std::size_t>(y) * width + x) * 4;
}

TEST(ScaleRule, SizesFollowTheBaseFactorAndTheScale)
{
    struct Case {
        ImageSize stored;
        float base;
        float mag;
        ImageSize expected;
    };
    const Case cases[] = {
        {{576, 96}, 0.305f, 1.0f, {175, 29}},
        {{576, 96}, 0.305f, 2.0f, {351, 58}},
        {{576, 96}, 0.305f, 4.0f, {576, 96}}, // F = 1.22: never enlarged
        {{592, 592}, 0.2f, 1.25f, {148, 148}},
        {{592, 592}, 0.2f, 1.0f, {118, 118}},
        {{592, 592}, 0.2f, 5.0f, {592, 592}}, // F = 1.0 exactly: stored size
        {{592, 592}, 0.12f, 1.0f, {71, 71}},
        {{592, 592}, 0.2f, 0.5f, {118, 118}}, // a scale below 1 does not shrink further
        {{1082, 934}, 0.3f, 1.0f, {324, 280}},
        {{30, 30}, 0.01f, 1.0f, {1, 1}},
    };
    for (const auto& c : cases) {
        const ImageSize size = scaledImageSize(c.stored, c.base, c.mag);
        EXPECT_EQ(size.width, c.expected.width) << c.stored.width << " at " << c.base << " x " << c.mag;
        EXPECT_EQ(size.height, c.expected.height) << c.stored.height << " at " << c.base << " x " << c.mag;
    }
    EXPECT_EQ(scaledFontHeight(17, 1.0f), 17);
    EXPECT_EQ(scaledFontHeight(17, 1.5f), 25);
    EXPECT_EQ(scaledFontHeight(22, 1.2598f), 27);
}

TEST(ShrinkImage, ProducesTheScaledSize)
{
    Pixels pixels = filled(576, 96, {10, 20, 30, 255});
    const ImageSize size = scaledImageSize({576, 96}, 0.305f, 1.0f);
    ASSERT_TRUE(shrinkImage(pixels, 576, 96, size.width, size.height));
    ASSERT_EQ(pixels.size(), 175u * 29u * 4u);
    // A uniform image stays uniform.
    for (int i = 0; i < 175 * 29; ++i) {
        ASSERT_EQ(pixels[i * 4 + 0], 10);
        ASSERT_EQ(pixels[i * 4 + 1], 20);
        ASSERT_EQ(pixels[i * 4 + 2], 30);
        ASSERT_EQ(pixels[i * 4 + 3], 255);
    }
}

TEST(ShrinkImage, SameSizeIsAnUnchangedCopy)
{
    Pixels pixels(7 * 5 * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint8_t>(i * 37 + 11);
    const Pixels original = pixels;
    ASSERT_TRUE(shrinkImage(pixels, 7, 5, 7, 5));
    EXPECT_EQ(pixels, original);
}

TEST(ShrinkImage, HandComputedBilinearValues)
{
    // 4 × 2 to 2 × 1: every target pixel is the mean of a 2 × 2 block; channels kept apart.
    const std::uint8_t blue[2][4] = {{0, 10, 20, 30}, {40, 50, 60, 70}};
    Pixels pixels;
    for (const auto& row : blue)
        for (const std::uint8_t value : row)
            pixels.insert(pixels.end(), {value, std::uint8_t(value + 1), std::uint8_t(value + 2), 255});
    ASSERT_TRUE(shrinkImage(pixels, 4, 2, 2, 1));
    ASSERT_EQ(pixels, (Pixels{25, 26, 27, 255, 45, 46, 47, 255}));

    // 3 to 2 in one direction: sample positions 0.25 and 1.75.
    Pixels row{0, 0, 0, 0, 100, 100, 100, 100, 200, 200, 200, 200};
    row.insert(row.end(), row.begin(), row.end()); // two equal rows
    ASSERT_TRUE(shrinkImage(row, 3, 2, 2, 2));
    EXPECT_EQ(row, (Pixels{25, 25, 25, 25, 175, 175, 175, 175, 25, 25, 25, 25, 175, 175, 175, 175}));

    // The same in the other direction, with the top row first in the array.
    Pixels column{0,   0,   0,   0,   0,   0,   0,   0,   100, 100, 100, 100,
                  100, 100, 100, 100, 200, 200, 200, 200, 200, 200, 200, 200};
    ASSERT_TRUE(shrinkImage(column, 2, 3, 2, 2));
    EXPECT_EQ(column, (Pixels{25, 25, 25, 25, 25, 25, 25, 25, 175, 175, 175, 175, 175, 175, 175, 175}));
}

TEST(ShrinkImage, TransparencySurvivesAndEdgesGetIntermediateAlpha)
{
    // Left half an opaque colour, right half fully transparent.
    const int width = 200, height = 40;
    Pixels pixels = filled(width, height, {0, 0, 0, 0});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x)
            pixels[(static_cast<std::size_t>(y) * width + x) * 4 +
                   0] = 200,
                   pixels[(static_cast<std::size_t>(y) * width + x) * 4 + 3] = 255;
    const int newWidth = 61, newHeight = 12;
    ASSERT_TRUE(shrinkImage(pixels, width, height, newWidth, newHeight));

    bool intermediate = false;
    for (int y = 0; y < newHeight; ++y) {
        EXPECT_EQ(at(pixels, newWidth, 0, y)[3], 255);
        EXPECT_EQ(at(pixels, newWidth, newWidth - 1, y)[3], 0);
        for (int x = 0; x < newWidth; ++x) {
            const std::uint8_t* pixel = at(pixels, newWidth, x, y);
            if (pixel[3] == 0)
                EXPECT_EQ(pixel[0], 0) << "a transparent pixel picked up colour at " << x;
            intermediate = intermediate || (pixel[3] > 0 && pixel[3] < 255);
            if (x > 0)
                EXPECT_LE(pixel[3], at(pixels, newWidth, x - 1, y)[3]);
        }
    }
    EXPECT_TRUE(intermediate);
}

TEST(ShrinkImage, EdgeColumnsAndRowsStayInsideTheImage)
{
    // Keeping one dimension puts the last sample exactly on the last column (and 2160 to 2159 comes within
    // rounding of it); the value there must be the last column's own.
    const int width = 2160, height = 3;
    Pixels pixels = filled(width, height, {1, 2, 3, 255});
    for (int y = 0; y < height; ++y) {
        std::uint8_t* last = pixels.data() + (static_cast<std::size_t>(y) * width + width - 1) * 4;
        last[0] = 250;
    }
    Pixels narrow = pixels;
    ASSERT_TRUE(shrinkImage(narrow, width, height, width, 2));
    EXPECT_EQ(at(narrow, width, width - 1, 0)[0], 250);
    EXPECT_EQ(at(narrow, width, width - 2, 1)[0], 1);

    ASSERT_TRUE(shrinkImage(pixels, width, height, width - 1, height));
    EXPECT_GT(at(pixels, width - 1, width - 2, 0)[0], 1);
}

TEST(ShrinkImage, RefusesWhatIsNotAReduction)
{
    struct Case {
        int width, height, newWidth, newHeight;
        std::size_t bytes;
    };
    const Case cases[] = {
        {4, 4, 5, 4, 64}, // wider
        {4, 4, 4, 5, 64}, // taller
        {4, 4, 0, 2, 64}, // empty
        {1, 4, 1, 2, 16}, // too narrow to interpolate
        {4, 4, 2, 2, 60}, // buffer shorter than the image
    };
    for (const auto& c : cases) {
        Pixels pixels(c.bytes, 9);
        const Pixels original = pixels;
        EXPECT_FALSE(shrinkImage(pixels, c.width, c.height, c.newWidth, c.newHeight)) << c.newWidth;
        EXPECT_EQ(pixels, original);
    }
}

} // namespace
} // namespace yk
