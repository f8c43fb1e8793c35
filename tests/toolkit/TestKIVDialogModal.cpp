// Dialogs run modally (results, owners, nested dialogs, the idle work), and a
// worker thread's drawing, which reaches the window only through the
// user-interface thread.
#include "DialogFixture.h"
#include "toolkit/KIVIdleTasks.h"
#include "toolkit/KIVThread.h"
#include "toolkit/controls/KIVTextButtonCtrl.h"

#include <atomic>
#include <functional>

using namespace dialog_test;

namespace {

// A dialog that runs a step from its idle work, once.
class StepDialog : public KIVDialog {
public:
    explicit StepDialog(CWnd* parent) : KIVDialog(parent, -1) {}
    bool OnIdleWork() override {
        if (step) {
            auto run = std::move(step);
            step = nullptr;
            run();
        }
        return false;
    }
    std::function<void()> step;
};

// A control that paints its rectangle in one colour.
class ColourControl : public KIVControl {
public:
    ColourControl(KIVDialog* dialog, DWORD colour)
        : KIVControl(dialog, 7, RECT{0, 0, 20, 20}, 0, 1, 0), colour_(colour) {}
    void Draw(const KIVDrawBuffer& buffer) override {
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                if (buffer.MayDraw(x, y))
                    *buffer.At(x, y) = colour_.load();
        KIVControl::Draw(buffer);
    }
    std::atomic<DWORD> colour_;
};

// A worker that repaints a control and waits until told to end.
class PaintingWorker : public KIVThread {
public:
    explicit PaintingWorker(ColourControl* control) : control_(control) {}
    DWORD Run() override {
        control_->colour_.store(0x00FF0000);
        control_->RequestFullDraw();
        requested.store(true);
        while (!finish.load())
            Sleep(1);
        return 0;
    }
    std::atomic<bool> requested{false};
    std::atomic<bool> finish{false};

private:
    ColourControl* control_;
};

} // namespace

// A message over a page takes the focus to its default button and gives it
// back to the page's control when it ends.
TEST_F(DialogTest, ASecondModalDialogOpensOnItsDefaultAndGivesTheFocusBack) {
    StepDialog first(nullptr);
    StepDialog second(nullptr);
    auto* answer = static_cast<KIVTextButtonCtrl*>(
        second.AddControl(std::make_unique<KIVTextButtonCtrl>(&second, 4, RECT{0, 0, 40, 20}, 0)));
    answer->SetDefault(true);
    LONG focusedDuring = 0;
    bool firstFocusedDuring = true;
    LONG focusedAfter = 0;
    second.step = [&] {
        focusedDuring = second.FocusedControl() ? second.FocusedControl()->GetId() : 0;
        firstFocusedDuring = first.FocusedControl() != nullptr;
        second.EndDialog(KIVDialog::kOK);
    };
    first.step = [&] {
        first.AddControl(std::make_unique<KIVTextButtonCtrl>(&first, 9, RECT{0, 0, 40, 20}, 0));
        first.SetFocusControl(9);
        second.DoModal(WS_POPUP | WS_CAPTION, 0);
        focusedAfter = first.FocusedControl() ? first.FocusedControl()->GetId() : 0;
        first.EndDialog(KIVDialog::kOK);
    };
    EXPECT_EQ(first.DoModal(WS_POPUP | WS_CAPTION, 0), KIVDialog::kOK);
    EXPECT_EQ(focusedDuring, 4);
    EXPECT_FALSE(firstFocusedDuring);
    EXPECT_EQ(focusedAfter, 9);
}

TEST_F(DialogTest, ASecondModalDialogIsOwnedByTheFirstWhichIsActiveAgainAfterIt) {
    StepDialog first(nullptr);
    StepDialog second(nullptr);
    HWND secondOwner = nullptr;
    HWND firstWindow = nullptr;
    BOOL firstEnabledDuringSecond = TRUE;
    HWND activeAfterSecond = nullptr;
    INT_PTR secondResult = 0;
    std::size_t depth = 0;
    second.step = [&] {
        secondOwner = GetWindow(second, GW_OWNER);
        firstWindow = first.GetSafeHwnd();
        firstEnabledDuringSecond = IsWindowEnabled(first);
        depth = KIVDialog::ModalStack().size();
        second.EndDialog(5);
    };
    first.step = [&] {
        secondResult = second.DoModal(WS_POPUP | WS_CAPTION, 0);
        activeAfterSecond = GetActiveWindow();
        firstWindow = first.GetSafeHwnd();
        first.EndDialog(KIVDialog::kOK);
    };
    EXPECT_EQ(first.DoModal(WS_POPUP | WS_CAPTION, 0), KIVDialog::kOK);
    EXPECT_EQ(secondResult, 5);
    ASSERT_NE(firstWindow, nullptr);
    EXPECT_EQ(secondOwner, firstWindow);
    EXPECT_FALSE(firstEnabledDuringSecond);
    EXPECT_EQ(depth, 2u);
    EXPECT_TRUE(KIVDialog::ModalStack().empty());
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(activeAfterSecond, firstWindow);
}

