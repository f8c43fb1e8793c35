// KIVScrollBarCtrl: a vertical or horizontal scroll bar. The content spans
// minimum to maximum (exclusive) and a page of it is visible, so the
// position runs from minimum to maximum - page. An arrow at each end steps
// one line, a click on the track steps a page towards the mouse, and the
// thumb, as long against the track as the page against the content, drags.
// Held arrows and track repeat through the control's timer (400 ms, then
// every 50 ms). The bar is inert (faded arrows, no thumb) when disabled or
// when the whole content fits the page.
//
// Dialog records of type 25 (vertical) and 26 (horizontal) make standalone
// bars: every change of the position goes to the dialog's second entry as
// kEventScrolled with the new position as the value.
//
// Embedding: a control that scrolls (a list, a text field) makes its own bar
// with the second constructor, a rectangle inside its own and itself as the
// listener, which hears every change of the position instead of the dialog.
// The bar is not in the dialog's control list, so the owner
//   - draws it: bar.Draw(buffer) from its own Draw;
//   - passes it the mouse: a press inside bar.GetRect() goes to
//     bar.OnMouseDown (or OnDoubleClick), and while bar.IsPressed() the
//     moves and the release go to it as well;
//   - passes it the timer: the bar's timer carries the owner's identifier,
//     so the owner's OnTimer calls bar.OnTimer() while bar.IsPressed();
//   - moves it (bar.Move) when the owner moves or changes its size, and sets
//     its range when the content or the page changes.
#pragma once

#include "toolkit/KIVControl.h"

class KIVScrollBarCtrl;

class KIVScrollListener {
public:
    virtual ~KIVScrollListener() = default;
    // The bar's position changed by the user's doing.
    virtual void OnScroll(KIVScrollBarCtrl* bar, int position) = 0;
};

class KIVScrollBarCtrl : public KIVControl {
public:
    static constexpr int kThickness = 14;     // pixels across the bar
    static constexpr int kMinThumb = 10;      // shortest thumb, in pixels
    static constexpr UINT kFirstDelay = 400;  // milliseconds before repeating
    static constexpr UINT kRepeatPeriod = 50; // milliseconds between repeats
    static constexpr int kEventScrolled = 7;  // second-entry kind, value the position
    static constexpr int kWheelLines = 3;     // line steps a wheel notch
    enum Part { kNone, kLessArrow, kMoreArrow, kLessTrack, kMoreTrack, kThumb };

    KIVScrollBarCtrl(KIVDialog* dialog, const KIVControlRecord& record, bool vertical);
    // A bar embedded in owner (see above); it takes the owner's identifier.
    KIVScrollBarCtrl(KIVControl* owner, KIVScrollListener* listener, const RECT& rect,
                     bool vertical);

    // Sets the content's span and the page, and cuts the position to them.
    void SetRange(int minimum, int maximum, int page);
    // Cuts the position to the range; tells no one (the owner asked).
    void SetPosition(int position);
    void SetLineStep(int step) { lineStep_ = step > 0 ? step : 1; }
    int GetPosition() const { return position_; }
    int GetMinimum() const { return minimum_; }
    int GetMaximum() const { return maximum_; }
    int GetPage() const { return page_; }
    int MaxPosition() const;
    bool IsVertical() const { return vertical_; }
    // Enabled (an embedded bar: and its owner) and with more content than
    // the page.
    bool IsActive() const;
    // An arrow, the track or the thumb is held with the mouse.
    bool IsPressed() const { return pressed_ != kNone; }

    // The thumb's rectangle; empty when the bar is inert or too short.
    RECT ThumbRect() const;
    Part PartAt(POINT point) const;

    bool OnMouseDown(POINT point, UINT flags) override;
    bool OnDoubleClick(POINT point, UINT flags) override { return OnMouseDown(point, flags); }
    bool OnMouseMove(POINT point, UINT flags) override;
    bool OnMouseUp(POINT point, UINT flags) override;
    bool OnMouseWheel(int delta, UINT flags) override;
    void OnTimer() override;
    void Draw(const KIVDrawBuffer& buffer) override;

private:
    // Along the bar's axis: the start and length of the whole bar, the arrows'
    // length, and the point's coordinate.
    int Start() const;
    int Length() const;
    int ArrowLength() const;
    int Along(POINT point) const;
    int ThumbLength() const;
    int ThumbStart() const;
    // A rectangle across the bar from along-axis start to end.
    RECT Span(int from, int to) const;
    // Moves the position and tells the listener or the dialog when it changed.
    void ScrollTo(int position);
    // One step of the held part: a line or a page.
    void Step();
    void DrawArrow(const KIVDrawBuffer& buffer, const RECT& rect, bool less, bool pressed) const;

    KIVControl* owner_ = nullptr;
    KIVScrollListener* listener_ = nullptr;
    bool vertical_ = true;
    int minimum_ = 0;
    int maximum_ = 0;
    int page_ = 0;
    int position_ = 0;
    int lineStep_ = 1;
    Part pressed_ = kNone;
    POINT mouse_{};      // the mouse's last point while a part is held
    int grabOffset_ = 0; // where along the thumb it was grabbed
    bool repeating_ = false;
};
