// Column list boxes made over a placeholder: columns sharing the width,
// cell texts, dragging a border (never to 10 pixels or less, with the
// resize cursor), sorting by a title click and its reversal, and the title
// band's pixels.
#include "ListFixture.h"

#include "toolkit/drawing/KIVPainter.h"

using namespace list_test;

namespace {

class ColumnListTest : public DialogTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
        sorted = std::make_unique<KIVColumnListBoxCtrl>(*dialog.GetControl(1100));
        plain = std::make_unique<KIVColumnListBoxCtrl>(*dialog.GetControl(1101));
        dialog.GetControl(1100)->Show(false);
        dialog.GetControl(1101)->Show(false);
    }
    // The list takes the placeholder's place in the dialog's input and drawing.
    KIVColumnListBoxCtrl& Place(std::unique_ptr<KIVColumnListBoxCtrl>& list) {
        return *static_cast<KIVColumnListBoxCtrl*>(dialog.AddControl(std::move(list)));
    }
    KIVColumnListBoxLine* AddRow(KIVColumnListBoxCtrl& list, const char16_t* first,
                                 const char16_t* second) {
        auto line = std::make_unique<KIVColumnListBoxLine>(&list, first, false);
        list.SetCellText(line.get(), 0, first);
        list.SetCellText(line.get(), 1, second);
        KIVColumnListBoxLine* kept = line.get();
        list.AddLine(std::move(line));
        return kept;
    }
    static std::u16string Column(const KIVColumnListBoxCtrl& list, int column) {
        std::u16string texts;
        for (int i = 0; i < list.GetLineCount(); ++i)
            texts +=
                std::u16string(
                    static_cast<const KIVColumnListBoxLine*>(list.GetLine(i))->GetCell(column)) +
                u" ";
        return texts;
    }
    POINT Title(const KIVColumnListBoxCtrl& list, int column) const {
        const RECT band = list.HeaderRect();
        int left = band.left;
        for (int i = 0; i < column; ++i)
            left += list.GetColumnWidth(i);
        return POINT{left + list.GetColumnWidth(column) / 2, band.top + 8};
    }
    POINT Border(const KIVColumnListBoxCtrl& list, int column) const {
        const RECT band = list.HeaderRect();
        int edge = band.left;
        for (int i = 0; i <= column; ++i)
            edge += list.GetColumnWidth(i);
        return POINT{edge, band.top + 8};
    }
    ListDialog dialog{401};
    std::unique_ptr<KIVColumnListBoxCtrl> sorted;
    std::unique_ptr<KIVColumnListBoxCtrl> plain;
};

} // namespace

TEST_F(ColumnListTest, ColumnsShareTheWidthUntilTheCallerSetsThem) {
    KIVColumnListBoxCtrl& list = Place(sorted);
    EXPECT_EQ(list.GetId(), 1100);
    EXPECT_TRUE(list.GetStyle() & KIVListBoxCtrl::kMultipleSelection);
    EXPECT_TRUE(list.GetStyle() & KIVListBoxCtrl::kSorted);
    EXPECT_EQ(list.AddColumn(u"Name"), 300);
    EXPECT_EQ(list.AddColumn(u"Size"), 150);
    EXPECT_EQ(list.GetColumnWidth(0), 150);
    EXPECT_EQ(list.GetColumnWidth(1), 150);
    list.SetColumnWidth(0, 223);
    list.SetColumnWidth(1, 82);
    EXPECT_EQ(list.TotalColumnWidth(), 305);
    EXPECT_TRUE(list.HasHorizontalBar());
    EXPECT_FALSE(Place(plain).GetStyle() & KIVListBoxCtrl::kSorted);
}