TEST_F(DialogTest, ADialogRunTwiceMakesItsControlsOnce) {
    StepDialog dialog(nullptr);
    for (int run = 0; run < 2; ++run) {
        dialog.step = [&] {
            dialog.AddControl(std::make_unique<KIVControl>(&dialog, 5, RECT{}, 0, 1, 0));
            dialog.EndDialog(run);
        };
        EXPECT_EQ(dialog.DoModal(WS_POPUP, 0), run);
    }
    EXPECT_EQ(dialog.ControlCount(), 1);
}

TEST_F(DialogTest, AModalDialogDisablesItsParentUntilItEnds) {
    KIVDialog parent(nullptr, 10);
    ASSERT_TRUE(parent.Create(WS_POPUP, 0));
    StepDialog dialog(&parent);
    BOOL parentEnabled = TRUE;
    HWND owner = nullptr;
    dialog.step = [&] {
        parentEnabled = IsWindowEnabled(parent);
        owner = GetWindow(dialog, GW_OWNER);
        dialog.OnCancel();
    };
    EXPECT_EQ(dialog.DoModal(WS_POPUP, 0), KIVDialog::kCancel);
    EXPECT_FALSE(parentEnabled);
    EXPECT_EQ(owner, parent.GetSafeHwnd());
    EXPECT_TRUE(IsWindowEnabled(parent));
}

TEST_F(DialogTest, AWorkersDrawingIsShownOnlyByTheUserInterfaceThread) {
    KIVDialog dialog(nullptr, -1);
    ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
    auto* control = static_cast<ColourControl*>(
        dialog.AddControl(std::make_unique<ColourControl>(&dialog, 0x000000FF)));
    control->RequestFullDraw();
    Pump();
    ASSERT_EQ(ScreenPixel(dialog, 5, 5), 0x000000FFu);

    PaintingWorker worker(control);
    ASSERT_TRUE(worker.Start());
    while (!worker.requested.load())
        Sleep(1);
    EXPECT_EQ(dialog.PixelAt(5, 5), 0x00FF0000u); // drawn into the buffer at once
    EXPECT_EQ(ScreenPixel(dialog, 5, 5), 0x000000FFu);
    EXPECT_TRUE(KIVIdleTasks::Application().Run() || KIVIdleTasks::Application().Run());
    EXPECT_EQ(ScreenPixel(dialog, 5, 5), 0x00FF0000u);
    worker.finish.store(true);
    while (!worker.IsDone())
        Sleep(10);
}

namespace {

// A dialog whose idle work has `more` further steps after the first call.
class IdleDialog : public KIVDialog {
public:
    IdleDialog() : KIVDialog(nullptr, -1) {}
    bool OnIdleWork() override {
        ++calls;
        return endless || calls <= more;
    }
    int calls = 0;
    int more = 0;
    bool endless = false;
};

void IdleTick(HWND dialog) {
    SendMessageW(dialog, WM_TIMER, KIVDialog::kTimerBase + KIVDialog::kIdleTimer, 0);
}

} // namespace

TEST_F(DialogTest, IdleWorkWaitsForPendingItemsAndRunsWithinItsBudget) {
    IdleDialog dialog;
    ASSERT_TRUE(dialog.Create(WS_POPUP, 0));
    IdleTick(dialog);
    EXPECT_EQ(dialog.calls, 0); // not while hidden
    ShowWindow(dialog, SW_SHOWNA);
    bool itemRan = false;
    app->AddPendingItem([&] { itemRan = true; });
    IdleTick(dialog);
    EXPECT_TRUE(itemRan);
    EXPECT_EQ(dialog.calls, 0);
    dialog.more = 3;
    IdleTick(dialog);
    EXPECT_EQ(dialog.calls, 4);

    dialog.endless = true;
    const DWORD start = GetTickCount();
    IdleTick(dialog);
    EXPECT_LT(GetTickCount() - start, 50u);
    EXPECT_GT(dialog.calls, 5);
}
