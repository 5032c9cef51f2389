#include "app/SideBarBackground.h"

#include "skin_ids.h"
#include "ui/SkinImage.h"

namespace yk {

bool SideBarBackground::prepare(HDC dc, int width, int height)
{
    if (stretched_ && width == width_ && height == height_)
        return true;
    stretched_.reset();
    const auto image = loadSkinImage(IDB_SIDEBAR_BACKGROUND);
    if (!image || width <= 0 || height <= 0)
        return false;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image->width;
    info.bmiHeader.biHeight = -image->height; // the pixels are top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    UniqueBitmap target(CreateCompatibleBitmap(dc, width, height));
    const UniqueMemoryDC memory(CreateCompatibleDC(dc));
    if (!target || !memory.get())
        return false;
    const HGDIOBJ previous = SelectObject(memory.get(), target.get());
    SetStretchBltMode(memory.get(), HALFTONE);
    SetBrushOrgEx(memory.get(), 0, 0, nullptr);
    const int copied = StretchDIBits(memory.get(), 0, 0, width, height, 0, 0, image->width, image->height,
                                     image->pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    SelectObject(memory.get(), previous);
    if (copied == 0)
        return false;
    stretched_ = std::move(target);
    width_ = width;
    height_ = height;
    return true;
}

void SideBarBackground::paint(HDC dc, const RECT& client)
{
    const int width = (client.right - client.left) / 4;
    const int height = client.bottom - client.top;
    if (!prepare(dc, width, height))
        return;
    const UniqueMemoryDC memory(CreateCompatibleDC(dc));
    const HGDIOBJ previous = SelectObject(memory.get(), stretched_.get());
    BitBlt(dc, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
    SelectObject(memory.get(), previous);
}

} // namespace yk
