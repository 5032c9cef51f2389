#include "ui/SkinImage.h"

#include <commctrl.h>
#include <objidl.h>
#include <shlwapi.h>

#include <gdiplus.h>

#include <cstring>

#include "base/Win32Handles.h"
#include "ui/ScaleRule.h"
#include "ui/ShrinkImage.h"

namespace yk {
namespace {

constexpr UINT_PTR kPictureSubclassId = 0x594B5049; // identifies our subclass among others on the control
constexpr LONG_PTR kStaticTypeMask = 0x0F;
constexpr LONG_PTR kCentredBitmapStyle = SS_BITMAP | SS_CENTERIMAGE;

class ComStream {
public:
    explicit ComStream(IStream* stream) : stream_(stream) {}
    ~ComStream()
    {
        if (stream_)
            stream_->Release();
    }
    ComStream(const ComStream&) = delete;
    ComStream& operator=(const ComStream&) = delete;
    IStream* get() const { return stream_; }

private:
    IStream* stream_;
};

// Releases the bitmap a picture control still holds when the control goes away; the control itself
// never frees a bitmap it was given, nor the copy it made of one with transparency.
LRESULT CALLBACK pictureSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    if (message == WM_NCDESTROY) {
        if (const auto held = reinterpret_cast<HBITMAP>(
                SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(nullptr))))
            DeleteObject(held);
        RemoveWindowSubclass(control, pictureSubclassProc, id);
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

} // namespace

GdiplusSession::GdiplusSession()
{
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok)
        token_ = 0;
}

GdiplusSession::~GdiplusSession()
{
    if (token_)
        Gdiplus::GdiplusShutdown(token_);
}

std::optional<SkinImage> loadSkinImage(int resourceId)
{
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"PNG");
    if (!resource)
        return std::nullopt;
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    const DWORD size = SizeofResource(module, resource);
    if (!data || size == 0)
        return std::nullopt;

    const GdiplusSession session;
    if (!session)
        return std::nullopt;
    const ComStream stream(SHCreateMemStream(data, size));
    if (!stream.get())
        return std::nullopt;
    Gdiplus::Bitmap bitmap(stream.get());
    if (bitmap.GetLastStatus() != Gdiplus::Ok)
        return std::nullopt;

    SkinImage image;
    image.width = static_cast<int>(bitmap.GetWidth());
    image.height = static_cast<int>(bitmap.GetHeight());
    if (image.width <= 0 || image.height <= 0)
        return std::nullopt;
    // 32bppARGB is straight alpha, stored blue, green, red, alpha.
    Gdiplus::Rect area(0, 0, image.width, image.height);
    Gdiplus::BitmapData locked{};
    if (bitmap.LockBits(&area, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &locked) != Gdiplus::Ok)
        return std::nullopt;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    image.pixels.resize(rowBytes * image.height);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(image.pixels.data() + rowBytes * y, static_cast<const BYTE*>(locked.Scan0) + locked.Stride * y,
                    rowBytes);
    bitmap.UnlockBits(&locked);
    return image;
}

void setPictureImage(HWND control, const SkinImage& image)
{
    if (!control || image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 4)
        return;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = image.height; // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    for (int y = 0; y < image.height; ++y)
        std::memcpy(static_cast<BYTE*>(bits) + rowBytes * (image.height - 1 - y), image.pixels.data() + rowBytes * y,
                    rowBytes);
    GdiFlush();

    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    SetWindowLongPtrW(control, GWL_STYLE, (style & ~kStaticTypeMask) | kCentredBitmapStyle);
    SetWindowSubclass(control, pictureSubclassProc, kPictureSubclassId, 0);

    const auto previous = reinterpret_cast<HBITMAP>(
        SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get())));
    if (previous && previous != bitmap.get())
        DeleteObject(previous);
    // A control takes a copy only of an image with some alpha; otherwise it now draws from ours, which
    // it must keep until the next image or its destruction hands it back.
    const auto held = reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (held == bitmap.get())
        bitmap.release();
}

bool showSkinPicture(HWND control, int resourceId, float baseFactor, float mag)
{
    auto image = loadSkinImage(resourceId);
    if (!image)
        return false;
    const ImageSize stored{image->width, image->height};
    const ImageSize size = scaledImageSize(stored, baseFactor, mag);
    if (size != stored && shrinkImage(image->pixels, stored.width, stored.height, size.width, size.height)) {
        image->width = size.width;
        image->height = size.height;
    }
    setPictureImage(control, *image);
    return true;
}

} // namespace yk
