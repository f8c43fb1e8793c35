// The pixels of list boxes: the colours of a line's states, a disabled
// list's faded text and greyed boxes, the hovered box face, and painting
// only the lines that show (and nothing when nothing changed).
#include "ListFixture.h"

#include "toolkit/drawing/KIVLook.h"
#include "toolkit/drawing/KIVPainter.h"
#include "toolkit/resources/KIVTextPainter.h"

using namespace list_test;

namespace {

constexpr DWORD Rgb(int r, int g, int b) {
    return static_cast<DWORD>(r << 16 | g << 8 | b);
}

class ListPaintTest : public DialogTest {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0)); }
    DWORD Pixel(POINT at) const { return dialog.PixelAt(at.x, at.y) & 0x00FFFFFF; }
    // A picture drawn alone on a background, for comparing with a list.
    static std::vector<DWORD> Picture(int id, int frame, DWORD background, float factor,
                                      SIZE* size) {
        KIVPainter::PictureSize(id, size);
        std::vector<DWORD> pixels(static_cast<std::size_t>(size->cx) * size->cy, background);
        const KIVDrawBuffer buffer{pixels.data(), size->cx, size->cy, size->cx,
                                   RECT{0, 0, size->cx, size->cy}};
        KIVPainter::DrawPicture(buffer, id, frame, 0, 0, factor);
        return pixels;
    }
    // Whether the picture shows at a point (only its outermost ring with ring).
    bool ShowsPicture(POINT at, int id, int frame, DWORD background, float factor,
                      bool ring = false) const {
        SIZE size{};
        const std::vector<DWORD> expected = Picture(id, frame, background, factor, &size);
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                if ((!ring || x == 0 || y == 0 || x == size.cx - 1 || y == size.cy - 1) &&
                    Pixel(POINT{at.x + x, at.y + y}) != (expected[y * size.cx + x] & 0xFFFFFF))
                    return false;
        return true;
    }
    ListDialog dialog;
};

} // namespace

TEST_F(ListPaintTest, EachStateHasItsColours) {
    KIVListBoxCtrl& list = *dialog.List(1002);
    KIVListBoxLine a(&list, u"a", false), b(&list, u"b", false), c(&list, u"c", false);
    list.AddLine(&a);
    list.AddLine(&b);
    list.AddLine(&c);
    list.Select(1);
    const KIVListLineLook selected = list.LookOf(1);
    EXPECT_EQ(selected.text, Rgb(45, 47, 62));
    EXPECT_EQ(selected.background, Rgb(212, 215, 230));
    EXPECT_EQ(list.LookOf(0).text, KIVLook::kInk) << "a line not chosen is as dark as any text";
    EXPECT_EQ(list.LookOf(0).background, Rgb(242, 243, 250));
    list.SetFocus();
    EXPECT_EQ(list.LookOf(0).background, Rgb(250, 250, 255));
    MoveTo(dialog, OnLine(list, 2, 30));
    Pump();
    EXPECT_EQ(list.GetHoverLine(), 2);
    EXPECT_EQ(list.LookOf(2).text, Rgb(45, 47, 62));
    EXPECT_EQ(list.LookOf(2).background, Rgb(250, 250, 255));
    EXPECT_EQ(Pixel(OnLine(list, 1, 1)), Rgb(212, 215, 230));
    EXPECT_EQ(Pixel(OnLine(list, 0, 1)), Rgb(250, 250, 255));
}

TEST_F(ListPaintTest, ADisabledListFadesItsTextAndGreysItsBoxes) {
    KIVListBoxCtrl& list = *dialog.List(1004);
    ASSERT_FALSE(list.IsEnabled());
    KIVListBoxLine line(&list, u"IIlll", true);
    line.SetChecked(true);
    list.AddLine(&line);
    list.Select(0);
    Pump();
    const DWORD text = Rgb(162, 162, 167);
    const DWORD background = Rgb(242, 243, 250);
    EXPECT_EQ(list.LookOf(0).text, text);
    EXPECT_EQ(list.LookOf(0).background, background);
    const RECT rect = list.LineRect(0);
    // The text as the painter draws it in the faded colour, right of the box.
    const KIVFont& font = *list.GetListFont();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    std::vector<DWORD> expected(static_cast<std::size_t>(width) * height, background);
    const KIVDrawBuffer reference{expected.data(), width, height, width, RECT{0, 0, width, height}};
    KIVTextPainter::DrawText(reference, font, u"IIlll", -1, 18, (height - font.LineHeight()) / 2,
                             width, text, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 18; x < 60; ++x)
            ASSERT_EQ(Pixel(POINT{rect.left + x, rect.top + y}), expected[y * width + x])
                << x << "," << y;
    // The frame's outer ring: the face and the mark cover its inside.
    const RECT box = KIVListBoxLine::CheckBoxArea(rect);
    EXPECT_TRUE(ShowsPicture(POINT{box.left, box.top}, 72, 0, background, 0.4f, true));
    EXPECT_FALSE(ShowsPicture(POINT{box.left, box.top}, 72, 0, background, 1.0f, true));
}

