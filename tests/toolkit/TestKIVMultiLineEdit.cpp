// The read-only multi-line field on the headless display: wrapping at
// blanks and line breaks, long words broken, the scroll bar that appears
// when the lines do not fit, scrolling by wheel, keys and bar, selecting
// with the mouse and the keys, and copying exactly the selection.
#include "DialogFixture.h"
#include "platform/ui/DeviceInput.h"
#include "toolkit/controls/KIVMultiLineEditCtrl.h"
#include "toolkit/drawing/KIVLook.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <string>

using namespace dialog_test;

namespace {

// Dialog 510: the field 511 at (10, 10)-(210, 110) in font 0, a label, and
// a second field 513 to take the focus.
class TextDialog : public KIVDialog {
public:
    TextDialog() : KIVDialog(nullptr, 510) {}
    KIVMultiLineEditCtrl& Field() { return *static_cast<KIVMultiLineEditCtrl*>(GetControl(511)); }
};

class MultiLineEditTest : public DialogTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
        SetFocus(dialog);
        font = app->GetFont(0);
        ASSERT_NE(font, nullptr);
        Pump();
    }
    int Width(const char16_t* text) const { return KIVTextPainter::MeasureText(*font, text, -1); }
    std::u16string LineText(int line) {
        const KIVWrappedText::Line& at = dialog.Field().LineAt(line);
        return std::u16string(static_cast<const char16_t*>(dialog.Field().GetText()) + at.start,
                              at.length);
    }
    POINT Screen(int x, int y) {
        POINT at{x, y};
        ClientToScreen(dialog, &at);
        return at;
    }
    // The left edge of the character index of the field's first line in
    // view.
    POINT AtCharacter(const char16_t* lineText, int index) {
        const RECT area = dialog.Field().TextArea();
        return POINT{area.left + KIVTextPainter::MeasureText(*font, lineText, index), area.top + 2};
    }
    void Click(POINT at, bool down = true, bool up = true) {
        if (down)
            DeviceInput::MouseButton(VK_LBUTTON, true, Screen(at.x, at.y));
        if (up)
            DeviceInput::MouseButton(VK_LBUTTON, false, Screen(at.x, at.y));
        Pump();
    }
    void Key(int key, int modifier = 0) {
        if (modifier)
            Hold(modifier, true);
        Hold(key, true);
        Hold(key, false);
        if (modifier)
            Hold(modifier, false);
    }
    void Hold(int key, bool down) {
        DeviceInput::Key(key, down);
        Pump();
    }
    static std::u16string Clipboard() {
        std::u16string text;
        if (!OpenClipboard(nullptr))
            return u"(closed)";
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const char16_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }
    static std::u16string NumberedLines(int count) {
        std::u16string text;
        for (int line = 1; line <= count; ++line)
            text += u"Line " + std::u16string(1, static_cast<char16_t>(u'0' + line % 10)) + u"\r\n";
        return text;
    }

    TextDialog dialog;
    const KIVFont* font = nullptr;
};

} // namespace

// [SECTION] Wrapping

TEST_F(MultiLineEditTest, LinesBreakAfterTheLastBlankThatFits) {
    KIVWrappedText wrapped;
    const std::u16string text = u"alpha beta gamma";
    wrapped.Wrap(*font, text.c_str(), static_cast<int>(text.size()), Width(u"alpha beta"));
    ASSERT_EQ(wrapped.LineCount(), 2);
    EXPECT_EQ(wrapped.LineAt(0).length, 11) << "the blank hangs at the end";
    EXPECT_EQ(wrapped.LineAt(1).start, 11);
    EXPECT_EQ(wrapped.LineAt(1).length, 5);
    wrapped.Wrap(*font, text.c_str(), static_cast<int>(text.size()), Width(u"alpha beta") - 1);
    ASSERT_EQ(wrapped.LineCount(), 3);
    EXPECT_EQ(wrapped.LineAt(1).start, 6);
    EXPECT_EQ(wrapped.LineAt(2).start, 11);
}

