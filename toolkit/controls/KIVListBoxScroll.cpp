// A list box's scroll bars: two embedded bars that follow the layout, show
// the offsets, and move them when the user scrolls with them.
#include "toolkit/controls/KIVListBoxCtrl.h"

namespace {

void Place(KIVScrollBarCtrl* bar, const RECT& rect) {
    const RECT& now = bar->GetRect();
    if (now.left == rect.left && now.top == rect.top && now.right == rect.right &&
        now.bottom == rect.bottom)
        return;
    bar->Move(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
              KIVControl::kNoErase);
}

} // namespace

// The bars are made when the lines are first laid out.
void KIVListBoxCtrl::SyncScrollBars() {
    KIVScrollListener* listener = this;
    const RECT verticalRect = VerticalBarRect();
    const RECT horizontalRect = HorizontalBarRect();
    if (!vertical_)
        vertical_ = std::make_unique<KIVScrollBarCtrl>(this, listener, verticalRect, true);
    if (!horizontal_)
        horizontal_ = std::make_unique<KIVScrollBarCtrl>(this, listener, horizontalRect, false);
    const RECT area = LinesArea();
    Place(vertical_.get(), verticalRect);
    vertical_->SetLineStep(lineHeight_);
    vertical_->SetRange(0, ContentHeight(), area.bottom - area.top);
    vertical_->SetPosition(scrollY_);
    Place(horizontal_.get(), horizontalRect);
    horizontal_->SetLineStep(lineHeight_);
    horizontal_->SetRange(0, ContentWidth(), area.right - area.left);
    horizontal_->SetPosition(scrollX_);
}

void KIVListBoxCtrl::OnScroll(KIVScrollBarCtrl* bar, int position) {
    if (bar == vertical_.get())
        scrollY_ = position;
    else
        scrollX_ = position;
    RequestDraw();
}

void KIVListBoxCtrl::DrawScrollBars(const KIVDrawBuffer& buffer) {
    if (HasVerticalBar() && vertical_)
        vertical_->Draw(buffer);
    if (HasHorizontalBar() && horizontal_)
        horizontal_->Draw(buffer);
}

bool KIVListBoxCtrl::PressScrollBar(POINT point, UINT flags) {
    for (KIVScrollBarCtrl* bar : {vertical_.get(), horizontal_.get()}) {
        if (bar && !::IsRectEmpty(&bar->GetRect()) && ::PtInRect(&bar->GetRect(), point)) {
            pressedBar_ = bar;
            bar->OnMouseDown(point, flags);
            return true;
        }
    }
    return false;
}

void KIVListBoxCtrl::OnTimer() {
    if (pressedBar_ && pressedBar_->IsPressed())
        pressedBar_->OnTimer();
}

void KIVListBoxCtrl::Move(int x, int y, int width, int height, int flags) {
    KIVControl::Move(x, y, width, height, flags);
    UpdateScrollRanges();
}
