// The side bar behind the menu: a skin picture stretched over the left quarter of the main window.
#pragma once

#include <windows.h>

#include "base/Win32Handles.h"

namespace yk {

class SideBarBackground {
public:
    // Draws the picture over (0, 0) to (width / 4, height) of the client area. The stretched picture is made
    // at the first paint and again only when the window's size changes.
    void paint(HDC dc, const RECT& client);

private:
    bool prepare(HDC dc, int width, int height);

    UniqueBitmap stretched_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace yk