TEST_F(MultiLineEditTest, LineFeedsEndLinesInEveryForm) {
    KIVWrappedText wrapped;
    const std::u16string text = u"one\r\ntwo\nthree\rfour\n\n";
    wrapped.Wrap(*font, text.c_str(), static_cast<int>(text.size()), 1000);
    ASSERT_EQ(wrapped.LineCount(), 6);
    const int starts[] = {0, 5, 9, 15, 20, 21};
    const int lengths[] = {3, 3, 5, 4, 0, 0};
    for (int line = 0; line < 6; ++line) {
        EXPECT_EQ(wrapped.LineAt(line).start, starts[line]) << line;
        EXPECT_EQ(wrapped.LineAt(line).length, lengths[line]) << line;
    }
    EXPECT_EQ(wrapped.LineOf(3), 0) << "a line break belongs to the line it ends";
    EXPECT_EQ(wrapped.LineOf(4), 0);
    EXPECT_EQ(wrapped.LineOf(5), 1);
    EXPECT_EQ(wrapped.LineOf(21), 5);
}

TEST_F(MultiLineEditTest, JapaneseBreaksBetweenCharactersButNotBeforeClosingMarks) {
    KIVWrappedText wrapped;
    // "Kiv software" then a run of ideographs without a blank: the line ends
    // inside the run, where the width ends, not at the blank before it.
    const std::u16string text = u"Kiv \u304a\u5ba2\u69d8\u304c\u6240\u6709\u3002\u8a31";
    const int width = Width(u"Kiv ") + Width(u"\u304a\u5ba2\u69d8\u304c\u6240\u6709") - 1;
    wrapped.Wrap(*font, text.c_str(), static_cast<int>(text.size()), width);
    ASSERT_EQ(wrapped.LineCount(), 2);
    EXPECT_EQ(wrapped.LineAt(0).length, 9) << "the run is cut after its fifth character";
    EXPECT_EQ(wrapped.LineAt(1).start, 9);

    // The full stop may not begin a line: it goes down with the character before it.
    const int wider = Width(u"Kiv ") + Width(u"\u304a\u5ba2\u69d8\u304c\u6240\u6709") + 1;
    wrapped.Wrap(*font, text.c_str(), static_cast<int>(text.size()), wider);
    ASSERT_EQ(wrapped.LineCount(), 2);
    EXPECT_EQ(wrapped.LineAt(1).start, 9) << "the line breaks before the last ideograph";
}

TEST_F(MultiLineEditTest, AWordLongerThanTheWidthIsBrokenWhereItStopsFitting) {
    KIVWrappedText wrapped;
    const std::u16string text = u"xy abcdefghij";
    wrapped.Wrap(*font, text.c_str(), static_cast<int>(text.size()), Width(u"abcd"));
    ASSERT_EQ(wrapped.LineCount(), 4);
    EXPECT_EQ(wrapped.LineAt(0).length, 3);
    EXPECT_EQ(wrapped.LineAt(1).start, 3);
    EXPECT_EQ(wrapped.LineAt(1).length, 4);
    EXPECT_EQ(wrapped.LineAt(2).length, 4);
    EXPECT_EQ(wrapped.LineAt(3).length, 2);
    // Narrower than any character: one character a line, never none.
    wrapped.Wrap(*font, text.c_str(), static_cast<int>(text.size()), 0);
    EXPECT_EQ(wrapped.LineCount(), 12) << "the blank stays with the y";
}

TEST_F(MultiLineEditTest, TheFieldWrapsToItsWidthAndAgainWhenResized) {
    KIVMultiLineEditCtrl& field = dialog.Field();
    field.SetText(u"alpha beta gamma delta epsilon zeta eta theta iota kappa lambda");
    EXPECT_FALSE(field.HasScrollBar());
    const int narrow = field.LineCount();
    EXPECT_GT(narrow, 1);
    const RECT area = field.TextArea();
    for (int line = 0; line < narrow; ++line)
        EXPECT_LE(Width(LineText(line).c_str()), area.right - area.left + Width(u" ")) << line;
    field.Move(10, 10, 1000, 100, 0);
    EXPECT_EQ(field.LineCount(), 1);
    EXPECT_EQ(field.GetRect().right, 1010);
}

// [SECTION] Scrolling