// The first column takes what the others leave of the lines' width: all of
// it while the lines fit, all but the vertical bar once they do not, and
// never a horizontal bar for the columns alone.
TEST_F(ColumnListTest, AColumnFillsTheWidthTheOthersLeaveBesideAnyScrollBar) {
    KIVColumnListBoxCtrl& list = Place(sorted);
    list.AddColumn(u"Name");
    list.AddColumn(u"Size");
    list.SetColumnWidth(0, 400); // wider than the list: a horizontal bar
    list.SetColumnWidth(1, 82);
    AddRow(list, u"a", u"1");
    list.FillWidthWithColumn(0);
    EXPECT_FALSE(list.HasHorizontalBar());
    EXPECT_FALSE(list.HasVerticalBar());
    EXPECT_EQ(list.GetColumnWidth(0), 300 - 82);
    for (int i = 0; i < 40; ++i)
        AddRow(list, u"b", u"2");
    list.FillWidthWithColumn(0);
    ASSERT_TRUE(list.HasVerticalBar());
    EXPECT_FALSE(list.HasHorizontalBar());
    EXPECT_EQ(list.GetColumnWidth(0), 300 - KIVListBoxCtrl::kScrollBarSize - 82);
    list.SetColumnWidth(1, 500); // no room left: the smallest width
    list.FillWidthWithColumn(0);
    EXPECT_EQ(list.GetColumnWidth(0), KIVColumnListBoxCtrl::kMinColumnWidth);
    list.FillWidthWithColumn(2); // no such column
    EXPECT_EQ(list.TotalColumnWidth(), 500 + KIVColumnListBoxCtrl::kMinColumnWidth);
}

TEST_F(ColumnListTest, TheTextOfAMissingColumnChangesNothing) {
    KIVColumnListBoxCtrl& list = Place(plain);
    list.AddColumn(u"Name");
    KIVColumnListBoxLine line(&list, u"x", false);
    list.SetCellText(&line, 0, u"first");
    list.SetCellText(&line, 1, u"second");
    list.SetCellText(&line, -1, u"before");
    EXPECT_EQ(std::u16string(line.GetCell(0)), u"first");
    EXPECT_EQ(std::u16string(line.GetCell(1)), u"");
    EXPECT_EQ(line.Width(), list.TotalColumnWidth());
}

TEST_F(ColumnListTest, ABorderDragsWithTheResizeCursorButNotTo10PixelsOrLess) {
    KIVColumnListBoxCtrl& list = Place(sorted);
    list.AddColumn(u"Name");
    list.AddColumn(u"Size");
    const POINT border = Border(list, 0);
    MoveTo(dialog, POINT{border.x + 5, border.y});
    Pump();
    EXPECT_EQ(display->Cursor(), 32644); // IDC_SIZEWE
    MoveTo(dialog, POINT{border.x + 6, border.y});
    Pump();
    EXPECT_EQ(display->Cursor(), 32512); // IDC_ARROW
    DeviceInput::MouseButton(VK_LBUTTON, true, Screen(dialog, POINT{border.x - 4, border.y}));
    MoveTo(dialog, POINT{border.x - 40, border.y + 50});
    Pump();
    EXPECT_EQ(list.GetColumnWidth(0), 110);
    const int left = list.HeaderRect().left;
    MoveTo(dialog, POINT{left + 10, border.y});
    Pump();
    EXPECT_EQ(list.GetColumnWidth(0), 110);
    MoveTo(dialog, POINT{left + 11, border.y});
    Pump();
    EXPECT_EQ(list.GetColumnWidth(0), 11);
    DeviceInput::MouseButton(VK_LBUTTON, false, Screen(dialog, POINT{left + 11, border.y}));
    Pump();
    // The drag neither sorted nor selected anything.
    EXPECT_EQ(list.GetSortColumn(), 0);
    EXPECT_FALSE(list.IsDescending(0));
}

TEST_F(ColumnListTest, ATitleClickSortsByItsColumnAndASecondReversesIt) {
    KIVColumnListBoxCtrl& list = Place(sorted);
    list.AddColumn(u"Name");
    list.AddColumn(u"Size");
    AddRow(list, u"beta", u"1");
    AddRow(list, u"Alpha", u"3");
    AddRow(list, u"gamma", u"2");
    EXPECT_EQ(Column(list, 0), u"Alpha beta gamma ");
    Click(dialog, Title(list, 0));
    Pump();
    EXPECT_TRUE(list.IsDescending(0));
    EXPECT_EQ(Column(list, 0), u"gamma beta Alpha ");
    Click(dialog, Title(list, 0));
    Pump();
    EXPECT_EQ(Column(list, 0), u"Alpha beta gamma ");
    Click(dialog, Title(list, 1));
    Pump();
    EXPECT_EQ(list.GetSortColumn(), 1);
    EXPECT_EQ(Column(list, 1), u"1 2 3 ");
    // A new line finds its place in the sort column's order.
    AddRow(list, u"delta", u"0");
    EXPECT_EQ(Column(list, 1), u"0 1 2 3 ");
}

