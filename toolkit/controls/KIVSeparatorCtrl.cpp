#include "toolkit/controls/KIVSeparatorCtrl.h"

#include "toolkit/KIVDialog.h"
#include "toolkit/controls/KIVEtching.h"

void KIVHSeparatorCtrl::Draw(const KIVDrawBuffer& buffer) {
    const RECT& rect = GetRect();
    if (GetDialog())
        GetDialog()->DrawBackground(buffer, rect);
    KIVDrawBuffer clipped = buffer;
    if (::IntersectRect(&clipped.clip, &buffer.clip, &rect))
        KIVEtching::HorizontalLine(clipped, rect.left, rect.right,
                                   rect.top + (rect.bottom - rect.top - 2) / 2);
    KIVControl::Draw(buffer);
}

void KIVVSeparatorCtrl::Draw(const KIVDrawBuffer& buffer) {
    const RECT& rect = GetRect();
    if (GetDialog())
        GetDialog()->DrawBackground(buffer, rect);
    KIVDrawBuffer clipped = buffer;
    if (::IntersectRect(&clipped.clip, &buffer.clip, &rect))
        KIVEtching::VerticalLine(clipped, rect.left + (rect.right - rect.left - 2) / 2, rect.top,
                                 rect.bottom);
    KIVControl::Draw(buffer);
}