TEST_F(MultiLineEditTest, ABarAppearsWhenTheLinesDoNotFitAndTheTextWrapsBesideIt) {
    KIVMultiLineEditCtrl& field = dialog.Field();
    field.SetText(NumberedLines(40).c_str());
    ASSERT_TRUE(field.HasScrollBar());
    EXPECT_EQ(field.LineCount(), 41) << "the text ends with a line feed";
    const RECT bar = field.ScrollBar().GetRect();
    EXPECT_EQ(bar.right, 208);
    EXPECT_EQ(bar.left, 208 - KIVScrollBarCtrl::kThickness);
    EXPECT_LE(field.TextArea().right, bar.left);
    EXPECT_EQ(field.ScrollBar().GetPage(), field.VisibleLines());
    Pump();
    EXPECT_EQ(ScreenPixel(dialog, 201, 60), KIVLook::kTrack);
    field.SetText(u"short");
    EXPECT_FALSE(field.HasScrollBar());
    // Lines wrapped to the whole width would pass under the bar.
    std::u16string paragraphs;
    for (int count = 0; count < 12; ++count)
        paragraphs += u"a b c d e f g h i j k l m n o p q r s t u v w x y z a b c d e f g h\r\n";
    field.SetText(paragraphs.c_str());
    ASSERT_TRUE(field.HasScrollBar());
    KIVWrappedText beside;
    beside.Wrap(*font, paragraphs.c_str(), static_cast<int>(paragraphs.size()),
                field.TextArea().right - field.TextArea().left);
    ASSERT_EQ(field.LineCount(), beside.LineCount());
    for (int line = 0; line < field.LineCount(); ++line)
        EXPECT_EQ(field.LineAt(line).length, beside.LineAt(line).length) << line;
}

TEST_F(MultiLineEditTest, WheelAndKeysScrollAndStopAtTheEnds) {
    KIVMultiLineEditCtrl& field = dialog.Field();
    field.SetText(NumberedLines(40).c_str());
    const int visible = field.VisibleLines();
    const int last = field.LineCount() - visible;
    ASSERT_GT(visible, 2);
    field.SetFocus();
    DeviceInput::MouseWheel(-WHEEL_DELTA, Screen(50, 50));
    Pump();
    EXPECT_EQ(field.TopLine(), 3);
    Key(VK_DOWN);
    EXPECT_EQ(field.TopLine(), 4);
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(field.TopLine(), 2);
    Key(VK_NEXT);
    EXPECT_EQ(field.TopLine(), 2 + visible - 1);
    Key(VK_END, VK_CONTROL);
    EXPECT_EQ(field.TopLine(), last);
    EXPECT_EQ(field.ScrollBar().GetPosition(), last);
    Key(VK_DOWN);
    Key(VK_NEXT);
    DeviceInput::MouseWheel(-5 * WHEEL_DELTA, Screen(50, 50));
    Pump();
    EXPECT_EQ(field.TopLine(), last);
    Key(VK_PRIOR);
    EXPECT_EQ(field.TopLine(), last - visible + 1);
    Key(VK_HOME, VK_CONTROL);
    EXPECT_EQ(field.TopLine(), 0);
    Key(VK_UP);
    DeviceInput::MouseWheel(WHEEL_DELTA, Screen(50, 50));
    Pump();
    EXPECT_EQ(field.TopLine(), 0);
}

TEST_F(MultiLineEditTest, TheEmbeddedBarScrollsTheTextAndRepeatsWithTheFieldsTimer) {
    KIVMultiLineEditCtrl& field = dialog.Field();
    field.SetText(NumberedLines(40).c_str());
    const POINT lowerArrow{201, 105};
    Click(lowerArrow, true, false);
    EXPECT_EQ(field.TopLine(), 1);
    SendMessageW(dialog, WM_TIMER, 511, 0);
    SendMessageW(dialog, WM_TIMER, 511, 0);
    EXPECT_EQ(field.TopLine(), 3);
    Click(lowerArrow, false, true);
    SendMessageW(dialog, WM_TIMER, 511, 0);
    EXPECT_EQ(field.TopLine(), 3);
    // Dragging the thumb to the bottom shows the last page.
    const RECT thumb = field.ScrollBar().ThumbRect();
    Click(POINT{201, thumb.top + 1}, true, false);
    DeviceInput::MouseMove(Screen(201, 400));
    Click(POINT{201, 400}, false, true);
    EXPECT_EQ(field.TopLine(), field.LineCount() - field.VisibleLines());
    EXPECT_EQ(field.SelectionEnd(), 0) << "the bar's presses leave the selection alone";
}

TEST_F(MultiLineEditTest, SetTextGoesBackToTheTopAndClearsTheSelection) {
    KIVMultiLineEditCtrl& field = dialog.Field();
    field.SetText(NumberedLines(40).c_str());
    field.ScrollTo(10);
    field.Select(3, 30);
    field.SetText(NumberedLines(30).c_str());
    EXPECT_EQ(field.TopLine(), 0);
    EXPECT_EQ(field.ScrollBar().GetPosition(), 0);
    EXPECT_EQ(field.SelectionStart(), 0);
    EXPECT_EQ(field.SelectionEnd(), 0);
}

