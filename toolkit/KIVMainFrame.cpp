#include "toolkit/KIVMainFrame.h"

#include "toolkit/KIVPixelCopy.h"

#include <algorithm>

KIVMainFrame::KIVMainFrame(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      picture_(static_cast<std::size_t>(width_) * height_, kBlank) {}

KIVDrawBuffer KIVMainFrame::Picture() {
    return KIVDrawBuffer{picture_.data(), width_, height_, width_, RECT{0, 0, width_, height_}};
}

void KIVMainFrame::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(m_hWnd, &paint);
    KIVCopyPixels(dc, picture_.data(), width_, height_, RECT{0, 0, width_, height_});
    ::EndPaint(m_hWnd, &paint);
}
