#include "toolkit/KIVTooltip.h"

#include "toolkit/KIVApplication.h"
#include "toolkit/KIVPixelCopy.h"
#include "toolkit/resources/KIVTextPainter.h"

namespace {

constexpr int kWidthWithoutFont = 8;
constexpr int kHeightWithoutFont = 8;

} // namespace

KIVTooltip& KIVTooltip::Get() {
    // Never destroyed: its window must not outlive the window system at exit.
    static KIVTooltip* tooltip = new KIVTooltip;
    return *tooltip;
}

void KIVTooltip::Show(const KIVString& text, POINT screen) {
    text_ = text;
    KIVApplication* app = KIVApplication::Get();
    const KIVFont* font = app ? app->GetFont(0) : nullptr;
    const int width =
        2 * kPadding + (font ? KIVTextPainter::MeasureText(*font, text_, -1) : kWidthWithoutFont);
    const int height = 2 * kPadding + (font ? font->LineHeight() : kHeightWithoutFont);
    if (m_hWnd && !::IsWindow(m_hWnd))
        Detach();
    if (!m_hWnd && !CreateEx(WS_EX_TOPMOST, nullptr, "", WS_POPUP, screen.x, screen.y, width,
                             height, nullptr, nullptr))
        return;
    Render(width, height);
    ::SetWindowPos(m_hWnd, nullptr, screen.x, screen.y, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void KIVTooltip::Hide() {
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::ShowWindow(m_hWnd, SW_HIDE);
}

void KIVTooltip::Render(int width, int height) {
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * height, kBackground);
    for (int x = 0; x < width; ++x) {
        pixels_[x] = kFrame;
        pixels_[static_cast<std::size_t>(height - 1) * width + x] = kFrame;
    }
    for (int y = 0; y < height; ++y) {
        pixels_[static_cast<std::size_t>(y) * width] = kFrame;
        pixels_[static_cast<std::size_t>(y) * width + width - 1] = kFrame;
    }
    KIVApplication* app = KIVApplication::Get();
    if (const KIVFont* font = app ? app->GetFont(0) : nullptr) {
        const KIVDrawBuffer buffer{pixels_.data(), width, height, width, RECT{0, 0, width, height}};
        KIVTextPainter::DrawText(buffer, *font, text_, -1, kPadding, kPadding, width - 2 * kPadding,
                                 kTextColour, 0);
    }
}

void KIVTooltip::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(m_hWnd, &paint);
    KIVCopyPixels(dc, pixels_.data(), width_, height_, RECT{0, 0, width_, height_});
    ::EndPaint(m_hWnd, &paint);
}
