#include "ui/DialogSkin.h"

#include <algorithm>
#include <string>

#include "ui/ScaleRule.h"

namespace yk {

namespace {

constexpr BYTE kSwissPitchAndFamily = 0x20;

// The flags a word-wrapping static control draws its text with (SS_NOPREFIX, SS_EDITCONTROL).
constexpr UINT kStaticTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL;

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

UniqueFont makeSkinFont(int size, int weight, float mag, bool underline)
{
    return UniqueFont(CreateFontW(scaledFontHeight(size, mag), 0, 0, 0, weight, FALSE, underline, FALSE, ANSI_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, kSwissPitchAndFamily,
                                  L"微軟正黑體"));
}

bool textFitsControl(HWND control, const std::wstring& text, HFONT font, int width)
{
    if (width <= 0) {
        RECT client{};
        GetClientRect(control, &client);
        width = client.right - client.left;
    }
    const HDC dc = GetDC(control);
    if (!dc)
        return true;
    const HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return extent.cx <= width;
}

UniqueFont makeFittingSkinFont(HWND control, const std::wstring& text, int size, int weight, float mag, int width)
{
    UniqueFont font = makeSkinFont(size, weight, mag);
    for (int smaller = size - 1; smaller >= size / 2 && !textFitsControl(control, text, font.get(), width); --smaller)
        font = makeSkinFont(smaller, weight, mag);
    return font;
}

RECT rectInDialog(HWND dialog, HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

ControlColours::ControlColours(COLORREF background)
    : background_(CreateSolidBrush(background)), field_(CreateSolidBrush(palette::kWhite))
{
}

void ControlColours::setText(int controlId, COLORREF colour, TextBackdrop backdrop)
{
    setRule(Rule{controlId, false, colour, backdrop});
}

void ControlColours::setPicture(int controlId)
{
    setRule(Rule{controlId, true, 0, TextBackdrop::Picture});
}

void ControlColours::setPictureOnBackground(int controlId, TextBackdrop backdrop)
{
    setRule(Rule{controlId, true, 0, backdrop});
}

HBRUSH ControlColours::brushFor(TextBackdrop backdrop) const
{
    switch (backdrop) {
    case TextBackdrop::Background:
        return background_.get();
    case TextBackdrop::Field:
        return field_.get();
    case TextBackdrop::Picture:
        break;
    }
    return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
}

void ControlColours::setRule(const Rule& rule)
{
    for (Rule& existing : rules_) {
        if (existing.id == rule.id) {
            existing = rule;
            return;
        }
    }
    rules_.push_back(rule);
}

const ControlColours::Rule* ControlColours::ruleFor(int controlId) const
{
    for (const Rule& rule : rules_)
        if (rule.id == controlId)
            return &rule;
    return nullptr;
}

HBRUSH ControlColours::colourFor(HDC dc, HWND control, UINT message) const
{
    if (message == WM_CTLCOLORDLG)
        return background_.get();
    if (message != WM_CTLCOLORSTATIC)
        return nullptr;
    const Rule* rule = ruleFor(GetDlgCtrlID(control));
    if (!rule)
        return nullptr;
    if (!rule->picture) {
        SetTextColor(dc, rule->colour);
        SetBkMode(dc, TRANSPARENT);
    }
    return brushFor(rule->backdrop);
}

void paintRowFrame(HDC dc, const RECT& area)
{
    const UniqueBrush fill(CreateSolidBrush(palette::kWhite));
    const GdiObject<HPEN> border(CreatePen(PS_SOLID, 1, RGB(228, 230, 235)));
    const HGDIOBJ oldBrush = SelectObject(dc, fill.get());
    const HGDIOBJ oldPen = SelectObject(dc, border.get());
    const int corner = std::min<int>(area.bottom - area.top, 24);
    RoundRect(dc, area.left, area.top, area.right, area.bottom, corner, corner);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

void centreTextInBand(HWND dialog, HWND field, HFONT font)
{
    const RECT band = rectInDialog(dialog, field);

    const std::wstring text = windowText(field);
    RECT measured{0, 0, band.right - band.left, 0};
    if (const HDC dc = GetDC(field)) {
        const HGDIOBJ previous = SelectObject(dc, font);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, kStaticTextFormat | DT_CALCRECT);
        SelectObject(dc, previous);
        ReleaseDC(field, dc);
    }
    const LONG textBottom = band.top + (measured.bottom - measured.top);
    LONG top = band.top;
    LONG bottom = textBottom;
    if (textBottom < band.bottom) {
        const LONG margin = (band.bottom - textBottom) / 2;
        top = band.top + margin;
        bottom = band.bottom - margin;
    }
    MoveWindow(field, band.left, top, band.right - band.left, bottom - top, TRUE);
}

} // namespace yk
