// Scroll bars on the headless display: the thumb's size and place for a
// range, paging by the track, dragging the thumb, the held arrow and track
// repeating through the timer, the inert bar, and the two ways of telling an
// owner of a new position.
#include "DialogFixture.h"
#include "platform/ui/DeviceInput.h"
#include "toolkit/controls/KIVScrollBarCtrl.h"
#include "toolkit/drawing/KIVLook.h"
#include "toolkit/drawing/KIVPainter.h"

#include <string>

using namespace dialog_test;

namespace {

// Dialog 500: a vertical bar 501 at (10, 10)-(24, 110), so its arrows end at
// 24 and start at 96 and its track is 72 pixels long; a horizontal bar 502 at
// (40, 10)-(140, 24).
class ScrollDialog : public KIVDialog {
public:
    ScrollDialog() : KIVDialog(nullptr, 500) {}
    void OnControlEvent(int kind, int id, int value) override {
        events +=
            std::to_string(kind) + ":" + std::to_string(id) + "=" + std::to_string(value) + " ";
    }
    KIVScrollBarCtrl& Bar(LONG id) { return *static_cast<KIVScrollBarCtrl*>(GetControl(id)); }
    std::string events;
};

class ScrollBarTest : public DialogTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
        Pump();
    }
    POINT Screen(int x, int y) const {
        POINT at{x, y};
        ClientToScreen(dialog, &at);
        return at;
    }
    void Press(int x, int y) {
        DeviceInput::MouseButton(VK_LBUTTON, true, Screen(x, y));
        Pump();
    }
    void Release(int x, int y) {
        DeviceInput::MouseButton(VK_LBUTTON, false, Screen(x, y));
        Pump();
    }
    void Tick(LONG id) { SendMessageW(dialog, WM_TIMER, static_cast<WPARAM>(id), 0); }

    ScrollDialog dialog;
};

// An owner in code with an embedded bar along its right edge.
class OwnerControl : public KIVControl, public KIVScrollListener {
public:
    OwnerControl(KIVDialog* dialog)
        : KIVControl(dialog, 590, RECT{200, 50, 250, 150}, 0, 1, 0),
          bar(this, this, RECT{236, 50, 250, 150}, true) {}
    void OnScroll(KIVScrollBarCtrl*, int position) override { heard.push_back(position); }
    KIVScrollBarCtrl bar;
    std::vector<int> heard;
};

} // namespace

TEST_F(ScrollBarTest, TheThumbIsAsLongAsThePageAndFollowsThePosition) {
    KIVScrollBarCtrl& bar = dialog.Bar(501);
    EXPECT_TRUE(bar.IsVertical());
    bar.SetRange(0, 100, 25);
    RECT thumb = bar.ThumbRect();
    EXPECT_EQ(thumb.top, 24);
    EXPECT_EQ(thumb.bottom - thumb.top, 18) << "a quarter of the track";
    EXPECT_EQ(thumb.left, 10);
    EXPECT_EQ(thumb.right, 24);
    bar.SetPosition(30);
    EXPECT_EQ(bar.ThumbRect().top, 24 + 30 * 54 / 75);
    bar.SetPosition(500);
    EXPECT_EQ(bar.GetPosition(), 75) << "cut to maximum - page";
    EXPECT_EQ(bar.ThumbRect().bottom, 96);
    bar.SetRange(0, 100000, 1);
    EXPECT_EQ(bar.ThumbRect().bottom - bar.ThumbRect().top, KIVScrollBarCtrl::kMinThumb);
    bar.SetRange(-50, 50, 50);
    EXPECT_EQ(bar.GetPosition(), 0) << "cut to the new range";

    KIVScrollBarCtrl& across = dialog.Bar(502);
    EXPECT_FALSE(across.IsVertical());
    across.SetRange(0, 10, 5);
    EXPECT_EQ(across.ThumbRect().left, 54);
    EXPECT_EQ(across.ThumbRect().right, 54 + 36);
    EXPECT_EQ(across.ThumbRect().top, 10);
}

TEST_F(ScrollBarTest, TheThumbIsDrawnRaisedOnTheTrack) {
    dialog.Bar(501).SetRange(0, 100, 25);
    dialog.Bar(501).SetPosition(75);
    Pump();
    EXPECT_EQ(ScreenPixel(dialog, 17, 85), KIVLook::kPaper) << "thumb face";
    EXPECT_EQ(ScreenPixel(dialog, 17, 78), KIVLook::kOutline) << "thumb outline";
    EXPECT_EQ(ScreenPixel(dialog, 17, 50), KIVLook::kTrack);
    // The arrows' triangles: the tip of the upper one, the base of the lower.
    EXPECT_EQ(ScreenPixel(dialog, 17, 15), KIVLook::kInk);
    EXPECT_EQ(ScreenPixel(dialog, 14, 101), KIVLook::kInk);
    EXPECT_EQ(ScreenPixel(dialog, 13, 101), KIVLook::kPaper);
    EXPECT_EQ(ScreenPixel(dialog, 17, 104), KIVLook::kInk);
    EXPECT_EQ(ScreenPixel(dialog, 16, 104), KIVLook::kPaper);
}

TEST_F(ScrollBarTest, AClickOnTheTrackPagesTowardsTheMouseAndTellsTheDialog) {
    dialog.Bar(501).SetRange(0, 100, 25);
    Press(17, 80);
    Release(17, 80);
    EXPECT_EQ(dialog.Bar(501).GetPosition(), 25);
    Press(17, 30);
    Release(17, 30);
    EXPECT_EQ(dialog.Bar(501).GetPosition(), 0);
    Press(17, 30);
    Release(17, 30);
    EXPECT_EQ(dialog.events, "7:501=25 7:501=0 ") << "no event when nothing moved";
}

