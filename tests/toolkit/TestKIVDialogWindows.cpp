// The tooltip of a dialog's control, timers that belong to controls, and the
// frame windows.
#include "DialogFixture.h"
#include "toolkit/KIVMainFrame.h"
#include "toolkit/KIVTooltip.h"

using namespace dialog_test;

namespace {

class TimedControl : public KIVControl {
public:
    explicit TimedControl(KIVDialog* dialog)
        : KIVControl(dialog, 77, RECT{0, 0, 10, 10}, 0, 1, 0) {}
    void OnTimer() override { ++fired; }
    int fired = 0;
};

// A dialog that records its own timers.
class TimerDialog : public KIVDialog {
public:
    TimerDialog() : KIVDialog(nullptr, -1) {}
    void OnDialogTimer(int n) override { timers.push_back(n); }
    std::vector<int> timers;
};

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

} // namespace

TEST_F(DialogTest, ATooltipIsShownAfterTheDelayAndHiddenWhenTheMouseLeaves) {
    KIVDialog dialog(nullptr, 10);
    ASSERT_TRUE(dialog.Create(WS_POPUP, 0));
    SendMessageW(dialog, WM_MOUSEMOVE, 0, At(20, 110));
    EXPECT_FALSE(KIVTooltip::Get().IsShown());
    SendMessageW(dialog, WM_TIMER, KIVDialog::kTimerBase + KIVDialog::kTooltipDelayTimer, 0);
    ASSERT_TRUE(KIVTooltip::Get().IsShown());
    EXPECT_EQ(KIVTooltip::Get().Text(), u"Tip");
    SendMessageW(dialog, WM_TIMER, KIVDialog::kTimerBase + KIVDialog::kTooltipEndTimer, 0);
    EXPECT_FALSE(KIVTooltip::Get().IsShown());

    SendMessageW(dialog, WM_MOUSEMOVE, 0, At(300, 200));
    SendMessageW(dialog, WM_MOUSEMOVE, 0, At(20, 110));
    SendMessageW(dialog, WM_TIMER, KIVDialog::kTimerBase + KIVDialog::kTooltipDelayTimer, 0);
    EXPECT_TRUE(KIVTooltip::Get().IsShown());
    SendMessageW(dialog, WM_MOUSEMOVE, 0, At(300, 200));
    EXPECT_FALSE(KIVTooltip::Get().IsShown());
    // Over a control without a tooltip nothing is shown.
    SendMessageW(dialog, WM_MOUSEMOVE, 0, At(20, 15));
    SendMessageW(dialog, WM_TIMER, KIVDialog::kTimerBase + KIVDialog::kTooltipDelayTimer, 0);
    EXPECT_FALSE(KIVTooltip::Get().IsShown());
}

TEST_F(DialogTest, TimersBelowTheDialogsRangeGoToTheControlWithThatIdentifier) {
    TimerDialog dialog;
    ASSERT_TRUE(dialog.Create(WS_POPUP, 0));
    auto* control =
        static_cast<TimedControl*>(dialog.AddControl(std::make_unique<TimedControl>(&dialog)));
    SendMessageW(dialog, WM_TIMER, 77, 0);
    SendMessageW(dialog, WM_TIMER, KIVDialog::kTimerBase + 4, 0);
    SendMessageW(dialog, WM_TIMER, 78, 0);
    EXPECT_EQ(control->fired, 1);
    EXPECT_EQ(dialog.timers, std::vector<int>{4});
}

TEST_F(DialogTest, AFrameWindowAcceptsFilesAndIsCalledMainFrameWithoutATitle) {
    KIVFrameWnd frame;
    ASSERT_TRUE(frame.Create(nullptr, WS_POPUP, RECT{0, 0, 50, 40}));
    EXPECT_EQ(display->Title(frame), u"MainFrame");
    EXPECT_TRUE(GetWindowLongPtrW(frame, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    KIVFrameWnd titled;
    ASSERT_TRUE(titled.Create(u"Setup", WS_POPUP, RECT{0, 0, 50, 40}));
    EXPECT_EQ(display->Title(titled), u"Setup");
}

TEST_F(DialogTest, TheMainFrameShowsItsPicture) {
    KIVMainFrame frame(60, 50);
    ASSERT_TRUE(frame.Create(nullptr, WS_POPUP | WS_VISIBLE, RECT{10, 10, 70, 60}));
    const KIVDrawBuffer picture = frame.Picture();
    *picture.At(59, 49) = 0x00123456;
    frame.Invalidate();
    Pump();
    EXPECT_EQ(ScreenPixel(frame, 59, 49), 0x00123456u);
    EXPECT_EQ(ScreenPixel(frame, 0, 0), KIVMainFrame::kBlank);
}
