// The look shared by every skinned dialog: palette, fonts at the window's scale, per-control colours.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/Win32Handles.h"

namespace yk {

namespace palette {
inline constexpr COLORREF kPageBackground = RGB(246, 247, 249);
inline constexpr COLORREF kPopupBackground = RGB(251, 252, 253);
inline constexpr COLORREF kPopupText = RGB(7, 7, 7);
inline constexpr COLORREF kButtonCaption = RGB(19, 19, 20);
inline constexpr COLORREF kSecondaryText = RGB(88, 89, 91);
inline constexpr COLORREF kStatusText = RGB(116, 117, 119);
inline constexpr COLORREF kDimmedText = RGB(150, 150, 150);
inline constexpr COLORREF kPageTitle = RGB(75, 75, 75);
inline constexpr COLORREF kPageLabel = RGB(58, 59, 61);
inline constexpr COLORREF kSectionHeader = RGB(149, 150, 150);
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
} // namespace palette

// A control's rectangle in its dialog's client coordinates.
RECT rectInDialog(HWND dialog, HWND control);

// The skin's font: face "微軟正黑體", cell height trunc(size × mag), the given weight.
UniqueFont makeSkinFont(int size, int weight, float mag, bool underline = false);

// The skin font for a single line of text in a control: cell height trunc(size × mag) when the text fits
// `width` pixels (0: the control's width), else the largest smaller size at which it does (down to half the
// size), so that a long translation is never cut off.
UniqueFont makeFittingSkinFont(HWND control, const std::wstring& text, int size, int weight, float mag, int width = 0);

// Whether a single line of text fits `width` pixels (0: the control's width) in that font.
bool textFitsControl(HWND control, const std::wstring& text, HFONT font, int width = 0);

// What lies under a control: the plain dialog background, a picture (a button caption, or a picture over
// the window's own painting), where nothing may be painted over it, or the white frame of a page's row.
enum class TextBackdrop { Background, Picture, Field };

// The control-colour rules of one dialog: the background brush and the white field brush (made once,
// released with the rules), text fields with their colour and transparent background, pictures, and default
// colours for everything else.
class ControlColours {
public:
    explicit ControlColours(COLORREF background);

    // One rule per control; setting it again replaces it.
    void setText(int controlId, COLORREF colour, TextBackdrop backdrop);
    // A picture drawn with the hollow brush: what lies under it shows through its transparent parts.
    void setPicture(int controlId);
    // A picture whose image changes: drawn on that backdrop's brush, so the old image never shows through.
    void setPictureOnBackground(int controlId, TextBackdrop backdrop = TextBackdrop::Background);

    // The answer to a WM_CTLCOLOR* message; null means "default colours".
    HBRUSH colourFor(HDC dc, HWND control, UINT message) const;

private:
    struct Rule {
        int id;
        bool picture;
        COLORREF colour;
        TextBackdrop backdrop;
    };
    void setRule(const Rule& rule);
    const Rule* ruleFor(int controlId) const;
    HBRUSH brushFor(TextBackdrop backdrop) const;

    UniqueBrush background_;
    UniqueBrush field_;
    std::vector<Rule> rules_;
};

// The white, finely bordered frame with rounded corners that groups a row of a page.
void paintRowFrame(HDC dc, const RECT& area);

// Centres a field's word-wrapped text vertically in the field's band, or lets the field grow downward when
// the text is taller than the band, so that nothing is cut.
void centreTextInBand(HWND dialog, HWND field, HFONT font);

} // namespace yk