// [SECTION] Selection and copying

TEST_F(MultiLineEditTest, DraggingSelectsAndCopyPutsExactlyTheSelectionOnTheClipboard) {
    KIVMultiLineEditCtrl& field = dialog.Field();
    const char16_t* line = u"alpha beta gamma";
    field.SetText(line);
    Click(AtCharacter(line, 6), true, false);
    EXPECT_TRUE(field.HasFocus());
    const POINT to = AtCharacter(line, 10);
    DeviceInput::MouseMove(Screen(to.x, to.y));
    Click(to, false, true);
    EXPECT_EQ(field.SelectionStart(), 6);
    EXPECT_EQ(field.SelectionEnd(), 10);
    Key('C', VK_CONTROL);
    EXPECT_EQ(Clipboard(), u"beta");
    // The selection lies on the accent, nowhere else on the line.
    const RECT area = field.TextArea();
    int inside = 0, outside = 0;
    for (int x = area.left; x < area.right; ++x) {
        const bool selected = ScreenPixel(dialog, x, area.top) == KIVLook::kSelection;
        const bool within =
            x >= area.left + Width(u"alpha ") && x < area.left + Width(u"alpha beta");
        (within ? inside : outside) += selected ? 1 : 0;
    }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
}

TEST_F(MultiLineEditTest, ShiftClickExtendsAndADoubleClickTakesAWord) {
    KIVMultiLineEditCtrl& field = dialog.Field();
    const char16_t* line = u"alpha beta gamma";
    field.SetText(line);
    Click(AtCharacter(line, 2));
    Hold(VK_SHIFT, true);
    Click(POINT{AtCharacter(line, 13).x + 30, AtCharacter(line, 13).y});
    Hold(VK_SHIFT, false);
    EXPECT_EQ(field.SelectionStart(), 2);
    EXPECT_EQ(field.SelectionEnd(), 16);
    Click(AtCharacter(line, 8));
    Click(AtCharacter(line, 8));
    EXPECT_EQ(field.SelectionStart(), 6);
    EXPECT_EQ(field.SelectionEnd(), 10);
    Key(VK_INSERT, VK_CONTROL);
    EXPECT_EQ(Clipboard(), u"beta");
}

TEST_F(MultiLineEditTest, KeysSelectTheLineOrTheWholeTextAndCopyItWithItsLineBreaks) {
    KIVMultiLineEditCtrl& field = dialog.Field();
    field.SetText(u"first line\r\nsecond line");
    field.SetFocus();
    Key(VK_END);
    EXPECT_EQ(field.SelectionStart(), 10);
    EXPECT_EQ(field.SelectionEnd(), 10);
    Hold(VK_SHIFT, true);
    Key(VK_END, VK_CONTROL);
    Hold(VK_SHIFT, false);
    Key('C', VK_CONTROL);
    EXPECT_EQ(Clipboard(), u"\r\nsecond line");
    Key('A', VK_CONTROL);
    Key('C', VK_CONTROL);
    EXPECT_EQ(Clipboard(), u"first line\r\nsecond line");
    Key(VK_HOME);
    EXPECT_EQ(field.SelectionStart(), 12) << "the start of the line of the text's end";
    EXPECT_EQ(field.SelectionEnd(), 12);
}

TEST_F(MultiLineEditTest, CopyWithoutASelectionLeavesTheClipboardAlone) {
    KIVMultiLineEditCtrl& field = dialog.Field();
    field.SetText(u"alpha");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const char16_t kept[] = u"kept";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(kept));
    std::copy_n(kept, 5, static_cast<char16_t*>(GlobalLock(block)));
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
    EXPECT_FALSE(field.Copy());
    EXPECT_EQ(Clipboard(), u"kept");
}

TEST_F(MultiLineEditTest, TheFocusedFieldShowsTheFocusRectangle) {
    KIVMultiLineEditCtrl& field = dialog.Field();
    field.SetText(u"alpha");
    auto accentOnEdge = [&] {
        int count = 0;
        for (int x = 14; x < 200; ++x)
            count += ScreenPixel(dialog, x, 12) == KIVLook::kAccent ? 1 : 0;
        return count;
    };
    Click(AtCharacter(u"alpha", 1));
    ASSERT_TRUE(field.HasFocus());
    EXPECT_GT(accentOnEdge(), 0);
    Key(VK_TAB);
    EXPECT_EQ(dialog.FocusedControl()->GetId(), 513);
    EXPECT_EQ(accentOnEdge(), 0);
}
