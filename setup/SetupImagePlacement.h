// SetupImagePlacement: where the setup's pictures go on the full-screen
// background window, for a screen of sw x sh pixels. All divisions are of
// integers, truncated toward zero.
//
//   a = sw / 10 - 40                     the margin of the logos
//   product logo   (a, a, a + w, a + h)  its top-left corner at (a, a)
//   maker box      150 x 62, its bottom-right corner at
//                  (sw - a, sh - d) with d = (frame height + 2) + a / 10 + 20
//   maker logo     anchored at the box's bottom-right corner, so that a logo
//                  smaller than the box is drawn where it is repainted
//   centre canvas  640 x 480 centred on the screen
#pragma once

#include "platform/WinUser.h"

constexpr SIZE kLeftImageSize{113, 353};
constexpr SIZE kProductLogoSize{800, 800};
constexpr SIZE kMakerLogoSize{150, 62};
constexpr SIZE kCentreCanvasSize{640, 480};

int LogoMargin(int screenWidth);
RECT ProductLogoRect(int screenWidth, SIZE logo);
// frameHeight: the vertical window-frame size (SM_CYFRAME).
RECT MakerLogoBox(int screenWidth, int screenHeight, int frameHeight);
RECT MakerLogoRect(const RECT& box, SIZE logo);
RECT CentreCanvasRect(int screenWidth, int screenHeight);
