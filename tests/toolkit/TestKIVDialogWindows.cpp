// The tooltip of a dialog's control, timers that belong to controls, and the
// frame windows.
#include "DialogFixture.h"
#include "platform/ShellApi.h"
#include "platform/ui/DeviceInput.h"
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

// Disabling the application takes the tooltip down, and a delay that runs
// out while it is disabled shows none.
TEST_F(DialogTest, DisablingTheApplicationHidesTheTooltip) {
    KIVDialog dialog(nullptr, 10);
    ASSERT_TRUE(dialog.Create(WS_POPUP, 0));
    const WPARAM delay = KIVDialog::kTimerBase + KIVDialog::kTooltipDelayTimer;
    SendMessageW(dialog, WM_MOUSEMOVE, 0, At(20, 110));
    SendMessageW(dialog, WM_TIMER, delay, 0);
    ASSERT_TRUE(KIVTooltip::Get().IsShown());
    app->EnableApplication(false);
    EXPECT_FALSE(KIVTooltip::Get().IsShown());
    SendMessageW(dialog, WM_TIMER, delay, 0);
    EXPECT_FALSE(KIVTooltip::Get().IsShown());
    app->EnableApplication(true);
    SendMessageW(dialog, WM_TIMER, delay, 0);
    EXPECT_TRUE(KIVTooltip::Get().IsShown());
    KIVTooltip::Get().Hide();
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

TEST_F(DialogTest, FilesDroppedOnAFrameAreOpenedOneByOneAndOnlyWhole) {
    KIVFrameWnd frame;
    ASSERT_TRUE(frame.Create(nullptr, WS_POPUP | WS_VISIBLE, RECT{10, 10, 110, 60}));
    const std::string readme = machine.DriveC("Docs/readme.txt");
    const std::string tooLong = machine.DriveC(std::string(270, 'x') + ".txt");
    DeviceInput::DropFiles({readme, tooLong, "/tmp/outside.txt"}, POINT{20, 20});
    DeviceInput::DropFiles({readme}, POINT{200, 200}); // on no window
    Pump();
    EXPECT_EQ(app->opened,
              (std::vector<std::u16string>{u"C:\\Docs\\readme.txt", u"Z:\\tmp\\outside.txt"}));
}

TEST_F(DialogTest, ADropHandleAnswersForItsFilesUntilItIsFinished) {
    KIVDialog dialog(nullptr, -1); // a window that does not take drops
    ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
    DragAcceptFiles(dialog, TRUE);
    MSG msg;
    DeviceInput::DropFiles({machine.DriveC("a.txt"), machine.DriveC("b.txt")}, POINT{30, 30});
    ASSERT_TRUE(PeekMessageW(&msg, dialog, WM_DROPFILES, WM_DROPFILES, PM_REMOVE));
    const HDROP drop = reinterpret_cast<HDROP>(msg.wParam);
    EXPECT_EQ(DragQueryFileW(drop, 0xFFFFFFFFu, nullptr, 0), 2u);
    char16_t name[6];
    EXPECT_EQ(DragQueryFileW(drop, 1, nullptr, 0), 8u); // C:\b.txt
    EXPECT_EQ(DragQueryFileW(drop, 1, name, 6), 5u);
    EXPECT_EQ(std::u16string(name), u"C:\\b.");
    POINT at{};
    EXPECT_TRUE(DragQueryPoint(drop, &at));
    RECT rect{};
    GetWindowRect(dialog, &rect);
    EXPECT_EQ(at.x, 30 - rect.left);
    DragFinish(drop);
    EXPECT_EQ(DragQueryFileW(drop, 0xFFFFFFFFu, nullptr, 0), 0u);
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
