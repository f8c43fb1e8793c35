#include "toolkit/controls/KIVProgressBarCtrl.h"

#include "toolkit/KIVDialog.h"
#include "toolkit/drawing/KIVPainter.h"

#include <cmath>

namespace {

enum Picture : int {
    kFrameLeft = 128,
    kFrameMiddle = 129,
    kFrameRight = 130,
    kRowLeft = 131,
    kEmptySegment = 132,
    kRowRight = 133,
    kFilledSegment = 134,
    kFilledEdge = 135
};
constexpr int kRowInset = 5;      // the row's cap from the frame's corner
constexpr int kFillLeft = 12;     // the first filled segment from the left edge
constexpr int kFillTop = 7;       // filled segments from the top edge
constexpr int kRowMargins = 10;   // the frame around the row, both sides together
constexpr float kRoundUp = 0.01f; // absorbs the float error of whole fractions

int PictureWidth(int id) {
    SIZE size{};
    KIVPainter::PictureSize(id, &size);
    return size.cx;
}

int PictureHeight(int id) {
    SIZE size{};
    KIVPainter::PictureSize(id, &size);
    return size.cy;
}

} // namespace

// Without the segment picture there is no row: no segments, and the
// control keeps its width.
KIVProgressBarCtrl::KIVProgressBarCtrl(KIVDialog* dialog, const KIVControlRecord& record)
    : KIVControl(dialog, record) {
    const int pitch = PictureWidth(kEmptySegment);
    const int caps = PictureWidth(kRowLeft) + PictureWidth(kRowRight) + kRowMargins;
    const RECT& rect = GetRect();
    if (pitch <= 0)
        return;
    segments_ = (rect.right - rect.left - caps) / pitch;
    if (segments_ < 0)
        segments_ = 0;
    Move(0, 0, segments_ * pitch + caps, rect.bottom - rect.top, kKeepPlace | kNoErase);
}

void KIVProgressBarCtrl::SetRange(float max) {
    const float scale = 1.0f / (max == 0.0f ? 1.0f : max);
    scale_.store(scale, std::memory_order_relaxed);
    const double filled = static_cast<double>(scale) * segments_ *
                          static_cast<double>(position_.load(std::memory_order_relaxed));
    nextThreshold_.store(Threshold(std::trunc(filled) + 1.0), std::memory_order_relaxed);
}

// The position at which count segments are full. Computed in double
// precision so that whole fractions of the range land exactly: with range
// 100 and 10 segments the first segment fills at 10, not at 10.000001.
float KIVProgressBarCtrl::Threshold(double count) const {
    if (segments_ == 0)
        return INFINITY;
    return static_cast<float>(
        count / (segments_ * static_cast<double>(scale_.load(std::memory_order_relaxed))));
}

void KIVProgressBarCtrl::SetPosition(float position) {
    // Written as "not at or above" so that a position that is no number is
    // ignored too.
    if (!(position >= nextThreshold_.load(std::memory_order_relaxed)))
        return;
    position_.store(position, std::memory_order_relaxed);
    if (GetDialog() && GetDialog()->GetSafeHwnd() && IsVisible())
        DrawNewSegments();
}

int KIVProgressBarCtrl::Filled() const {
    const float filled = position_.load(std::memory_order_relaxed) *
                             scale_.load(std::memory_order_relaxed) *
                             static_cast<float>(segments_) +
                         kRoundUp;
    return filled >= static_cast<float>(segments_ + 1) ? segments_ + 1 : static_cast<int>(filled);
}

void KIVProgressBarCtrl::DrawNewSegments() {
    int end = Filled();
    const int drawn = drawn_.load(std::memory_order_relaxed);
    const float scale = scale_.load(std::memory_order_relaxed);
    if (end > segments_) {
        if (drawn == segments_) {
            nextThreshold_.store(kBeyondEverything / scale, std::memory_order_relaxed);
            return;
        }
        end = segments_;
    }
    drawn_.store(end, std::memory_order_relaxed);
    nextThreshold_.store(Threshold(end + 1), std::memory_order_relaxed);
    if (end <= drawn)
        return;
    // Off the window's thread the dialog draws into its buffer at once and
    // leaves the window to the user-interface thread.
    KIVDialog* dialog = GetDialog();
    dialog->Invalidate(SegmentsRect(drawn, end));
    if (dialog->OnWindowThread())
        ::UpdateWindow(dialog->GetSafeHwnd());
}

// Segments from..to - 1 with the edge right of the last.
RECT KIVProgressBarCtrl::SegmentsRect(int from, int to) const {
    const int pitch = PictureWidth(kFilledSegment);
    const int left = GetRect().left + kFillLeft;
    const int top = GetRect().top + kFillTop;
    return RECT{left + from * pitch, top, left + to * pitch + PictureWidth(kFilledEdge),
                top + PictureHeight(kFilledSegment)};
}

void KIVProgressBarCtrl::Draw(const KIVDrawBuffer& buffer) {
    DrawFrame(buffer);
    DrawRow(buffer);
    KIVControl::Draw(buffer);
}

void KIVProgressBarCtrl::DrawFrame(const KIVDrawBuffer& buffer) const {
    const RECT& rect = GetRect();
    KIVPainter::DrawPicture(buffer, kFrameLeft, 0, rect.left, rect.top);
    const int middle = PictureWidth(kFrameMiddle);
    const int end = rect.right - PictureWidth(kFrameRight);
    for (int x = rect.left + PictureWidth(kFrameLeft); middle > 0 && x < end; x += middle)
        KIVPainter::DrawPicture(buffer, kFrameMiddle, 0, x, rect.top);
    KIVPainter::DrawPicture(buffer, kFrameRight, 0, end, rect.top);
}

void KIVProgressBarCtrl::DrawRow(const KIVDrawBuffer& buffer) const {
    const RECT& rect = GetRect();
    const int top = rect.top + kRowInset;
    int x = rect.left + kRowInset;
    KIVPainter::DrawPicture(buffer, kRowLeft, 0, x, top);
    x += PictureWidth(kRowLeft);
    const int filled = Filled();
    const int pitch = PictureWidth(kFilledSegment);
    const int fillX = rect.left + kFillLeft;
    const int slot = PictureWidth(kEmptySegment);
    for (int i = 0; i < segments_; ++i, x += slot) {
        KIVPainter::DrawPicture(buffer, kEmptySegment, 0, x, top);
        if (i >= filled)
            continue;
        KIVPainter::DrawPicture(buffer, kFilledSegment, 0, fillX + i * pitch, rect.top + kFillTop);
        KIVPainter::DrawPicture(buffer, kFilledEdge, 0, fillX + (i + 1) * pitch,
                                rect.top + kFillTop);
    }
    KIVPainter::DrawPicture(buffer, kRowRight, 0, x, top);
}
