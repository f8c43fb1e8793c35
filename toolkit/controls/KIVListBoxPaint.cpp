// A list box's drawing: the sunken well, the visible lines in the colours
// of their state, the scroll bars and the focus rectangle. The lines are
// painted again only when something they show changed.
#include "toolkit/controls/KIVListBoxCtrl.h"

#include "toolkit/drawing/KIVLook.h"
#include "toolkit/drawing/KIVPainter.h"

#include <algorithm>

KIVListLineLook KIVListBoxCtrl::LookOf(int index) const {
    KIVListLineLook look;
    if (!IsEnabled()) {
        look.text = KIVPainter::Fade(kText, kBackground, KIVLook::kDisabledFactor);
        look.background = kBackground;
        look.disabled = true;
        return look;
    }
    const bool selected = IsSelected(index);
    look.highlighted = selected || index == current_ || index == hover_;
    look.text = look.highlighted ? kHighlightText : kText;
    if (selected)
        look.background = kSelectedBackground;
    else
        look.background = HasFocus() ? kFocusBackground : kBackground;
    return look;
}

KIVListBoxCtrl::PaintRecord KIVListBoxCtrl::CurrentRecord() const {
    return PaintRecord{true, GetLineCount(), scrollX_, scrollY_, hover_, current_, selection_};
}

void KIVListBoxCtrl::RedrawLines() {
    if (painted_ == CurrentRecord())
        return;
    RequestDraw();
}

void KIVListBoxCtrl::RedrawAllLines() {
    painted_.valid = false;
    RequestDraw();
}

void KIVListBoxCtrl::Draw(const KIVDrawBuffer& buffer) {
    DrawBorder(buffer);
    DrawHeader(buffer);
    DrawLines(buffer);
    DrawScrollBars(buffer);
    if (HasFocus())
        KIVPainter::FocusRect(buffer, GetRect());
    painted_ = CurrentRecord();
    KIVControl::Draw(buffer);
}

// The bevel, and inside it a ring of the lines' background that carries
// the focus rectangle.
void KIVListBoxCtrl::DrawBorder(const KIVDrawBuffer& buffer) {
    const RECT& rect = GetRect();
    KIVPainter::Bevel(buffer, rect, false);
    const RECT ring{rect.left + kBorder - 1, rect.top + kBorder - 1, rect.right - kBorder + 1,
                    rect.bottom - kBorder + 1};
    KIVPainter::FrameRect(buffer, ring, LookOf(-1).background);
}

// Only the lines that meet the well (and the clip) are drawn; the well
// below the last line keeps the lines' background.
void KIVListBoxCtrl::DrawLines(const KIVDrawBuffer& buffer) {
    const RECT area = LinesArea();
    KIVDrawBuffer clipped = buffer;
    if (!::IntersectRect(&clipped.clip, &buffer.clip, &area))
        return;
    KIVPainter::FillRect(clipped, area, LookOf(-1).background);
    const std::vector<int>& tops = LineTops();
    const int firstY = clipped.clip.top - area.top + scrollY_;
    const auto first = std::upper_bound(tops.begin(), tops.end() - 1, firstY);
    for (int i = std::max(0, static_cast<int>(first - tops.begin()) - 1); i < GetLineCount(); ++i) {
        const RECT rect = LineRect(i);
        if (rect.top >= clipped.clip.bottom)
            break;
        lines_[i]->Draw(clipped, rect, LookOf(i));
    }
}
