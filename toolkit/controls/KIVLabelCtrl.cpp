#include "toolkit/controls/KIVLabelCtrl.h"

#include "toolkit/KIVDialog.h"
#include "toolkit/resources/KIVTextPainter.h"

KIVLabelCtrl::KIVLabelCtrl(KIVDialog* dialog, const KIVControlRecord& record)
    : KIVControl(dialog, record, kLeft) {}

void KIVLabelCtrl::SetText(const char16_t* text) {
    KIVControl::SetText(text);
    RequestFullDraw();
}

void KIVLabelCtrl::Draw(const KIVDrawBuffer& buffer) {
    const RECT& rect = GetRect();
    if (GetDialog())
        GetDialog()->DrawBackground(buffer, rect);
    if (const KIVFont* font = GetFont()) {
        int options = 0;
        if (GetStyle() & kCentre)
            options = KIVTextPainter::kCentre;
        else if (GetStyle() & kRight)
            options = KIVTextPainter::kRight;
        KIVDrawBuffer clipped = buffer;
        ::IntersectRect(&clipped.clip, &buffer.clip, &rect);
        KIVTextPainter::DrawText(clipped, *font, GetText(), -1, rect.left, rect.top,
                                 rect.right - rect.left,
                                 IsEnabled() ? kTextColour : kDisabledColour, options);
    }
    KIVControl::Draw(buffer);
}
