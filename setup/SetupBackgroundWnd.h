// SetupBackgroundWnd: the setup's full-screen background, a borderless pop-up
// window titled "Setup" that covers the screen beyond its edges, so that no
// frame shows. It shows one picture of the whole window: a vertical colour
// gradient, with the logos drawn onto it at start-up. The part of the picture
// under the screen is handed out as the screen's picture, in screen
// coordinates.
#pragma once

#include "toolkit/KIVFrameWnd.h"
#include "toolkit/resources/KIVDrawBuffer.h"

#include <vector>

class SetupBackgroundWnd : public KIVFrameWnd {
public:
    // The gradient's colours, as the picture's pixels hold them (blue in the
    // low byte).
    static constexpr DWORD kTopColour = 0x00B3B9D0;    // blue 208, green 185, red 179
    static constexpr DWORD kTargetColour = 0x00EBEBF4; // blue 244, green 235, red 235

    // Makes the window (hidden) over a screen of that size; false when the
    // platform refuses it.
    bool Create(int screenWidth, int screenHeight);
    // The picture under the visible screen, its (0, 0) at the screen's top-left.
    KIVDrawBuffer ScreenPicture();
    // Fills the whole picture with the gradient: each colour component starts
    // at its top value and grows by (target - top) / height a row, computed
    // in floating point and stored truncated; the fourth byte is 0.
    void FillGradient();
    // Draws the picture again at once.
    void Repaint();

protected:
    void OnPaint() override;

private:
    std::vector<DWORD> pixels_;
    int width_ = 0;
    int height_ = 0;
    int offsetX_ = 0; // where the screen's (0, 0) lies in the window
    int offsetY_ = 0;
};

// The gradient's colour of a row of a picture of that height.
DWORD SetupGradientColour(int row, int height);
