#include "toolkit/controls/KIVFrameCtrl.h"

#include "toolkit/KIVDialog.h"
#include "toolkit/controls/KIVEtching.h"
#include "toolkit/drawing/KIVLook.h"
#include "toolkit/resources/KIVTextPainter.h"

KIVFrameCtrl::KIVFrameCtrl(KIVDialog* dialog, const KIVControlRecord& record)
    : KIVControl(dialog, record) {}

void KIVFrameCtrl::SetText(const char16_t* text) {
    KIVControl::SetText(text);
    RequestFullDraw();
}

// With a title, the top edge runs through the middle of the title's line.
void KIVFrameCtrl::Draw(const KIVDrawBuffer& buffer) {
    RECT edge = GetRect();
    const KIVFont* font = GetText().IsEmpty() ? nullptr : GetFont();
    if (font)
        edge.top += font->LineHeight() / 2;
    KIVEtching::Rectangle(buffer, edge, IsRaised());
    if (font)
        DrawTitle(buffer, *font);
    KIVControl::Draw(buffer);
}

void KIVFrameCtrl::DrawTitle(const KIVDrawBuffer& buffer, const KIVFont& font) const {
    const RECT& rect = GetRect();
    const int left = rect.left + kTitleIndent;
    const int width = KIVTextPainter::MeasureText(font, GetText(), -1) + 4;
    const RECT title{left, rect.top, std::min<LONG>(left + width, rect.right - kTitleIndent),
                     rect.top + font.LineHeight()};
    KIVDrawBuffer clipped = buffer;
    if (!::IntersectRect(&clipped.clip, &buffer.clip, &title))
        return;
    if (GetDialog())
        GetDialog()->DrawBackground(clipped, title);
    const int transparency = IsEnabled() ? 255 : static_cast<int>(255 * KIVLook::kDisabledFactor);
    KIVTextPainter::DrawText(clipped, font, GetText(), -1, left + 2, rect.top,
                             title.right - left - 2, KIVLook::kInk, 0, transparency);
}
