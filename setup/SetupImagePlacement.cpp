#include "setup/SetupImagePlacement.h"

int LogoMargin(int screenWidth) {
    return screenWidth / 10 - 40;
}

RECT ProductLogoRect(int screenWidth, SIZE logo) {
    const int a = LogoMargin(screenWidth);
    return RECT{a, a, a + logo.cx, a + logo.cy};
}

RECT MakerLogoBox(int screenWidth, int screenHeight, int frameHeight) {
    const int a = LogoMargin(screenWidth);
    const int d = (frameHeight + 2) + a / 10 + 20;
    return RECT{screenWidth - a - kMakerLogoSize.cx, screenHeight - d - kMakerLogoSize.cy,
                screenWidth - a, screenHeight - d};
}

RECT MakerLogoRect(const RECT& box, SIZE logo) {
    return RECT{box.right - logo.cx, box.bottom - logo.cy, box.right, box.bottom};
}

RECT CentreCanvasRect(int screenWidth, int screenHeight) {
    return RECT{(screenWidth - kCentreCanvasSize.cx) / 2, (screenHeight - kCentreCanvasSize.cy) / 2,
                (screenWidth + kCentreCanvasSize.cx) / 2,
                (screenHeight + kCentreCanvasSize.cy) / 2};
}
