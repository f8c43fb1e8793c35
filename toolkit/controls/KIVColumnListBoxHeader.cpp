// A column list's title band: the fill between the two header colours,
// the titles (faded unless under the pointer), the sort arrow and the
// grooves between the columns; and where its borders and titles lie.
#include "toolkit/controls/KIVColumnListBoxCtrl.h"

#include "toolkit/KIVDialog.h"
#include "toolkit/drawing/KIVPainter.h"
#include "toolkit/resources/KIVTextPainter.h"

namespace {

constexpr int kTitleGap = 2;   // between a title and its column's right edge
constexpr int kArrowGap = 4;   // room beside the sort arrow
constexpr int kGrooveLead = 3; // the groove starts this far before the border

// Channel by channel from top to bottom over the band's rows.
DWORD BandColour(int row, int rows) {
    DWORD colour = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int top = (KIVColumnListBoxCtrl::kHeaderTop >> shift) & 0xFF;
        const int bottom = (KIVColumnListBoxCtrl::kHeaderBottom >> shift) & 0xFF;
        const int value = top + (bottom - top) * row / (rows > 1 ? rows - 1 : 1);
        colour |= static_cast<DWORD>(value) << shift;
    }
    return colour;
}

SIZE ArrowSize() {
    SIZE size{};
    KIVPainter::PictureSize(KIVColumnListBoxCtrl::kAscendingPicture, &size);
    return size;
}

} // namespace

RECT KIVColumnListBoxCtrl::HeaderRect() const {
    const RECT area = LinesArea();
    return RECT{area.left, area.top - kHeaderHeight, area.right, area.top};
}

int KIVColumnListBoxCtrl::ColumnLeft(int column) const {
    int left = HeaderRect().left - GetScrollX();
    for (int i = 0; i < column; ++i)
        left += columns_[i].width;
    return left;
}

void KIVColumnListBoxCtrl::DrawHeader(const KIVDrawBuffer& buffer) {
    const RECT band = HeaderRect();
    KIVDrawBuffer clipped = buffer;
    if (!::IntersectRect(&clipped.clip, &buffer.clip, &band))
        return;
    for (int row = 0; row < kHeaderHeight; ++row)
        KIVPainter::HorizontalLine(clipped, band.left, band.right, band.top + row,
                                   BandColour(row, kHeaderHeight));
    int left = ColumnLeft(0);
    for (int column = 0; column < GetColumnCount() && left < band.right; ++column) {
        const int right = left + columns_[column].width;
        DrawTitle(clipped, column, RECT{left, band.top, right - kTitleGap, band.bottom});
        KIVPainter::DrawPicture(clipped, kBorderPicture, 0, right - kGrooveLead, band.top);
        left = right;
    }
}

// In a sorted list the title leaves room for the arrow, which the sort
// column shows; the title is faded unless the pointer is on it.
void KIVColumnListBoxCtrl::DrawTitle(const KIVDrawBuffer& buffer, int column,
                                     const RECT& box) const {
    const bool sorted = GetStyle() & kSorted;
    RECT title = box;
    float fade = 1.0f;
    if (sorted) {
        const SIZE arrow = ArrowSize();
        title.right -= arrow.cx + kArrowGap;
        if (column == sortColumn_)
            KIVPainter::DrawPicture(
                buffer, IsDescending(column) ? kDescendingPicture : kAscendingPicture, 0,
                title.right + kArrowGap / 2, box.top + (kHeaderHeight - arrow.cy) / 2);
        if (column != hoverTitle_)
            fade = column == sortColumn_ ? kSortTitleFade : kTitleFade;
    }
    const KIVFont* font = GetListFont();
    if (!font || title.right <= title.left)
        return;
    KIVDrawBuffer clipped = buffer;
    if (!::IntersectRect(&clipped.clip, &buffer.clip, &title))
        return;
    KIVTextPainter::DrawText(clipped, *font, columns_[column].title, -1, title.left,
                             title.top + (kHeaderHeight - font->LineHeight()) / 2,
                             title.right - title.left, kTitleColour, KIVTextPainter::kCentre,
                             static_cast<int>(fade * 255));
}

int KIVColumnListBoxCtrl::BorderAt(POINT point) const {
    const RECT band = HeaderRect();
    if (OverScrollBar(point) || point.y < band.top || point.y >= band.bottom)
        return -1;
    int edge = ColumnLeft(0);
    for (int column = 0; column < GetColumnCount(); ++column) {
        edge += columns_[column].width;
        if (point.x >= edge - kBorderReach && point.x <= edge + kBorderReach)
            return column;
    }
    return -1;
}

int KIVColumnListBoxCtrl::TitleAt(POINT point) const {
    const RECT band = HeaderRect();
    if (!::PtInRect(&band, point))
        return -1;
    int left = ColumnLeft(0);
    for (int column = 0; column < GetColumnCount(); ++column) {
        const int right = left + columns_[column].width;
        if (point.x >= left && point.x < right)
            return column;
        left = right;
    }
    return -1;
}

void KIVColumnListBoxCtrl::RedrawHeader() {
    if (GetDialog() && IsVisible())
        GetDialog()->Invalidate(HeaderRect());
}
