// The segmented progress bar of dialog 310 (tests/data/dialogs/edit.txt),
// 120 pixels wide in its record: the width narrowed to whole segments, the
// range and the thresholds, the drawing of only newly filled segments, and
// positions fed from a worker thread while the user-interface thread paints.
#include "DialogFixture.h"
#include "toolkit/KIVThread.h"
#include "toolkit/controls/KIVProgressBarCtrl.h"
#include "toolkit/drawing/KIVLook.h"

#include <cmath>

using namespace dialog_test;

namespace {

// Remembers the rectangle each paint draws.
class BarDialog : public KIVDialog {
public:
    BarDialog() : KIVDialog(nullptr, 310) {}
    void OnPaint() override {
        painted.push_back(InvalidRect());
        KIVDialog::OnPaint();
    }
    std::vector<RECT> painted;
};

class ProgressTest : public DialogTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
        Pump();
        dialog.painted.clear();
    }
    void TearDown() override { dialog.DestroyWindow(); }
    KIVProgressBarCtrl& Bar() { return *static_cast<KIVProgressBarCtrl*>(dialog.GetControl(311)); }
    // Whether segment i shows filled on the screen: an empty one shows the
    // white well there.
    bool Filled(int i) {
        return ScreenPixel(dialog, 10 + 12 + i * 9 + 3, 10 + 12) != KIVLook::kWell;
    }
    int FilledCount() {
        int count = 0;
        for (int i = 0; i < Bar().Segments(); ++i)
            count += Filled(i);
        return count;
    }
    BarDialog dialog;
};

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

TEST_F(ProgressTest, TheWidthIsNarrowedToWholeSegments) {
    EXPECT_EQ(Bar().Segments(), 10);
    EXPECT_EQ(Bar().GetRect().left, 10);
    EXPECT_EQ(Bar().GetRect().right, 10 + 10 * 9 + 6 + 6 + 10);
    EXPECT_EQ(Bar().GetRect().bottom, 34);
    EXPECT_EQ(ScreenPixel(dialog, 125, 20), KIVDialog::kBackground);
    EXPECT_NE(ScreenPixel(dialog, 121, 20), KIVDialog::kBackground) << "the frame's right end";
}

TEST_F(ProgressTest, ARangeOfZeroActsAsOne) {
    Bar().SetRange(0.0f);
    Bar().SetPosition(0.5f);
    EXPECT_EQ(Bar().DrawnSegments(), 5);
    EXPECT_EQ(FilledCount(), 5);
}

TEST_F(ProgressTest, OnlyAPositionThatFillsAFurtherSegmentDrawsAndOnlyThatSegment) {
    Bar().SetRange(100.0f);
    Bar().SetPosition(0.0f);
    EXPECT_FLOAT_EQ(Bar().NextThreshold(), 10.0f);
    for (float position : {1.0f, 5.0f, 9.9f})
        Bar().SetPosition(position);
    EXPECT_FLOAT_EQ(Bar().GetPosition(), 0.0f) << "not even stored";
    EXPECT_TRUE(dialog.painted.empty());
    EXPECT_EQ(FilledCount(), 0);

    Bar().SetPosition(10.0f);
    ASSERT_EQ(dialog.painted.size(), 1u) << "painted at once";
    EXPECT_TRUE(SameRect(dialog.painted[0], RECT{22, 17, 32, 27}));
    EXPECT_EQ(Bar().DrawnSegments(), 1);
    EXPECT_TRUE(Filled(0));
    EXPECT_FALSE(Filled(1));
    EXPECT_FLOAT_EQ(Bar().NextThreshold(), 20.0f);

    Bar().SetPosition(35.0f);
    ASSERT_EQ(dialog.painted.size(), 2u);
    EXPECT_TRUE(SameRect(dialog.painted[1], RECT{31, 17, 50, 27})) << "segments 1 and 2";
    EXPECT_EQ(FilledCount(), 3);
}

TEST_F(ProgressTest, APositionBeyondTheRangeFillsEverySegmentOnce) {
    Bar().SetPosition(150.0f);
    EXPECT_EQ(Bar().DrawnSegments(), 10);
    EXPECT_EQ(FilledCount(), 10);
    ASSERT_EQ(dialog.painted.size(), 1u);
    Bar().SetPosition(200.0f);
    EXPECT_FLOAT_EQ(Bar().NextThreshold(), KIVProgressBarCtrl::kBeyondEverything / 0.01f);
    Bar().SetPosition(1.0e6f);
    EXPECT_EQ(dialog.painted.size(), 1u);
    EXPECT_FLOAT_EQ(Bar().GetPosition(), 200.0f);
}

TEST_F(ProgressTest, ASmallerPositionLeavesTheBarAsItWas) {
    Bar().SetPosition(50.0f);
    Bar().SetPosition(20.0f);
    Bar().SetPosition(std::nanf(""));
    EXPECT_FLOAT_EQ(Bar().GetPosition(), 50.0f);
    EXPECT_EQ(dialog.painted.size(), 1u);
    EXPECT_EQ(FilledCount(), 5);
}

TEST_F(ProgressTest, AFullPaintingDrawsTheSegmentsOfTheCurrentPosition) {
    Bar().Show(false);
    Bar().SetPosition(40.0f);
    EXPECT_EQ(Bar().DrawnSegments(), 0) << "a hidden bar draws nothing";
    Bar().Show(true);
    Pump();
    EXPECT_EQ(FilledCount(), 4);
    EXPECT_EQ(ScreenPixel(dialog, 10, 10), KIVLook::kOutline) << "the frame's corner";
}

namespace {

// Feeds positions 0 to 100 in small steps, as the setup's worker does.
class FeedingWorker : public KIVThread {
public:
    explicit FeedingWorker(KIVProgressBarCtrl* bar) : bar_(bar) {}
    DWORD Run() override {
        for (int step = 0; step <= 2000; ++step)
            bar_->SetPosition(static_cast<float>(step) * 0.05f);
        return 0;
    }

private:
    KIVProgressBarCtrl* bar_;
};

} // namespace

TEST_F(ProgressTest, PositionsFedFromAWorkerReachTheScreenWhileTheWindowPaints) {
    FeedingWorker worker(&Bar());
    ASSERT_TRUE(worker.Start());
    while (!worker.IsDone()) {
        dialog.Invalidate(Bar().GetRect());
        UpdateWindow(dialog);
        app->RunIdleTasks(0);
        Pump();
    }
    // The worker's last request reaches the window when the worker ends.
    Pump();
    EXPECT_EQ(Bar().DrawnSegments(), 10);
    EXPECT_EQ(FilledCount(), 10);
}