TEST_F(ListPaintTest, TheBoxUnderThePointerShowsItsHoveredFace) {
    KIVListBoxCtrl& list = *dialog.List(1003);
    KIVListBoxLine line(&list, u"line", true);
    list.AddLine(&line);
    const RECT box = KIVListBoxLine::CheckBoxArea(list.LineRect(0));
    MoveTo(dialog, POINT{box.left + 4, box.top + 4});
    Pump();
    EXPECT_TRUE(line.IsHovered());
    // The face sits 2 pixels inside the frame; its background is the box's well.
    const DWORD well = Pixel(POINT{box.left + 2, box.top + 2});
    EXPECT_TRUE(ShowsPicture(POINT{box.left + 2, box.top + 2}, 73, 1, well, 1.0f));
    MoveTo(dialog, POINT{box.right + 30, box.top + 4});
    Pump();
    EXPECT_FALSE(line.IsHovered());
    EXPECT_TRUE(ShowsPicture(POINT{box.left + 2, box.top + 2}, 73, 0, well, 1.0f));
}

// A checked box under the pointer highlights its mark: drawn in the
// highlighted line's text colour instead of the accent.
TEST_F(ListPaintTest, TheMarkUnderThePointerIsHighlighted) {
    KIVListBoxCtrl& list = *dialog.List(1003);
    KIVListBoxLine line(&list, u"line", true);
    line.SetChecked(true);
    list.AddLine(&line);
    const RECT box = KIVListBoxLine::CheckBoxArea(list.LineRect(0));
    auto count = [&](DWORD colour) {
        int pixels = 0;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                pixels += Pixel(POINT{x, y}) == colour;
        return pixels;
    };
    MoveTo(dialog, POINT{box.right + 30, box.top + 4});
    Pump();
    ASSERT_FALSE(line.IsHovered());
    const DWORD highlighted = list.LookOf(0).text;
    EXPECT_EQ(highlighted, Rgb(45, 47, 62));
    const int mark = count(KIVLook::kAccent);
    EXPECT_GT(mark, 5);
    EXPECT_EQ(count(highlighted), 0);
    MoveTo(dialog, POINT{box.left + 4, box.top + 4});
    Pump();
    ASSERT_TRUE(line.IsHovered());
    EXPECT_EQ(count(KIVLook::kAccent), 0);
    EXPECT_EQ(count(highlighted), mark);
}

TEST_F(ListPaintTest, OnlyTheLinesThatShowArePaintedAndOnlyWhenSomethingChanged) {
    KIVListBoxCtrl& list = *dialog.List(1003);
    std::vector<std::unique_ptr<CountingLine>> lines;
    for (int i = 0; i < 40; ++i) {
        lines.push_back(std::make_unique<CountingLine>(&list, u"line", false));
        list.AddLine(lines.back().get());
    }
    Pump();
    EXPECT_GT(lines[0]->draws, 0);
    EXPECT_EQ(lines[39]->draws, 0);
    // Moving within one line changes nothing that shows.
    MoveTo(dialog, OnLine(list, 1, 20));
    Pump();
    const int before = lines[1]->draws;
    MoveTo(dialog, OnLine(list, 1, 40));
    MoveTo(dialog, OnLine(list, 1, 60));
    Pump();
    EXPECT_EQ(lines[1]->draws, before);
    MoveTo(dialog, OnLine(list, 2, 60));
    Pump();
    EXPECT_GT(lines[1]->draws, before);
}

// A line's check box sits on the middle of its line, as the text does.
TEST_F(ListPaintTest, TheCheckBoxIsCentredOnItsLine) {
    KIVListBoxCtrl& list = *dialog.List(1003);
    KIVListBoxLine line(&list, u"line", true);
    list.AddLine(&line);
    Pump();
    const RECT rect = list.LineRect(0);
    const RECT box = KIVListBoxLine::CheckBoxArea(rect);
    EXPECT_LE(std::abs((box.top - rect.top) - (rect.bottom - box.bottom)), 1);
    EXPECT_TRUE(ShowsPicture(POINT{box.left, box.top}, 72, 0, Pixel(POINT{box.right + 1, box.top}),
                             1.0f, true));
}
