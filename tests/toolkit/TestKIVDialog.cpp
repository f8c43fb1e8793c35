// Dialogs on the headless display: the layout read from the dialog file
// (placement, margins, the control records, the hidden flag), the pixels of
// a label, keyboard routing between child and parent dialogs, the focus
// moves, nested modal dialogs and their owners, and the lookup that input
// scripts use.
#include "DialogFixture.h"
#include "platform/ui/DeviceInput.h"
#include "platform/ui/script/ControlLookup.h"

using namespace dialog_test;

namespace {

// A control that takes the focus and counts the keys it saw.
class FocusControl : public KIVControl {
public:
    FocusControl(KIVDialog* dialog, LONG id, int left)
        : KIVControl(dialog, id, RECT{left, 10, left + 20, 30}, 0, 1, 0) {}
    bool AcceptsFocus() const override { return true; }
};

// A dialog without a stored layout whose controls are made in code.
class CodeDialog : public KIVDialog {
public:
    explicit CodeDialog(CWnd* parent = nullptr) : KIVDialog(parent, -1) {}
    void OnInitControls() override {
        for (LONG id = 1; id <= count; ++id)
            AddControl(std::make_unique<FocusControl>(this, 100 + id, 30 * static_cast<int>(id)));
    }
    void OnOK() override { ++oks; }
    void OnCancel() override { ++cancels; }
    LONG count = 3;
    int oks = 0;
    int cancels = 0;
};

LONG FocusedId(const KIVDialog& dialog) {
    return dialog.FocusedControl() ? dialog.FocusedControl()->GetId() : -1;
}

void PressKey(HWND hwnd, UINT key) {
    SendMessageW(hwnd, WM_KEYDOWN, key, 0);
}

} // namespace

TEST_F(DialogTest, ACentredLayoutIsPlacedOnTheFullScreenAreaWithItsDefaultMargins) {
    KIVDialog dialog(nullptr, 10);
    ASSERT_TRUE(dialog.Create(WS_POPUP, 0));
    RECT rect{};
    GetWindowRect(dialog, &rect);
    EXPECT_EQ(rect.left, 312);
    EXPECT_EQ(rect.top, 219);
    EXPECT_EQ(rect.right - rect.left, 400);
    EXPECT_EQ(dialog.LeftMargin(), 12);
    EXPECT_EQ(dialog.TopMargin(), 6);
    EXPECT_EQ(GetWindowLongPtrW(dialog, GWLP_ID), 10);
    EXPECT_EQ(display->Title(dialog), u"Ten");
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_TRUE(dialog.IsInitialised());
}

TEST_F(DialogTest, ControlRecordsAreReadPastLongerRecordsAndUnknownTypes) {
    KIVDialog dialog(nullptr, 10);
    ASSERT_TRUE(dialog.Create(WS_POPUP, 0));
    ASSERT_EQ(dialog.ControlCount(), 3);
    EXPECT_EQ(dialog.ControlAt(0)->GetText(), u"Hello");
    EXPECT_EQ(dialog.ControlAt(1)->GetId(), 1001);
    EXPECT_FALSE(dialog.HasControl(1002));
    const KIVControl* after = dialog.GetControl(1003);
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->GetText(), u"After");
    EXPECT_EQ(after->GetTooltip(), u"Tip");
    EXPECT_EQ(after->GetRect().top, 100);
}

TEST_F(DialogTest, AHiddenLayoutBesideItsParentKeepsItsMarginsAndStaysHidden) {
    KIVDialog parent(nullptr, 10);
    ASSERT_TRUE(parent.Create(WS_POPUP, 0));
    KIVDialog dialog(&parent, 11);
    ASSERT_TRUE(dialog.Create(WS_POPUP, 0));
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(dialog.LeftMargin(), 5);
    EXPECT_EQ(dialog.TopMargin(), 7);
    RECT rect{};
    GetWindowRect(dialog, &rect);
    EXPECT_EQ(rect.left, 30); // flag 0x4000 is not set: the layout's own place
    EXPECT_EQ(rect.top, 40);
}

TEST_F(DialogTest, AMissingLayoutEndsInitialisationWithoutControls) {
    KIVDialog dialog(nullptr, 12);
    ASSERT_TRUE(dialog.Create(WS_POPUP, 0));
    EXPECT_EQ(dialog.ControlCount(), 0);
    EXPECT_FALSE(dialog.IsInitialised());
}

TEST_F(DialogTest, ALabelIsDrawnOnTheScreenOnlyInsideItsRectangle) {
    KIVDialog dialog(nullptr, 10);
    ASSERT_TRUE(dialog.Create(WS_POPUP, 0));
    Pump();
    int dark = 0;
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 60; ++x)
            if (ScreenPixel(dialog, x, y) < 0x00404040)
                ++dark;
    EXPECT_GT(dark, 20);
    EXPECT_EQ(ScreenPixel(dialog, 5, 5), KIVDialog::kBackground);
    EXPECT_EQ(ScreenPixel(dialog, 300, 50), KIVDialog::kBackground);
    EXPECT_TRUE(IsRectEmpty(&dialog.InvalidRect()));

    // A new text is drawn at the next paint, the old one erased.
    dialog.GetControl(1000)->SetText(u"");
    Pump();
    EXPECT_EQ(ScreenPixel(dialog, 12, 20), KIVDialog::kBackground);
}

