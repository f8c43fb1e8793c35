// The edit field under the mouse and on the screen: the first press takes
// the focus, later presses place the caret, drags select and scroll, a
// double click selects a word; the drawing of the well, the selection and
// the caret; scrolling a long text; the input method's position.
#include "EditFixture.h"
#include "platform/ui/InputMethodState.h"
#include "toolkit/drawing/KIVLook.h"
#include "toolkit/resources/KIVFont.h"

using namespace edit_test;

namespace {

// The x inside field 301 just left of the middle of character index.
int XBefore(const KIVEditCtrl& field, int index) {
    const KIVFont& font = *field.GetFont();
    const int left = field.GetRect().left + KIVEditCtrl::kTextInset;
    return left + field.Model().WidthTo(font, index) + 1;
}

} // namespace

TEST_F(EditTest, TheFirstPressOnlyTakesTheFocusAndTheNextPlacesTheCaret) {
    Focus(302);
    KIVEditCtrl& field = Field(301);
    Click(150, 20);
    ASSERT_TRUE(field.HasFocus());
    EXPECT_EQ(field.Model().SelectionLength(), 5) << "the whole text stays selected";
    ASSERT_EQ(dialog.events.size(), 1u);
    EXPECT_EQ(dialog.events[0], std::make_pair(KIVControl::kNotifyClicked, 301));
    Click(XBefore(field, 2), 20);
    EXPECT_EQ(field.Model().Caret(), 2);
    EXPECT_FALSE(field.Model().HasSelection());
    Click(155, 20);
    EXPECT_EQ(field.Model().Caret(), 5) << "right of the text: its end";
}

TEST_F(EditTest, TheTextCursorShowsOverAField) {
    DeviceInput::MouseMove(Screen(50, 20));
    Run();
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_IBEAM));
    DeviceInput::MouseMove(Screen(250, 20));
    Run();
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(EditTest, ADragSelectsFromThePressToTheMouse) {
    KIVEditCtrl& field = Focus(301);
    Click(150, 20);
    DeviceInput::MouseButton(VK_LBUTTON, true, Screen(XBefore(field, 1), 20));
    DeviceInput::MouseMove(Screen(XBefore(field, 3), 20));
    Run();
    EXPECT_EQ(field.Model().SelectionStart(), 1);
    EXPECT_EQ(field.Model().SelectionLength(), 2);
    DeviceInput::MouseMove(Screen(200, 80)); // far outside: the field keeps the mouse
    DeviceInput::MouseButton(VK_LBUTTON, false, Screen(200, 80));
    Run();
    EXPECT_EQ(field.Model().SelectionStart(), 1);
    EXPECT_EQ(field.Model().SelectionLength(), 4);
}

TEST_F(EditTest, ADoubleClickSelectsTheWordUnderTheMouse) {
    KIVEditCtrl& field = Focus(301);
    field.SetText(u"one two three");
    Click(30, 20);
    const int x = XBefore(field, 5);
    Click(x, 20);
    Click(x, 20);
    EXPECT_EQ(field.Model().SelectionStart(), 4);
    EXPECT_EQ(field.Model().SelectionLength(), 3);
    EXPECT_EQ(field.Model().Caret(), 7);
}

TEST_F(EditTest, ALongTextScrollsToKeepTheCaretVisible) {
    KIVEditCtrl& field = Focus(301);
    field.SetText(std::u16string(250, u'm').c_str());
    const KIVFont& font = *field.GetFont();
    const int area = field.GetRect().right - KIVEditCtrl::kWellInset - 1 -
                     (field.GetRect().left + KIVEditCtrl::kTextInset);
    EXPECT_GT(field.Model().FirstVisible(), 200);
    EXPECT_LT(field.Model().WidthTo(font, 250), area);
    EXPECT_GT(field.Model().WidthTo(font, 250) + font.Advance(u'm'), area - 1)
        << "no more scrolled than needed";
    Press(VK_HOME);
    EXPECT_EQ(field.Model().FirstVisible(), 0);
    for (int i = 0; i < 40; ++i)
        Press(VK_RIGHT);
    EXPECT_GT(field.Model().FirstVisible(), 0);
    EXPECT_LT(field.Model().WidthTo(font, 40), area);
    // The mouse held left of the text scrolls back a character at a time.
    const int first = field.Model().FirstVisible();
    DeviceInput::MouseButton(VK_LBUTTON, true, Screen(XBefore(field, 38), 20));
    DeviceInput::MouseMove(Screen(5, 20));
    DeviceInput::MouseMove(Screen(4, 20));
    DeviceInput::MouseButton(VK_LBUTTON, false, Screen(4, 20));
    Run();
    EXPECT_EQ(field.Model().FirstVisible(), first - 2);
}

