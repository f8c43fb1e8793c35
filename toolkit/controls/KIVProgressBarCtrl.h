// KIVProgressBarCtrl: the segmented progress bar (record type 33). A frame
// of pictures holds a row of equal segments; the leading ones are filled
// according to the position. It is fed very often, from the setup's worker
// thread: a position that fills no further segment costs one comparison,
// and one that does draws only the newly filled segments. It takes no lock;
// the values shared with the painting thread are atomic.
//
// Pictures: 128, 129, 130 the frame's left end, middle (repeated) and right
// end; 131 and 133 the segment row's caps; 132 an empty segment (its width
// is the pitch); 134 a filled segment; 135 the edge right of a filled one.
#pragma once

#include "toolkit/KIVControl.h"

#include <atomic>

class KIVProgressBarCtrl : public KIVControl {
public:
    // The threshold once every segment is drawn and the position passed the
    // range, in range units.
    static constexpr float kBeyondEverything = 100000000.0f;

    // The width is narrowed to hold a whole number of segments.
    KIVProgressBarCtrl(KIVDialog* dialog, const KIVControlRecord& record);

    // A max of 0 counts as 1.
    void SetRange(float max);
    // Ignored below the next threshold; otherwise stored, and the newly
    // filled segments are drawn when the dialog's window exists and the bar
    // is shown. Any thread may call it.
    void SetPosition(float position);
    float GetPosition() const { return position_.load(std::memory_order_relaxed); }
    int Segments() const { return segments_; }
    int DrawnSegments() const { return drawn_.load(std::memory_order_relaxed); }
    float NextThreshold() const { return nextThreshold_.load(std::memory_order_relaxed); }

    // The full painting: the frame, the row and the segments filled at the
    // current position.
    void Draw(const KIVDrawBuffer& buffer) override;

private:
    int Filled() const;
    float Threshold(double count) const;
    // The incremental painting: asks the dialog to draw the segments filled
    // since the last time, at once.
    void DrawNewSegments();
    RECT SegmentsRect(int from, int to) const;
    void DrawFrame(const KIVDrawBuffer& buffer) const;
    void DrawRow(const KIVDrawBuffer& buffer) const;

    std::atomic<float> scale_{0.01f};
    std::atomic<float> position_{0.0f};
    int segments_ = 0;
    std::atomic<int> drawn_{0};
    std::atomic<float> nextThreshold_{-1.0f};
};
