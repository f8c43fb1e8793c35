#include "wizard/KIVListBoxLineFlag.h"

#include "toolkit/KIVApplication.h"
#include "toolkit/controls/KIVListBoxCtrl.h"
#include "toolkit/drawing/KIVPainter.h"
#include "toolkit/resources/KIVTextPainter.h"

KIVListBoxLineFlag::KIVListBoxLineFlag(KIVListBoxCtrl* owner, int pictureId, const char16_t* text)
    : KIVListBoxLine(owner, text, false) {
    if (KIVApplication* app = KIVApplication::Get())
        app->GetBitmap(pictureId, 0, &picture_);
    SetHeight(picture_.height + 7);
}

KIVListBoxLineFlag::~KIVListBoxLineFlag() = default;

void KIVListBoxLineFlag::Draw(const KIVDrawBuffer& buffer, const RECT& rect,
                              const KIVListLineLook& look) {
    const LONG L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
    KIVPainter::FillRect(buffer, RECT{L, T, R + 2, B}, look.background);
    const LONG pictureLeft = L + kPictureLeft;
    const LONG pictureBottom = B - (B - T - picture_.height) / 2 + 4;
    const LONG pictureTop = T + (pictureBottom - T - picture_.height) / 2;
    if (picture_.width > 0)
        KIVPainter::DrawFrame(buffer, picture_, pictureLeft, pictureTop);
    const KIVFont* font = GetOwner() ? GetOwner()->GetListFont() : nullptr;
    if (!font)
        return;
    const LONG textLeft = TextLeft(rect);
    const LONG F = font->LineHeight();
    const LONG textBottom = B - (B - T - F) / 2;
    const LONG textTop = T + (textBottom - F - T) / 2 - 1;
    KIVDrawBuffer clipped = buffer;
    const RECT box{textLeft, textTop, R + 3, textBottom};
    if (!::IntersectRect(&clipped.clip, &buffer.clip, &box))
        return;
    KIVTextPainter::DrawText(clipped, *font, GetText(), -1, textLeft, textTop, R + 3 - textLeft,
                             look.text, 0);
}

int KIVListBoxLineFlag::Width() const {
    return picture_.width + KIVListBoxLine::Width();
}
