// Skin pictures: decoding the PNG resources, handing them to picture controls at the window's scale.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace yk {

// Straight-alpha pixels in the byte order blue, green, red, alpha; rows top-down without gaps.
struct SkinImage {
    std::vector<std::uint8_t> pixels;
    int width = 0;
    int height = 0;
};

// Keeps the image codec started while it lives. loadSkinImage starts it for itself when nobody holds one;
// holding one for the program's lifetime spares each load the start-up.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    explicit operator bool() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

// The "PNG" resource with that id in the program's own module, decoded; nothing when it is missing or
// cannot be decoded.
std::optional<SkinImage> loadSkinImage(int resourceId);

// Turns the control into a centred bitmap control showing the image. The control draws from its own copy
// of an image with transparency; whatever bitmap it holds is released when the next image replaces it or
// when the control is destroyed.
void setPictureImage(HWND control, const SkinImage& image);

// The pattern of every skinned dialog: load, reduce by the scale rule, hand to the control. A missing
// resource leaves the control as it was; false then.
bool showSkinPicture(HWND control, int resourceId, float baseFactor, float mag);

} // namespace yk
