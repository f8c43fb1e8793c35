// The scroll bar's drawing: the track, raised arrow buttons with ink
// triangles at both ends, and a raised thumb; a held part is sunk and
// tinted, and an inert bar shows faded arrows and no thumb.
#include "toolkit/controls/KIVScrollBarCtrl.h"

#include "toolkit/drawing/KIVLook.h"
#include "toolkit/drawing/KIVPainter.h"

#include <algorithm>

namespace {

void DrawFace(const KIVDrawBuffer& buffer, const RECT& rect, bool pressed) {
    KIVPainter::FillRect(buffer, rect, pressed ? KIVLook::kPressed : KIVLook::kPaper);
    KIVPainter::Bevel(buffer, rect, !pressed);
}

} // namespace

// A triangle pointing up or left (less) or down or right, its base
// (2 x rows - 1) pixels across, centred in the arrow's face.
void KIVScrollBarCtrl::DrawArrow(const KIVDrawBuffer& buffer, const RECT& rect, bool less,
                                 bool pressed) const {
    DrawFace(buffer, rect, pressed);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const int rows = std::max(1, (std::min(width, height) - 6) / 2);
    const DWORD face = pressed ? KIVLook::kPressed : KIVLook::kPaper;
    const DWORD ink = IsActive() ? KIVLook::kInk
                                 : KIVPainter::Fade(KIVLook::kInk, face, KIVLook::kDisabledFactor);
    const int centreX = rect.left + width / 2, centreY = rect.top + height / 2;
    const int shift = pressed ? 1 : 0;
    for (int row = 0; row < rows; ++row) {
        // Row 0 is nearest the bar's start: the tip of a less arrow, the
        // base of a more arrow.
        const int offset = row - rows / 2;
        const int half = less ? row : rows - 1 - row;
        if (vertical_)
            KIVPainter::HorizontalLine(buffer, centreX - half + shift, centreX + half + 1 + shift,
                                       centreY + offset + shift, ink);
        else
            KIVPainter::VerticalLine(buffer, centreX + offset + shift, centreY - half + shift,
                                     centreY + half + 1 + shift, ink);
    }
}

void KIVScrollBarCtrl::Draw(const KIVDrawBuffer& buffer) {
    KIVDrawBuffer clipped = buffer;
    ::IntersectRect(&clipped.clip, &buffer.clip, &GetRect());
    KIVPainter::FillRect(clipped, GetRect(), KIVLook::kTrack);
    const int arrow = ArrowLength();
    if (arrow > 0) {
        DrawArrow(clipped, Span(Start(), Start() + arrow), true, pressed_ == kLessArrow);
        DrawArrow(clipped, Span(Start() + Length() - arrow, Start() + Length()), false,
                  pressed_ == kMoreArrow);
    }
    const RECT thumb = ThumbRect();
    if (!::IsRectEmpty(&thumb))
        DrawFace(clipped, thumb, pressed_ == kThumb);
    KIVControl::Draw(buffer);
}
