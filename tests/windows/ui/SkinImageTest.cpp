#include <gtest/gtest.h>

#include <windows.h>

#include "support/BoxDriver.h"
#include "skin_ids.h"
#include "ui/SkinImage.h"

namespace yk {
namespace {

// Between the logo (194) and the first function picture (196): no image has it.
constexpr int kUnusedImageId = 195;

TEST(SkinImage, DecodesThePngResourcesWithStraightAlpha)
{
    const struct {
        int id;
        int width, height;
    } cases[] = {
        {IDB_SIDEBAR_BACKGROUND, 960, 2160}, {IDB_DIALOG_BUTTON_WIDE, 1904, 200}, {IDB_DIALOG_BUTTON_HALF, 920, 192},
        {IDB_COMPUTER_GEAR, 592, 592},       {IDB_HOME_CONNECTED, 1082, 934},     {IDB_TOP_GEAR, 40, 40},
    };
    for (const auto& c : cases) {
        const auto image = loadSkinImage(c.id);
        ASSERT_TRUE(image.has_value()) << c.id;
        EXPECT_EQ(image->width, c.width);
        EXPECT_EQ(image->height, c.height);
        EXPECT_EQ(image->pixels.size(), static_cast<std::size_t>(c.width) * c.height * 4);
    }
    EXPECT_FALSE(loadSkinImage(kUnusedImageId).has_value());

    // Light anti-aliased edges keep their colour at partial coverage: a colour above its alpha cannot be
    // premultiplied. Fully transparent pixels exist around the round icon.
    const auto icon = loadSkinImage(IDB_COMPUTER_GEAR);
    ASSERT_TRUE(icon.has_value());
    bool straight = false, transparent = false;
    for (std::size_t i = 0; i < icon->pixels.size(); i += 4) {
        const std::uint8_t alpha = icon->pixels[i + 3];
        transparent = transparent || alpha == 0;
        straight = straight || (alpha > 0 && alpha < 128 && icon->pixels[i] > alpha);
    }
    EXPECT_TRUE(transparent);
    EXPECT_TRUE(straight);
}

TEST(SkinImage, PictureControlsBecomeCentredBitmapsOfTheScaledSize)
{
    const HWND parent = CreateWindowW(L"Static", L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
    const HWND control = CreateWindowW(L"Static", L"text", WS_CHILD | SS_CENTER | SS_NOTIFY, 10, 10, 120, 110, parent,
                                       nullptr, nullptr, nullptr);
    ASSERT_TRUE(control);

    EXPECT_FALSE(showSkinPicture(control, kUnusedImageId, 0.2f, 1.0f));
    EXPECT_EQ(test::pictureBits(control).size(), 0u);

    ASSERT_TRUE(showSkinPicture(control, IDB_COMPUTER_GEAR, 0.2f, 1.0f));
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    EXPECT_EQ(style & 0x0F, SS_BITMAP);
    EXPECT_NE(style & SS_CENTERIMAGE, 0);
    EXPECT_NE(style & SS_NOTIFY, 0) << "other style bits must survive";
    EXPECT_EQ(test::pictureBits(control).size(), 118u * 118u * 4u);
    RECT place{};
    GetClientRect(control, &place);
    EXPECT_EQ(place.right, 120) << "a centred picture keeps the control's size";
    EXPECT_EQ(place.bottom, 110);

    // A second picture replaces the first.
    ASSERT_TRUE(showSkinPicture(control, IDB_COMPUTER_GEAR, 0.2f, 1.25f));
    EXPECT_EQ(test::pictureBits(control).size(), 148u * 148u * 4u);
    DestroyWindow(parent);
}

} // namespace
} // namespace yk
