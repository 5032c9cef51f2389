// The side menu of the main window: seven items (a picture with a text on it), the logo, their colours,
// and the highlight that follows the page shown.
#pragma once

#include <windows.h>

#include <vector>

#include "base/Win32Handles.h"
#include "ui/DialogSkin.h"

namespace yk {

class SideMenu {
public:
    // The menu font, the pictures of all items in their normal form, the logo, and the texts in the current
    // language; once, at the main window's scale.
    void create(HWND mainWindow, float mag);

    // Puts the normal or highlighted picture into the item of a selection (1 to 6) and repaints the item.
    void setHighlight(int selection, bool highlighted);

    // The main window's control colours: its background, the menu texts, the transparent pictures.
    HBRUSH colourFor(HDC dc, HWND control, UINT message) const { return colours_.colourFor(dc, control, message); }

private:
    HWND window_ = nullptr;
    float mag_ = 1.0f;
    UniqueFont menuFont_;
    // Smaller fonts for the texts that would not fit the side bar at the menu font.
    std::vector<UniqueFont> fittedFonts_;
    ControlColours colours_{palette::kPageBackground};
};

} // namespace yk
