// The scroll bar's range, geometry and mouse handling; its drawing is in
// KIVScrollBarPaint.cpp.
#include "toolkit/controls/KIVScrollBarCtrl.h"

#include "toolkit/KIVDialog.h"

#include <algorithm>

KIVScrollBarCtrl::KIVScrollBarCtrl(KIVDialog* dialog, const KIVControlRecord& record, bool vertical)
    : KIVControl(dialog, record), vertical_(vertical) {}

KIVScrollBarCtrl::KIVScrollBarCtrl(KIVControl* owner, KIVScrollListener* listener, const RECT& rect,
                                   bool vertical)
    : KIVControl(owner->GetDialog(), owner->GetId(), rect, owner->GetFontId(), 1, 0), owner_(owner),
      listener_(listener), vertical_(vertical) {}

// [SECTION] Range and position

void KIVScrollBarCtrl::SetRange(int minimum, int maximum, int page) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    page_ = std::max(0, page);
    position_ = std::clamp(position_, minimum_, MaxPosition());
    RequestDraw();
}

void KIVScrollBarCtrl::SetPosition(int position) {
    const int cut = std::clamp(position, minimum_, MaxPosition());
    if (cut == position_)
        return;
    position_ = cut;
    RequestDraw();
}

int KIVScrollBarCtrl::MaxPosition() const {
    return std::max(minimum_, maximum_ - page_);
}

bool KIVScrollBarCtrl::IsActive() const {
    return IsEnabled() && (!owner_ || owner_->IsEnabled()) && MaxPosition() > minimum_;
}

void KIVScrollBarCtrl::ScrollTo(int position) {
    const int before = position_;
    SetPosition(position);
    if (position_ == before)
        return;
    if (listener_)
        listener_->OnScroll(this, position_);
    else
        NotifyEvent(kEventScrolled, position_);
}

// [SECTION] Geometry along the bar's axis

int KIVScrollBarCtrl::Start() const {
    return vertical_ ? GetRect().top : GetRect().left;
}

int KIVScrollBarCtrl::Length() const {
    const RECT& rect = GetRect();
    return vertical_ ? rect.bottom - rect.top : rect.right - rect.left;
}

int KIVScrollBarCtrl::ArrowLength() const {
    const RECT& rect = GetRect();
    const int across = vertical_ ? rect.right - rect.left : rect.bottom - rect.top;
    return std::min(across, Length() / 2);
}

int KIVScrollBarCtrl::Along(POINT point) const {
    return vertical_ ? point.y : point.x;
}

RECT KIVScrollBarCtrl::Span(int from, int to) const {
    const RECT& rect = GetRect();
    if (vertical_)
        return RECT{rect.left, from, rect.right, to};
    return RECT{from, rect.top, to, rect.bottom};
}

// As long against the track as the page against the content, but never
// shorter than kMinThumb; 0 when the bar is inert or the track too short.
int KIVScrollBarCtrl::ThumbLength() const {
    const int track = Length() - 2 * ArrowLength();
    if (!IsActive() || track < kMinThumb)
        return 0;
    const long long content = static_cast<long long>(maximum_) - minimum_;
    const int length = static_cast<int>(static_cast<long long>(track) * page_ / content);
    return std::clamp(length, kMinThumb, track);
}

int KIVScrollBarCtrl::ThumbStart() const {
    const int trackStart = Start() + ArrowLength();
    const int travel = Length() - 2 * ArrowLength() - ThumbLength();
    const long long range = static_cast<long long>(MaxPosition()) - minimum_;
    if (range <= 0)
        return trackStart;
    return trackStart +
           static_cast<int>((position_ - minimum_) * static_cast<long long>(travel) / range);
}

RECT KIVScrollBarCtrl::ThumbRect() const {
    const int length = ThumbLength();
    if (length == 0)
        return RECT{};
    return Span(ThumbStart(), ThumbStart() + length);
}

KIVScrollBarCtrl::Part KIVScrollBarCtrl::PartAt(POINT point) const {
    if (!::PtInRect(&GetRect(), point))
        return kNone;
    const int at = Along(point);
    if (at < Start() + ArrowLength())
        return kLessArrow;
    if (at >= Start() + Length() - ArrowLength())
        return kMoreArrow;
    if (ThumbLength() == 0)
        return kNone;
    if (at < ThumbStart())
        return kLessTrack;
    return at < ThumbStart() + ThumbLength() ? kThumb : kMoreTrack;
}

// [SECTION] Mouse and timer

void KIVScrollBarCtrl::Step() {
    switch (pressed_) {
    case kLessArrow:
        ScrollTo(position_ - lineStep_);
        return;
    case kMoreArrow:
        ScrollTo(position_ + lineStep_);
        return;
    case kLessTrack:
        ScrollTo(position_ - std::max(1, page_));
        return;
    case kMoreTrack:
        ScrollTo(position_ + std::max(1, page_));
        return;
    default:
        return;
    }
}

bool KIVScrollBarCtrl::OnMouseDown(POINT point, UINT) {
    if (!IsActive())
        return false;
    pressed_ = PartAt(point);
    mouse_ = point;
    if (pressed_ == kNone)
        return false;
    if (pressed_ == kThumb) {
        grabOffset_ = Along(point) - ThumbStart();
    } else {
        Step();
        repeating_ = false;
        StartTimer(kFirstDelay);
    }
    RequestDraw();
    return false;
}

bool KIVScrollBarCtrl::OnMouseMove(POINT point, UINT) {
    if (pressed_ == kNone)
        return false;
    mouse_ = point;
    if (pressed_ != kThumb)
        return false;
    const int travel = Length() - 2 * ArrowLength() - ThumbLength();
    if (travel <= 0)
        return false;
    const int offset = std::clamp(Along(point) - grabOffset_ - Start() - ArrowLength(), 0, travel);
    const long long range = static_cast<long long>(MaxPosition()) - minimum_;
    ScrollTo(minimum_ + static_cast<int>((offset * range + travel / 2) / travel));
    return false;
}

bool KIVScrollBarCtrl::OnMouseUp(POINT, UINT) {
    if (pressed_ == kNone)
        return false;
    if (pressed_ != kThumb)
        StopTimer();
    pressed_ = kNone;
    RequestDraw();
    return false;
}

// A held arrow or track repeats while the mouse stays on it: the track stops
// once the thumb has reached the mouse.
void KIVScrollBarCtrl::OnTimer() {
    if (pressed_ == kNone || pressed_ == kThumb)
        return;
    if (!repeating_) {
        repeating_ = true;
        StartTimer(kRepeatPeriod);
    }
    if (PartAt(mouse_) == pressed_)
        Step();
}

bool KIVScrollBarCtrl::OnMouseWheel(int delta, UINT) {
    if (!IsActive())
        return true;
    ScrollTo(position_ - delta * kWheelLines * lineStep_ / WHEEL_DELTA);
    return false;
}