TEST_F(ScrollBarTest, DraggingTheThumbStopsAtBothEnds) {
    KIVScrollBarCtrl& bar = dialog.Bar(501);
    bar.SetRange(0, 100, 25);
    Press(17, 30);
    ASSERT_TRUE(bar.IsPressed());
    DeviceInput::MouseMove(Screen(17, 30 + 27));
    Pump();
    EXPECT_EQ(bar.GetPosition(), 38) << "half the travel";
    DeviceInput::MouseMove(Screen(60, 400));
    Pump();
    EXPECT_EQ(bar.GetPosition(), 75);
    DeviceInput::MouseMove(Screen(17, -300));
    Pump();
    EXPECT_EQ(bar.GetPosition(), 0);
    Release(17, -300);
    EXPECT_FALSE(bar.IsPressed());
    EXPECT_EQ(dialog.events, "7:501=38 7:501=75 7:501=0 ");
}

TEST_F(ScrollBarTest, AHeldArrowRepeatsWithTheTimerUntilReleased) {
    KIVScrollBarCtrl& bar = dialog.Bar(501);
    bar.SetRange(0, 100, 25);
    bar.SetLineStep(2);
    Press(17, 105);
    EXPECT_EQ(bar.GetPosition(), 2);
    Tick(501);
    Tick(501);
    EXPECT_EQ(bar.GetPosition(), 6);
    // Off the arrow the repeat pauses; back on it, it goes on.
    DeviceInput::MouseMove(Screen(17, 50));
    Pump();
    Tick(501);
    EXPECT_EQ(bar.GetPosition(), 6);
    DeviceInput::MouseMove(Screen(17, 105));
    Pump();
    Tick(501);
    EXPECT_EQ(bar.GetPosition(), 8);
    Release(17, 105);
    Tick(501);
    EXPECT_EQ(bar.GetPosition(), 8);
    Press(17, 15);
    EXPECT_EQ(bar.GetPosition(), 6) << "the upper arrow steps back";
    Release(17, 15);
}

TEST_F(ScrollBarTest, AHeldTrackRepeatsUntilTheThumbReachesTheMouse) {
    KIVScrollBarCtrl& bar = dialog.Bar(501);
    bar.SetRange(0, 1000, 100);
    Press(17, 60);
    EXPECT_EQ(bar.GetPosition(), 100);
    for (int tick = 0; tick < 10; ++tick)
        Tick(501);
    EXPECT_EQ(bar.GetPosition(), 400);
    const RECT thumb = bar.ThumbRect();
    EXPECT_TRUE(thumb.top <= 60 && 60 < thumb.bottom);
    Release(17, 60);
}

TEST_F(ScrollBarTest, ABarWhoseContentFitsThePageIsInert) {
    KIVScrollBarCtrl& bar = dialog.Bar(501);
    bar.SetRange(0, 100, 25);
    Pump();
    EXPECT_EQ(ScreenPixel(dialog, 17, 18), KIVLook::kInk);
    bar.SetRange(0, 10, 10);
    Pump();
    EXPECT_FALSE(bar.IsActive());
    const RECT thumb = bar.ThumbRect();
    EXPECT_TRUE(IsRectEmpty(&thumb));
    EXPECT_EQ(ScreenPixel(dialog, 17, 18),
              KIVPainter::Fade(KIVLook::kInk, KIVLook::kPaper, KIVLook::kDisabledFactor));
    EXPECT_EQ(ScreenPixel(dialog, 17, 50), KIVLook::kTrack) << "no thumb";
    Press(17, 105);
    Release(17, 105);
    DeviceInput::MouseWheel(-WHEEL_DELTA, Screen(17, 50));
    Pump();
    EXPECT_EQ(bar.GetPosition(), 0);
    EXPECT_EQ(dialog.events, "");
}

TEST_F(ScrollBarTest, TheWheelScrollsThreeLinesANotch) {
    KIVScrollBarCtrl& bar = dialog.Bar(501);
    bar.SetRange(0, 100, 25);
    DeviceInput::MouseWheel(-2 * WHEEL_DELTA, Screen(17, 50));
    Pump();
    EXPECT_EQ(bar.GetPosition(), 6);
    DeviceInput::MouseWheel(WHEEL_DELTA, Screen(17, 50));
    Pump();
    EXPECT_EQ(bar.GetPosition(), 3);
}

TEST_F(ScrollBarTest, AnEmbeddedBarTellsItsOwnerAndNotTheDialog) {
    OwnerControl owner(&dialog);
    owner.bar.SetRange(0, 10, 2);
    EXPECT_EQ(owner.bar.GetId(), 590);
    owner.bar.OnMouseDown(POINT{243, 145}, 0);
    owner.bar.OnTimer();
    owner.bar.OnMouseUp(POINT{243, 145}, 0);
    EXPECT_EQ(owner.heard, (std::vector<int>{1, 2}));
    owner.bar.SetPosition(5);
    EXPECT_EQ(owner.heard.size(), 2u) << "the owner's own change is not told back";
    EXPECT_EQ(dialog.events, "");
    owner.Enable(false);
    EXPECT_FALSE(owner.bar.IsActive()) << "a disabled owner's bar is inert";
}
