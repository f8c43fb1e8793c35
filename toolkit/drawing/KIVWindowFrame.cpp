#include "toolkit/drawing/KIVWindowFrame.h"

#include "toolkit/drawing/KIVLook.h"
#include "toolkit/drawing/KIVPainter.h"
#include "toolkit/resources/KIVTextPainter.h"

RECT KIVWindowFrame::Band(int width) {
    return RECT{kOutline, kOutline, width - kOutline, kContentTop};
}

void KIVWindowFrame::Draw(const KIVDrawBuffer& buffer, int width, int height, const char16_t* title,
                          const KIVFont* font) {
    for (int i = 0; i < kOutline; ++i)
        KIVPainter::FrameRect(buffer, RECT{i, i, width - i, height - i}, KIVLook::kEdge);
    const RECT band = Band(width);
    KIVPainter::FillRect(buffer, band, KIVLook::kTitleBand);
    if (!font || !title)
        return;
    const int y = band.top + (kBandHeight - font->LineHeight()) / 2;
    const int left = band.left + kTitleIndent;
    KIVTextPainter::DrawText(buffer, *font, title, -1, left, y, band.right - kTitleIndent - left,
                             KIVLook::kTitleText, 0);
}
