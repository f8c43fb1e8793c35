// List boxes: where added and inserted lines go, selecting from code and
// with the mouse (single and multiple selection), the line height, and
// clicks on a line's check box against clicks on its text.
#include "ListFixture.h"

using namespace list_test;

namespace {

class ListBoxTest : public DialogTest {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0)); }
    KIVListBoxCtrl& Sorted() { return *dialog.List(1001); }
    KIVListBoxCtrl& Multiple() { return *dialog.List(1002); }
    KIVListBoxCtrl& Plain() { return *dialog.List(1003); }
    ListDialog dialog;
};

} // namespace

TEST_F(ListBoxTest, TheLayoutMakesListBoxesWithTheirStyles) {
    EXPECT_NE(dynamic_cast<KIVListBoxCtrl*>(dialog.GetControl(1001)), nullptr);
    EXPECT_TRUE(Sorted().GetStyle() & KIVListBoxCtrl::kSorted);
    EXPECT_TRUE(Multiple().GetStyle() & KIVListBoxCtrl::kMultipleSelection);
    EXPECT_GT(Sorted().GetLineHeight(), 0);
}

TEST_F(ListBoxTest, ASortedListOrdersTextsWithoutRegardToCase) {
    KIVListBoxLine beta(&Sorted(), u"beta", false), alpha(&Sorted(), u"Alpha", false),
        gamma(&Sorted(), u"gamma", false);
    Sorted().AddLine(&beta);
    Sorted().AddLine(&alpha);
    Sorted().AddLine(&gamma);
    EXPECT_EQ(Texts(Sorted()), u"Alpha beta gamma ");

    // Equal to the last goes after it, equal to the first before it, and
    // an equal text in the middle goes before its equal.
    KIVListBoxLine lastTwin(&Sorted(), u"GAMMA", false), firstTwin(&Sorted(), u"alpha", false),
        middleTwin(&Sorted(), u"BETA", false), delta(&Sorted(), u"delta", false);
    Sorted().AddLine(&lastTwin);
    Sorted().AddLine(&firstTwin);
    Sorted().AddLine(&delta);
    Sorted().AddLine(&middleTwin);
    EXPECT_EQ(Texts(Sorted()), u"alpha Alpha BETA beta delta gamma GAMMA ");
}

TEST_F(ListBoxTest, AnUnsortedListKeepsTheOrderOfAdding) {
    KIVListBoxLine b(&Plain(), u"b", false), a(&Plain(), u"a", false);
    EXPECT_EQ(Plain().AddLine(&b), 0);
    EXPECT_EQ(Plain().AddLine(&a), 1);
    EXPECT_EQ(Texts(Plain()), u"b a ");
}

TEST_F(ListBoxTest, InsertingMovesTheIndicesAtAndAfterThePlace) {
    KIVListBoxLine a(&Multiple(), u"a", false), b(&Multiple(), u"b", false),
        c(&Multiple(), u"c", false), d(&Multiple(), u"d", false);
    Multiple().AddLine(&a);
    Multiple().AddLine(&b);
    Multiple().AddLine(&c);
    Multiple().Select(1);
    EXPECT_EQ(Multiple().InsertLine(4, &d), -1);
    EXPECT_EQ(Multiple().InsertLine(1, &d), 1);
    EXPECT_EQ(Texts(Multiple()), u"a d b c ");
    EXPECT_EQ(Multiple().GetCurrentLine(), 2);
    EXPECT_EQ(Multiple().GetSelection(), std::vector<int>{2});
}

TEST_F(ListBoxTest, SelectingTellsTheDialogAndRefusesLinesThatDoNotExist) {
    KIVListBoxLine a(&Plain(), u"a", false), b(&Plain(), u"b", false);
    Plain().AddLine(&a);
    Plain().AddLine(&b);
    EXPECT_EQ(Plain().Select(1), 1);
    EXPECT_EQ(Plain().GetSelection(), std::vector<int>{1});
    // One past the last line is no line.
    EXPECT_EQ(Plain().Select(2), -1);
    EXPECT_EQ(Plain().GetCurrentLine(), 1);
    EXPECT_EQ(Plain().Select(-1), -1);
    EXPECT_TRUE(Plain().GetSelection().empty());
    EXPECT_EQ(dialog.heard, "5:1003:1 5:1003:-1 ");
}

