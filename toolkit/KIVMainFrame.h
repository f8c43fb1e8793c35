// KIVMainFrame: a frame window that shows an off-screen picture of a fixed
// size, which its owner paints (the setup's background window).
#pragma once

#include "toolkit/KIVFrameWnd.h"
#include "toolkit/resources/KIVDrawBuffer.h"

#include <vector>

class KIVMainFrame : public KIVFrameWnd {
public:
    static constexpr DWORD kBlank = 0x00000000;

    KIVMainFrame(int width, int height);

    // The whole picture to draw into; call Invalidate to show what changed.
    KIVDrawBuffer Picture();
    int PictureWidth() const { return width_; }
    int PictureHeight() const { return height_; }

protected:
    void OnPaint() override;

private:
    int width_;
    int height_;
    std::vector<DWORD> picture_;
};