TEST_F(DialogTest, ScriptsFindAControlsScreenRectangleAndText) {
    KIVDialog dialog(nullptr, 10);
    ASSERT_TRUE(dialog.Create(WS_POPUP, 0));
    ScriptControl found;
    ASSERT_TRUE(FindScriptControl(dialog, 1003, &found));
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    EXPECT_EQ(found.screen.left, origin.x + 10);
    EXPECT_EQ(found.screen.bottom, origin.y + 120);
    EXPECT_EQ(found.text, u"After");
    dialog.GetControl(1003)->Show(false);
    EXPECT_FALSE(FindScriptControl(dialog, 1003, &found));
}

TEST_F(DialogTest, EnterAndEscapeInAChildDialogReachTheParent) {
    CodeDialog parent;
    ASSERT_TRUE(parent.Create(WS_POPUP, 0));
    CodeDialog child(&parent);
    child.count = 0;
    ASSERT_TRUE(child.Create(WS_CHILD, 0));
    PressKey(child, VK_RETURN);
    PressKey(child, VK_ESCAPE);
    EXPECT_EQ(parent.oks, 1);
    EXPECT_EQ(parent.cancels, 1);
    EXPECT_EQ(child.oks, 0);
    PressKey(parent, VK_RETURN);
    EXPECT_EQ(parent.oks, 2);
}

TEST_F(DialogTest, TabAndShiftTabWrapAroundTheControls) {
    CodeDialog dialog;
    ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
    SetActiveWindow(dialog); // Shift goes to the active window's thread
    PressKey(dialog, VK_TAB);
    EXPECT_EQ(FocusedId(dialog), 101);
    dialog.SetFocusControl(103);
    PressKey(dialog, VK_TAB);
    EXPECT_EQ(FocusedId(dialog), 101);
    DeviceInput::Key(VK_SHIFT, true);
    Pump();
    PressKey(dialog, VK_TAB);
    DeviceInput::Key(VK_SHIFT, false);
    Pump();
    EXPECT_EQ(FocusedId(dialog), 103);
}

TEST_F(DialogTest, HidingOrDisablingTheFocusedControlMovesTheFocusOn) {
    CodeDialog dialog;
    ASSERT_TRUE(dialog.Create(WS_POPUP, 0));
    dialog.SetFocusControl(102);
    dialog.GetControl(102)->Show(false);
    EXPECT_EQ(FocusedId(dialog), 103);
    dialog.GetControl(103)->Enable(false);
    EXPECT_EQ(FocusedId(dialog), 101);
    dialog.GetControl(101)->Show(false);
    EXPECT_EQ(FocusedId(dialog), -1);
}

TEST_F(DialogTest, GivingTheFocusTakesItFromAnotherDialog) {
    CodeDialog first;
    CodeDialog second;
    ASSERT_TRUE(first.Create(WS_POPUP, 0));
    ASSERT_TRUE(second.Create(WS_POPUP, 0));
    first.SetFocusControl(101);
    second.SetFocusControl(102);
    EXPECT_EQ(FocusedId(first), -1);
    EXPECT_EQ(FocusedId(second), 102);
}

TEST_F(DialogTest, AClickGivesTheFocusToTheControlUnderTheMouse) {
    CodeDialog dialog;
    ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
    POINT at{65, 15}; // inside the second control
    ClientToScreen(dialog, &at);
    DeviceInput::MouseButton(VK_LBUTTON, true, at);
    DeviceInput::MouseButton(VK_LBUTTON, false, at);
    Pump();
    EXPECT_EQ(FocusedId(dialog), 102);
    dialog.GetControl(103)->Enable(false);
    at = POINT{95, 15};
    ClientToScreen(dialog, &at);
    DeviceInput::MouseButton(VK_LBUTTON, true, at);
    Pump();
    EXPECT_EQ(FocusedId(dialog), 102);
}

TEST_F(DialogTest, ClickedNotificationsOfTheOkAndCancelIdentifiersEndTheDialog) {
    KIVDialog dialog(nullptr, -1);
    ASSERT_TRUE(dialog.Create(WS_POPUP, 0));
    dialog.OnControlNotify(KIVControl::kNotifyClicked, 5, 0, false);
    EXPECT_FALSE(dialog.HasEnded());
    dialog.OnControlNotify(KIVControl::kNotifyClicked, IDCANCEL, 0, false);
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_FALSE(IsWindowVisible(dialog));
}
