// The keyboard and scrolling of list boxes: the arrows, pages, Home and End
// move the current line and keep it in view, Shift extends a multiple
// selection, space turns the current line's box; scroll bars come when the
// lines do not fit, and the wheel and the bars scroll.
#include "ListFixture.h"

#include <memory>

using namespace list_test;

namespace {

class ListKeysTest : public DialogTest {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0)); }
    void Fill(KIVListBoxCtrl& list, int count, bool checkBoxes = false) {
        for (int i = 0; i < count; ++i)
            list.AddLine(std::make_unique<KIVListBoxLine>(&list, u"line", checkBoxes));
    }
    static bool InView(const KIVListBoxCtrl& list, int index) {
        const RECT line = list.LineRect(index);
        const RECT area = list.LinesArea();
        return line.top >= area.top && line.bottom <= area.bottom;
    }
    ListDialog dialog;
};

} // namespace

TEST_F(ListKeysTest, KeysMoveTheCurrentLineAndKeepItInView) {
    KIVListBoxCtrl& list = *dialog.List(1003);
    Fill(list, 30);
    list.SetFocus();
    Press(VK_DOWN);
    Pump();
    EXPECT_EQ(list.GetCurrentLine(), 0);
    Press(VK_END);
    Pump();
    EXPECT_EQ(list.GetCurrentLine(), 29);
    EXPECT_TRUE(InView(list, 29));
    EXPECT_GT(list.GetScrollY(), 0);
    Press(VK_PRIOR);
    Pump();
    const int page = 29 - list.GetCurrentLine();
    EXPECT_GT(page, 1);
    EXPECT_TRUE(InView(list, list.GetCurrentLine()));
    Press(VK_HOME);
    Pump();
    EXPECT_EQ(list.GetCurrentLine(), 0);
    EXPECT_EQ(list.GetScrollY(), 0);
    Press(VK_NEXT);
    Pump();
    EXPECT_EQ(list.GetCurrentLine(), page);
    EXPECT_TRUE(InView(list, page));
    Press(VK_UP);
    Pump();
    EXPECT_EQ(list.GetCurrentLine(), page - 1);
    EXPECT_EQ(list.GetSelection(), std::vector<int>{page - 1});
    // Past either end the current line stays at the end.
    Press(VK_HOME);
    Press(VK_UP);
    Pump();
    EXPECT_EQ(list.GetCurrentLine(), 0);
}

TEST_F(ListKeysTest, ShiftExtendsAMultipleSelectionFromWhereItStarted) {
    KIVListBoxCtrl& list = *dialog.List(1002);
    Fill(list, 6);
    list.SetFocus();
    list.Select(2);
    DeviceInput::Key(VK_SHIFT, true);
    Press(VK_DOWN);
    Press(VK_DOWN);
    DeviceInput::Key(VK_SHIFT, false);
    Pump();
    EXPECT_EQ(list.GetSelection(), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(list.GetCurrentLine(), 4);
    Press(VK_UP);
    Pump();
    EXPECT_EQ(list.GetSelection(), std::vector<int>{3});
}

TEST_F(ListKeysTest, SpaceTurnsTheCurrentLinesBox) {
    KIVListBoxCtrl& list = *dialog.List(1003);
    Fill(list, 3, true);
    list.SetFocus();
    list.Select(1);
    dialog.heard.clear();
    Press(VK_SPACE);
    Pump();
    EXPECT_TRUE(list.GetLine(1)->IsChecked());
    EXPECT_FALSE(list.GetLine(0)->IsChecked());
    EXPECT_EQ(dialog.heard, "1:1003:0 ");
}

TEST_F(ListKeysTest, BarsComeOnlyWhenTheLinesDoNotFit) {
    KIVListBoxCtrl& list = *dialog.List(1003);
    Fill(list, 2);
    EXPECT_FALSE(list.HasVerticalBar());
    EXPECT_FALSE(list.HasHorizontalBar());
    Fill(list, 20);
    EXPECT_TRUE(list.HasVerticalBar());
    const RECT bar = list.VerticalBarRect();
    EXPECT_EQ(bar.right - bar.left, 14);
    EXPECT_EQ(list.LinesArea().right, bar.left);
    list.AddLine(std::make_unique<KIVListBoxLine>(
        &list, u"a line far wider than the list that shows it, and wider still", false));
    EXPECT_TRUE(list.HasHorizontalBar());
    const RECT across = list.HorizontalBarRect();
    EXPECT_EQ(across.bottom - across.top, 14);
}

TEST_F(ListKeysTest, TheWheelAndTheBarScrollTheLines) {
    KIVListBoxCtrl& list = *dialog.List(1003);
    Fill(list, 40);
    const RECT area = list.LinesArea();
    MoveTo(dialog, POINT{area.left + 5, area.top + 5});
    DeviceInput::MouseWheel(-WHEEL_DELTA, Screen(dialog, POINT{area.left + 5, area.top + 5}));
    Pump();
    EXPECT_EQ(list.GetScrollY(), 3 * list.GetLineHeight());
    // The line under the pointer is the one that moved there.
    EXPECT_EQ(list.GetHoverLine(), 3);
    EXPECT_EQ(list.LineAt(POINT{area.left + 5, area.top + 1}), 3);
    // The pointer over the bar is over no line.
    const RECT bar = list.VerticalBarRect();
    MoveTo(dialog, POINT{bar.left + 3, bar.top + 40});
    Pump();
    EXPECT_EQ(list.GetHoverLine(), -1);
    // The lower arrow steps one line.
    Click(dialog, POINT{bar.left + 5, bar.bottom - 4});
    Pump();
    EXPECT_EQ(list.GetScrollY(), 4 * list.GetLineHeight());
    EXPECT_EQ(list.GetCurrentLine(), -1);
    DeviceInput::MouseWheel(10 * WHEEL_DELTA, Screen(dialog, POINT{area.left + 5, area.top + 5}));
    Pump();
    EXPECT_EQ(list.GetScrollY(), 0);
}
