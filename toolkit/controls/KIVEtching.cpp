#include "toolkit/controls/KIVEtching.h"

#include "toolkit/drawing/KIVLook.h"
#include "toolkit/drawing/KIVPainter.h"

void KIVEtching::Rectangle(const KIVDrawBuffer& buffer, const RECT& rect, bool raised) {
    const DWORD outer = raised ? KIVLook::kLight : KIVLook::kShadow;
    const DWORD inner = raised ? KIVLook::kShadow : KIVLook::kLight;
    KIVPainter::FrameRect(buffer, RECT{rect.left + 1, rect.top + 1, rect.right, rect.bottom},
                          inner);
    KIVPainter::FrameRect(buffer, RECT{rect.left, rect.top, rect.right - 1, rect.bottom - 1},
                          outer);
}

void KIVEtching::HorizontalLine(const KIVDrawBuffer& buffer, int left, int right, int y) {
    KIVPainter::HorizontalLine(buffer, left, right, y, KIVLook::kShadow);
    KIVPainter::HorizontalLine(buffer, left, right, y + 1, KIVLook::kLight);
}

void KIVEtching::VerticalLine(const KIVDrawBuffer& buffer, int x, int top, int bottom) {
    KIVPainter::VerticalLine(buffer, x, top, bottom, KIVLook::kShadow);
    KIVPainter::VerticalLine(buffer, x + 1, top, bottom, KIVLook::kLight);
}