TEST_F(ColumnListTest, PressingOneTitleAndReleasingOverAnotherDoesNothing) {
    KIVColumnListBoxCtrl& list = Place(sorted);
    list.AddColumn(u"Name");
    list.AddColumn(u"Size");
    AddRow(list, u"b", u"1");
    AddRow(list, u"a", u"2");
    DeviceInput::MouseButton(VK_LBUTTON, true, Screen(dialog, Title(list, 0)));
    DeviceInput::MouseButton(VK_LBUTTON, false, Screen(dialog, Title(list, 1)));
    Pump();
    EXPECT_EQ(list.GetSortColumn(), 0);
    EXPECT_FALSE(list.IsDescending(0));
    EXPECT_EQ(Column(list, 0), u"a b ");
    EXPECT_EQ(list.GetCurrentLine(), -1);
}

TEST_F(ColumnListTest, InAnUnsortedListATitleClickSortsNothing) {
    KIVColumnListBoxCtrl& list = Place(plain);
    list.AddColumn(u"Name");
    AddRow(list, u"b", u"");
    AddRow(list, u"a", u"");
    Click(dialog, Title(list, 0));
    Pump();
    EXPECT_EQ(Column(list, 0), u"b a ");
    Click(dialog, OnLine(list, 1, 30));
    Pump();
    EXPECT_EQ(list.GetCurrentLine(), 1);
}

TEST_F(ColumnListTest, TheBandFadesFromTopToBottomAndShowsTheSortArrow) {
    KIVColumnListBoxCtrl& list = Place(sorted);
    list.AddColumn(u"N");
    list.AddColumn(u"S");
    Pump();
    const RECT band = list.HeaderRect();
    EXPECT_EQ(dialog.PixelAt(band.left + 3, band.top) & 0xFFFFFF, 0xEBEBF4u);
    EXPECT_EQ(dialog.PixelAt(band.left + 3, band.bottom - 1) & 0xFFFFFF, 0xB3B9D0u);
    // The arrow of the sort column, none in the other.
    SIZE arrow{};
    KIVPainter::PictureSize(151, &arrow);
    auto accentIn = [&](int left, int right) {
        int count = 0;
        for (int x = left; x < right; ++x)
            for (int y = band.top; y < band.bottom; ++y)
                count += (dialog.PixelAt(x, y) & 0xFFFFFF) == KIVLook::kInk;
        return count;
    };
    const POINT border0 = Border(list, 0);
    const POINT border1 = Border(list, 1);
    EXPECT_GT(accentIn(border0.x - 20, border0.x - 4), 0);
    EXPECT_EQ(accentIn(border1.x - 20, border1.x - 4), 0);
}

TEST_F(ColumnListTest, TitlesAreFadedExceptTheOneUnderThePointer) {
    KIVColumnListBoxCtrl& list = Place(sorted);
    list.AddColumn(u"WWW");
    list.AddColumn(u"WWW");
    const RECT band = list.HeaderRect();
    // The darkest green level of a column's title.
    auto darkest = [&](int column) {
        const POINT title = Title(list, column);
        int level = 255;
        for (int x = title.x - 30; x < title.x + 30; ++x)
            for (int y = band.top; y < band.bottom; ++y)
                level = std::min<int>(level, (dialog.PixelAt(x, y) >> 8) & 0xFF);
        return level;
    };
    Pump();
    const int ordinary = darkest(1);
    EXPECT_LT(darkest(0), ordinary); // the sort column fades less
    MoveTo(dialog, Title(list, 1));
    Pump();
    EXPECT_EQ(list.GetHoverTitle(), 1);
    EXPECT_LT(darkest(1), darkest(0));
}
