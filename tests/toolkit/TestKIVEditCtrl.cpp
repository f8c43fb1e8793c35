// The edit field driven by keys and characters: tabbing in and typing, one
// level of undo, Backspace and Delete, moves by characters and words with
// and without Shift, the clipboard, the read-only state, and Select.
#include "EditFixture.h"

#include <future>
#include <thread>

using namespace edit_test;

TEST_F(EditTest, TabbingIntoAFieldSelectsItsTextAndTypingReplacesIt) {
    Focus(301);
    Press(VK_TAB);
    KIVEditCtrl& field = Field(302);
    ASSERT_TRUE(field.HasFocus());
    EXPECT_EQ(field.Model().SelectionStart(), 0);
    EXPECT_EQ(field.Model().SelectionLength(), 6);
    EXPECT_EQ(field.Model().Caret(), 6);
    Type(u"x");
    EXPECT_EQ(field.GetText(), u"x");
    EXPECT_EQ(field.Model().Caret(), 1);
    EXPECT_FALSE(field.Model().HasSelection());
    EXPECT_EQ(Changes(302), 1);
    EXPECT_EQ(Field(301).GetText(), u"hello") << "no tab character reached a field";
}

TEST_F(EditTest, UndoTakesBackATypingRunAndASecondUndoBringsItBack) {
    KIVEditCtrl& field = Focus(301);
    field.SetText(u"base");
    Press(VK_END);
    Type(u"abc");
    EXPECT_EQ(field.GetText(), u"baseabc");
    Press('Z', VK_CONTROL);
    EXPECT_EQ(field.GetText(), u"base");
    Press('Z', VK_CONTROL);
    EXPECT_EQ(field.GetText(), u"baseabc");
    EXPECT_EQ(field.Model().Caret(), 7);
    EXPECT_EQ(Changes(301), 5) << "three letters and two undos";
}

TEST_F(EditTest, UndoAfterDeletingTakesBackTheWholeDeletionRun) {
    KIVEditCtrl& field = Focus(301);
    Press(VK_END);
    Type(u"!!");
    Press(VK_BACK);
    Press(VK_BACK);
    Press(VK_BACK);
    EXPECT_EQ(field.GetText(), u"hell");
    Press('Z', VK_CONTROL);
    EXPECT_EQ(field.GetText(), u"hello!!");
    Type(u"?");
    Press('Z', VK_CONTROL);
    EXPECT_EQ(field.GetText(), u"hello!!") << "the new typing run took its own undo state";
}

TEST_F(EditTest, BackspaceAtTheStartChangesNothingButStillReportsAChange) {
    KIVEditCtrl& field = Focus(301);
    Press(VK_HOME);
    Press(VK_BACK);
    EXPECT_EQ(field.GetText(), u"hello");
    EXPECT_EQ(field.Model().Caret(), 0);
    EXPECT_EQ(Changes(301), 1);
}

TEST_F(EditTest, DeleteRemovesTheCharacterAtTheCaretAndNothingAtTheEnd) {
    KIVEditCtrl& field = Focus(301);
    Press(VK_HOME);
    Press(VK_DELETE);
    EXPECT_EQ(field.GetText(), u"ello");
    Press(VK_END);
    Press(VK_DELETE);
    EXPECT_EQ(field.GetText(), u"ello");
    EXPECT_EQ(Changes(301), 2);
}

TEST_F(EditTest, ControlArrowsMoveByWords) {
    KIVEditCtrl& field = Focus(301);
    field.SetText(u"two words");
    Press(VK_END);
    Press(VK_LEFT, VK_CONTROL);
    EXPECT_EQ(field.Model().Caret(), 4);
    Press(VK_LEFT, VK_CONTROL);
    EXPECT_EQ(field.Model().Caret(), 0);
    Press(VK_RIGHT, VK_CONTROL);
    EXPECT_EQ(field.Model().Caret(), 4);
    Press(VK_RIGHT, VK_CONTROL);
    EXPECT_EQ(field.Model().Caret(), 9);
    EXPECT_FALSE(field.Model().HasSelection());
}

TEST_F(EditTest, ShiftWithTheArrowsHomeAndEndSelectsFromTheAnchor) {
    KIVEditCtrl& field = Focus(301);
    Press(VK_END);
    Press(VK_LEFT, VK_SHIFT);
    Press(VK_LEFT, VK_SHIFT);
    EXPECT_EQ(field.Model().SelectionStart(), 3);
    EXPECT_EQ(field.Model().SelectionLength(), 2);
    Press(VK_HOME, VK_SHIFT);
    EXPECT_EQ(field.Model().SelectionStart(), 0);
    EXPECT_EQ(field.Model().SelectionLength(), 5) << "from 0 to just before the anchor";
    Press(VK_RIGHT);
    EXPECT_EQ(field.Model().Caret(), 1);
    EXPECT_FALSE(field.Model().HasSelection());
    Press(VK_END, VK_SHIFT);
    EXPECT_EQ(field.Model().SelectionStart(), 1);
    EXPECT_EQ(field.Model().SelectionLength(), 4);
    Type(u"i");
    EXPECT_EQ(field.GetText(), u"hi");
}

