// The main window's scale: how much larger than at the reference density its client area came out.
#pragma once

namespace yk {

// The client size of the main window's template at 96 dpi.
inline constexpr int kReferenceClientWidth = 768;
inline constexpr int kReferenceClientHeight = 468;

// Base factors of the side menu's pictures (Part of the skin's scale rule: f × mag above 1, else f).
inline constexpr float kMenuImageFactor = 0.305f;
inline constexpr float kLogoImageFactor = 0.52f;

// `mag` for a client area of width × height pixels: 1.0 up to the reference size, otherwise the smaller of
// the two ratios, cut (not rounded) to four decimals.
float computeMag(int clientWidth, int clientHeight);

} // namespace yk
