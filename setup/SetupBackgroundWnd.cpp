#include "setup/SetupBackgroundWnd.h"

#include "toolkit/KIVPixelCopy.h"

#include <algorithm>

namespace {

int Component(DWORD colour, int shift) {
    return static_cast<int>((colour >> shift) & 0xFF);
}

} // namespace

DWORD SetupGradientColour(int row, int height) {
    using Background = SetupBackgroundWnd;
    DWORD colour = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int top = Component(Background::kTopColour, shift);
        const int target = Component(Background::kTargetColour, shift);
        const double step = height > 0 ? static_cast<double>(target - top) / height : 0.0;
        const auto value = static_cast<DWORD>(top + step * row);
        colour |= (value & 0xFF) << shift;
    }
    return colour;
}

bool SetupBackgroundWnd::Create(int screenWidth, int screenHeight) {
    const int frameX = ::GetSystemMetrics(SM_CXFRAME);
    const int frameY = ::GetSystemMetrics(SM_CYFRAME);
    offsetX_ = frameX + 2;
    offsetY_ = frameY + 2;
    width_ = screenWidth + 2 * frameX + 4;
    height_ = screenHeight + 2 * frameY + 4;
    pixels_.assign(static_cast<std::size_t>(width_) * height_, 0);
    const RECT rect{-offsetX_, -offsetY_, width_ - offsetX_, height_ - offsetY_};
    return KIVFrameWnd::Create(u"Setup", WS_POPUP, rect);
}

KIVDrawBuffer SetupBackgroundWnd::ScreenPicture() {
    KIVDrawBuffer picture;
    picture.pixels = pixels_.data() + static_cast<std::size_t>(offsetY_) * width_ + offsetX_;
    picture.width = width_ - 2 * offsetX_;
    picture.height = height_ - 2 * offsetY_;
    picture.stride = width_;
    picture.clip = RECT{0, 0, picture.width, picture.height};
    return picture;
}

void SetupBackgroundWnd::FillGradient() {
    for (int y = 0; y < height_; ++y) {
        const DWORD colour = SetupGradientColour(y, height_);
        std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_, width_, colour);
    }
}

void SetupBackgroundWnd::Repaint() {
    if (!m_hWnd)
        return;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
}

void SetupBackgroundWnd::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(m_hWnd, &paint);
    KIVCopyPixels(dc, pixels_.data(), width_, height_, paint.rcPaint);
    ::EndPaint(m_hWnd, &paint);
}