TEST_F(ListBoxTest, SettingTheLineHeightAfterAddingChangesEveryLine) {
    KIVListBoxLine a(&Plain(), u"a", false);
    Plain().AddLine(&a);
    Plain().SetLineHeight(30);
    KIVListBoxLine b(&Plain(), u"b", false);
    Plain().AddLine(&b);
    EXPECT_EQ(a.GetHeight(), 30);
    EXPECT_EQ(b.GetHeight(), 30);
    Plain().SetLineHeight(22);
    EXPECT_EQ(a.GetHeight(), 22);
    EXPECT_EQ(b.GetHeight(), 22);
    EXPECT_EQ(Plain().LineRect(1).top - Plain().LineRect(0).top, 22);
}

TEST_F(ListBoxTest, AClickOnTheTextSelectsWithoutTurningTheBox) {
    KIVListBoxLine a(&Plain(), u"a", true), b(&Plain(), u"b", true);
    Plain().AddLine(&a);
    Plain().AddLine(&b);
    Click(dialog, OnLine(Plain(), 1, 40));
    Pump();
    EXPECT_FALSE(b.IsChecked());
    EXPECT_FALSE(b.WasToggled());
    EXPECT_EQ(Plain().GetCurrentLine(), 1);
    EXPECT_EQ(dialog.heard, "5:1003:1 ");
}

TEST_F(ListBoxTest, AClickOnTheBoxTurnsItTellsTheDialogAndLeavesTheSelection) {
    KIVListBoxLine a(&Plain(), u"a", true), b(&Plain(), u"b", true);
    Plain().AddLine(&a);
    Plain().AddLine(&b);
    const RECT box = KIVListBoxLine::CheckBoxArea(Plain().LineRect(1));
    // The box's left edge is in it, its right edge is not.
    Click(dialog, POINT{box.left, box.bottom - 2});
    Pump();
    EXPECT_TRUE(b.IsChecked());
    EXPECT_TRUE(b.WasToggled());
    EXPECT_EQ(Plain().GetCurrentLine(), -1);
    EXPECT_EQ(dialog.heard, "1:1003:0 ");
    Click(dialog, POINT{box.right, box.bottom - 2});
    Pump();
    EXPECT_TRUE(b.IsChecked());
    EXPECT_EQ(Plain().GetCurrentLine(), 1);
}

TEST_F(ListBoxTest, ControlClickTogglesAndShiftClickSelectsARange) {
    KIVListBoxLine lines[5] = {{&Multiple(), u"0", false},
                               {&Multiple(), u"1", false},
                               {&Multiple(), u"2", false},
                               {&Multiple(), u"3", false},
                               {&Multiple(), u"4", false}};
    for (KIVListBoxLine& line : lines)
        Multiple().AddLine(&line);
    Click(dialog, OnLine(Multiple(), 1, 30));
    DeviceInput::Key(VK_CONTROL, true);
    Click(dialog, OnLine(Multiple(), 3, 30));
    Click(dialog, OnLine(Multiple(), 1, 30));
    DeviceInput::Key(VK_CONTROL, false);
    Pump();
    EXPECT_EQ(Multiple().GetSelection(), std::vector<int>{3});
    EXPECT_EQ(Multiple().GetCurrentLine(), 1);
    DeviceInput::Key(VK_SHIFT, true);
    Click(dialog, OnLine(Multiple(), 4, 30));
    DeviceInput::Key(VK_SHIFT, false);
    Pump();
    EXPECT_EQ(Multiple().GetSelection(), (std::vector<int>{1, 2, 3, 4}));
    // A single-selection list ignores both keys.
    KIVListBoxLine a(&Plain(), u"a", false), b(&Plain(), u"b", false);
    Plain().AddLine(&a);
    Plain().AddLine(&b);
    Click(dialog, OnLine(Plain(), 0, 30));
    DeviceInput::Key(VK_CONTROL, true);
    Click(dialog, OnLine(Plain(), 1, 30));
    DeviceInput::Key(VK_CONTROL, false);
    Pump();
    EXPECT_EQ(Plain().GetSelection(), std::vector<int>{1});
}
