#include "ui/SkinnedDialog.h"

#include <algorithm>

#include "base/TextCatalog.h"
#include "ui/SkinImage.h"

namespace yk {

namespace {

constexpr float kButtonPictureFactor = 0.15f;

} // namespace

SkinnedDialog::SkinnedDialog(int templateId, float mag, COLORREF background)
    : DialogBase(templateId), mag_(mag), colours_(background)
{
}

HFONT SkinnedDialog::font(int size, int weight)
{
    for (const Font& existing : fonts_)
        if (existing.size == size && existing.weight == weight)
            return existing.handle.get();
    fonts_.push_back(Font{size, weight, makeSkinFont(size, weight, mag_)});
    return fonts_.back().handle.get();
}

void SkinnedDialog::setAppCaption()
{
    SetWindowTextW(hwnd(), loadCatalogText(IDS_APP_NAME).c_str());
}

void SkinnedDialog::putText(int controlId, const std::wstring& text, HFONT font, COLORREF colour, TextBackdrop backdrop)
{
    SendMessageW(item(controlId), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetDlgItemTextW(hwnd(), controlId, text.c_str());
    colours_.setText(controlId, colour, backdrop);
}

void SkinnedDialog::putPicture(int controlId, int imageId, float baseFactor)
{
    colours_.setPicture(controlId);
    showSkinPicture(item(controlId), imageId, baseFactor, mag_);
}

void SkinnedDialog::putButton(int pictureId, int textId, int imageId, const std::wstring& caption, HFONT font,
                              INT_PTR result)
{
    putPicture(pictureId, imageId, kButtonPictureFactor);
    putText(textId, caption, font, palette::kButtonCaption, TextBackdrop::Picture);
    for (Button& button : buttons_) {
        if (button.pictureId == pictureId) {
            button = Button{pictureId, textId, result};
            return;
        }
    }
    buttons_.push_back(Button{pictureId, textId, result});
}

void SkinnedDialog::fitTextInBand(int controlId, HFONT font)
{
    const HWND field = item(controlId);
    const RECT band = rectInDialog(hwnd(), field);
    centreTextInBand(hwnd(), field, font);
    const LONG excess = rectInDialog(hwnd(), field).bottom - band.bottom;
    if (excess <= 0)
        return;
    for (HWND control = GetWindow(hwnd(), GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        const RECT place = rectInDialog(hwnd(), control);
        if (control != field && place.top >= band.bottom)
            SetWindowPos(control, nullptr, place.left, place.top + excess, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT window{};
    GetWindowRect(hwnd(), &window);
    SetWindowPos(hwnd(), nullptr, window.left, std::max(0L, window.top - excess / 2), window.right - window.left,
                 window.bottom - window.top + excess, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool SkinnedDialog::onCommand(int id, int code, HWND /*control*/)
{
    // Enter and Escape (and a close request, which arrives as IDCANCEL) do nothing: only a button ends
    // the dialog.
    if (id == IDOK || id == IDCANCEL)
        return true;
    if (code != STN_CLICKED)
        return false;
    for (const Button& button : buttons_) {
        if (id == button.pictureId || id == button.textId) {
            onButton(button.result);
            return true;
        }
    }
    return false;
}

HBRUSH SkinnedDialog::onCtlColor(HDC dc, HWND control, UINT message)
{
    return colours_.colourFor(dc, control, message);
}

} // namespace yk