TEST_F(EditTest, TheWellTheSelectionAndTheBlinkingCaretAreDrawn) {
    KIVEditCtrl& field = Focus(301);
    Run();
    const int top = 10 + (22 - field.GetFont()->LineHeight()) / 2;
    const int middle = top + field.GetFont()->LineHeight() / 2;
    EXPECT_EQ(ScreenPixel(dialog, 10, 10), KIVLook::kOutline);
    EXPECT_EQ(ScreenPixel(dialog, 14, 20), KIVLook::kWell);
    EXPECT_EQ(ScreenPixel(dialog, 14, 80), KIVLook::kPaper) << "a read-only field's well";
    // All selected: the selection colour behind the first character.
    EXPECT_EQ(ScreenPixel(dialog, 16, top), KIVLook::kSelection);
    Press(VK_END);
    const int caretX = 16 + field.Model().WidthTo(*field.GetFont(), 5);
    EXPECT_EQ(ScreenPixel(dialog, 16, top), KIVLook::kWell);
    EXPECT_EQ(ScreenPixel(dialog, caretX, middle), KIVLook::kInk);
    field.OnTimer();
    Run();
    EXPECT_FALSE(field.IsCaretShown());
    EXPECT_EQ(ScreenPixel(dialog, caretX, middle), KIVLook::kWell);
    Press(VK_SHIFT);
    EXPECT_EQ(ScreenPixel(dialog, caretX, middle), KIVLook::kInk) << "a key shows it again";
}

// A read-only field has no caret: taking the focus selects its whole text
// (the caret staying at its start) and draws the focus rectangle, which
// shows even when the field is empty.
TEST_F(EditTest, AFocusedReadOnlyFieldShowsItsFocus) {
    const int top = 70 + (22 - Field(303).GetFont()->LineHeight()) / 2;
    EXPECT_EQ(ScreenPixel(dialog, 16, top), KIVLook::kPaper);
    EXPECT_EQ(ScreenPixel(dialog, 12, 72), KIVLook::kPaper);
    KIVEditCtrl& field = Focus(303);
    Run();
    EXPECT_EQ(field.Model().SelectionLength(), 5);
    EXPECT_EQ(field.Model().Caret(), 0);
    EXPECT_EQ(ScreenPixel(dialog, 16, top), KIVLook::kSelection);
    EXPECT_EQ(ScreenPixel(dialog, 12, 72), KIVLook::kAccent);
    field.SetText(u"");
    Run();
    EXPECT_EQ(ScreenPixel(dialog, 12, 72), KIVLook::kAccent);
    Focus(301);
    Run();
    EXPECT_EQ(ScreenPixel(dialog, 12, 72), KIVLook::kPaper);
}

TEST_F(EditTest, TheTextOffsetOfTheRecordMovesTheTextAndTheCaret) {
    KIVEditCtrl& plain = Field(302);
    KIVEditCtrl& moved = Field(304);
    EXPECT_EQ(plain.TextOffset(), 0);
    EXPECT_EQ(moved.TextOffset(), 4);
    const POINT a = plain.GetCaretPoint(100, 1000, 50);
    const POINT b = moved.GetCaretPoint(100, 1000, 50);
    EXPECT_EQ(b.x, 100 + 4 + moved.Model().WidthTo(*moved.GetFont(), 6));
    EXPECT_EQ(a.x, 100 + plain.Model().WidthTo(*plain.GetFont(), 6));
    EXPECT_EQ(b.y, 50 - moved.GetFont()->LineHeight() + 2);
    EXPECT_EQ(moved.GetCaretPoint(100, 110, 50).x, 110);
}

// Characters from the input method arrive as character messages; the
// composition window opens at the focused field's caret.
TEST_F(EditTest, InputMethodTextIsTypedAndTheCompositionFollowsTheCaret) {
    KIVEditCtrl& field = Focus(301);
    Press(VK_END);
    Type(u"\u65E5\u672C");
    EXPECT_EQ(field.GetText(), u"hello\u65E5\u672C");
    POINT at{};
    int lineHeight = 0;
    ASSERT_TRUE(dialog.GetInputPosition(&at, &lineHeight));
    const KIVFont& font = *field.GetFont();
    EXPECT_EQ(at.x, 16 + field.Model().WidthTo(font, 7));
    EXPECT_EQ(at.y, 10 + (22 - font.LineHeight()) / 2 + 2);
    MSG start{dialog.GetSafeHwnd(), WM_IME_STARTCOMPOSITION, 0, 0, 0, {}};
    app->PreTranslateMessage(&start);
    COMPOSITIONFORM form{};
    LOGFONTA compositionFont{};
    ASSERT_TRUE(GetCompositionRequest(dialog.GetSafeHwnd(), &form, &compositionFont));
    EXPECT_EQ(form.ptCurrentPos.x, at.x + 3);
    EXPECT_EQ(form.ptCurrentPos.y, at.y + 2);
}