TEST_F(EditTest, CopyCutAndPasteGoThroughTheClipboard) {
    KIVEditCtrl& field = Focus(301);
    Press(VK_HOME);
    Press(VK_RIGHT, VK_SHIFT);
    Press(VK_RIGHT, VK_SHIFT);
    Press('C', VK_CONTROL);
    EXPECT_EQ(Clipboard(), u"he");
    Press(VK_END);
    Press('V', VK_CONTROL);
    EXPECT_EQ(field.GetText(), u"hellohe");
    EXPECT_EQ(field.Model().Caret(), 7);
    Press(VK_LEFT, VK_SHIFT);
    Press('X', VK_CONTROL);
    EXPECT_EQ(field.GetText(), u"helloh");
    EXPECT_EQ(Clipboard(), u"e");
    Press(VK_INSERT, VK_SHIFT);
    EXPECT_EQ(field.GetText(), u"hellohe");
    EXPECT_EQ(Changes(301), 3);
}

TEST_F(EditTest, ACutThatTheClipboardRefusesKeepsTheText) {
    KIVEditCtrl& field = Focus(301);
    std::promise<void> held;
    std::promise<void> release;
    std::thread holder([&] {
        OpenClipboard(nullptr);
        held.set_value();
        release.get_future().wait();
        CloseClipboard();
    });
    held.get_future().wait();
    Press('X', VK_CONTROL);
    release.set_value();
    holder.join();
    EXPECT_EQ(field.GetText(), u"hello");
    EXPECT_EQ(Changes(301), 0);
}

TEST_F(EditTest, AnEmptyClipboardTextPastesNothing) {
    KIVEditCtrl& field = Focus(301);
    PutClipboard(u"");
    Press('V', VK_CONTROL);
    EXPECT_EQ(field.GetText(), u"hello");
    EXPECT_EQ(Changes(301), 0);
}

TEST_F(EditTest, AReadOnlyFieldNeitherPastesNorCopiesNorEdits) {
    KIVEditCtrl& field = Focus(303);
    PutClipboard(u"clip");
    EXPECT_EQ(field.Model().SelectionLength(), 5) << "the focus selects the whole text";
    EXPECT_EQ(field.Model().Caret(), 0);
    Press('V', VK_CONTROL);
    Press(VK_INSERT, VK_SHIFT);
    Type(u"typed");
    Press(VK_BACK);
    Press(VK_DELETE);
    Press(VK_END);
    EXPECT_EQ(field.Model().Caret(), 0);
    ASSERT_TRUE(field.Select(0, 2));
    Press('C', VK_CONTROL);
    Press(VK_INSERT, VK_CONTROL);
    Press('X', VK_CONTROL);
    EXPECT_EQ(field.GetText(), u"fixed");
    EXPECT_EQ(Clipboard(), u"clip");
    EXPECT_EQ(Changes(303), 0);
}

TEST_F(EditTest, SelectChecksItsBoundsAndMinusOneLeavesAnEmptySelection) {
    KIVEditCtrl& field = Field(301);
    EXPECT_FALSE(field.Select(2, 1));
    EXPECT_FALSE(field.Select(-1, 2));
    EXPECT_FALSE(field.Select(0, 5)) << "the last index lies past the text";
    EXPECT_FALSE(field.Select(6, -1)) << "an empty selection past the end";
    ASSERT_TRUE(field.Select(1, 3));
    EXPECT_EQ(field.Model().SelectionStart(), 1);
    EXPECT_EQ(field.Model().SelectionLength(), 3);
    ASSERT_TRUE(field.Select(2, -1));
    EXPECT_EQ(field.Model().SelectionStart(), 2);
    EXPECT_EQ(field.Model().SelectionLength(), 0);
}

TEST_F(EditTest, SetTextSelectsAllOnlyInAFocusedField) {
    Field(302).SetText(u"other");
    EXPECT_EQ(Field(302).Model().Caret(), 0);
    EXPECT_FALSE(Field(302).Model().HasSelection());
    KIVEditCtrl& field = Focus(301);
    field.SetText(u"new text");
    EXPECT_EQ(field.Model().Caret(), 8);
    EXPECT_EQ(field.Model().SelectionLength(), 8);
    EXPECT_EQ(Changes(301), 0) << "only the user's changes are reported";
}
