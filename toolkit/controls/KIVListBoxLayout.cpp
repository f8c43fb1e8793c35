// A list box's layout: the well inside the border, the scroll bars (14
// pixels, shown only when the lines do not fit), the lines' rectangles and
// the scroll offsets.
#include "toolkit/controls/KIVListBoxCtrl.h"

#include <algorithm>

namespace {

RECT Inset(const RECT& rect, int by) {
    return RECT{rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

} // namespace

const std::vector<int>& KIVListBoxCtrl::LineTops() const {
    if (topsValid_)
        return tops_;
    tops_.resize(lines_.size() + 1);
    int top = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        tops_[i] = top;
        top += lines_[i]->GetHeight();
    }
    tops_.back() = top;
    topsValid_ = true;
    return tops_;
}

int KIVListBoxCtrl::ContentWidth() const {
    return widest_;
}

// A bar takes room from the other direction, so the vertical need is
// looked at again once the horizontal bar is known.
KIVListBoxCtrl::Geometry KIVListBoxCtrl::Layout() const {
    Geometry geometry;
    geometry.inner = Inset(GetRect(), kBorder);
    const int width = geometry.inner.right - geometry.inner.left;
    const int height = geometry.inner.bottom - geometry.inner.top - HeaderHeight();
    geometry.vertical = ContentHeight() > height;
    geometry.horizontal = ContentWidth() > width - (geometry.vertical ? kScrollBarSize : 0);
    if (geometry.horizontal && !geometry.vertical)
        geometry.vertical = ContentHeight() > height - kScrollBarSize;
    return geometry;
}

RECT KIVListBoxCtrl::LinesArea() const {
    const Geometry geometry = Layout();
    RECT area = geometry.inner;
    area.top += HeaderHeight();
    if (geometry.vertical)
        area.right -= kScrollBarSize;
    if (geometry.horizontal)
        area.bottom -= kScrollBarSize;
    area.right = std::max(area.right, area.left);
    area.bottom = std::max(area.bottom, area.top);
    return area;
}

RECT KIVListBoxCtrl::VerticalBarRect() const {
    const Geometry geometry = Layout();
    if (!geometry.vertical)
        return RECT{};
    const RECT area = LinesArea();
    return RECT{area.right, area.top, geometry.inner.right, area.bottom};
}

RECT KIVListBoxCtrl::HorizontalBarRect() const {
    const Geometry geometry = Layout();
    if (!geometry.horizontal)
        return RECT{};
    const RECT area = LinesArea();
    return RECT{area.left, area.bottom, area.right, geometry.inner.bottom};
}

bool KIVListBoxCtrl::OverScrollBar(POINT point) const {
    const RECT vertical = VerticalBarRect();
    const RECT horizontal = HorizontalBarRect();
    return ::PtInRect(&vertical, point) || ::PtInRect(&horizontal, point);
}

int KIVListBoxCtrl::LineLeft() const {
    return LinesArea().left - scrollX_;
}

// Lines run across the whole well, or as wide as the widest content.
RECT KIVListBoxCtrl::LineRect(int index) const {
    if (index < 0 || index >= GetLineCount())
        return RECT{};
    const RECT area = LinesArea();
    const int width = std::max<int>(area.right - area.left, ContentWidth());
    const int top = area.top + LineTops()[index] - scrollY_;
    const int left = area.left - scrollX_;
    return RECT{left, top, left + width - 3, top + lines_[index]->GetHeight()};
}

int KIVListBoxCtrl::LineAt(POINT point) const {
    const RECT area = LinesArea();
    if (!::PtInRect(&area, point))
        return -1;
    const std::vector<int>& tops = LineTops();
    const int y = point.y - area.top + scrollY_;
    const auto after = std::upper_bound(tops.begin(), tops.end() - 1, y);
    const int index = static_cast<int>(after - tops.begin()) - 1;
    return index >= 0 && y < tops.back() ? index : -1;
}

void KIVListBoxCtrl::ScrollTo(int x, int y) {
    const RECT area = LinesArea();
    const int maxX = std::max<int>(0, ContentWidth() - (area.right - area.left));
    const int maxY = std::max<int>(0, ContentHeight() - (area.bottom - area.top));
    x = std::clamp(x, 0, maxX);
    y = std::clamp(y, 0, maxY);
    if (x == scrollX_ && y == scrollY_)
        return;
    scrollX_ = x;
    scrollY_ = y;
    SyncScrollBars();
    RequestDraw();
}

void KIVListBoxCtrl::UpdateScrollRanges() {
    ScrollTo(scrollX_, scrollY_);
    SyncScrollBars();
}

void KIVListBoxCtrl::EnsureVisible(int index) {
    if (index < 0 || index >= GetLineCount())
        return;
    const RECT area = LinesArea();
    const int top = LineTops()[index];
    const int bottom = top + lines_[index]->GetHeight();
    int y = scrollY_;
    if (bottom > y + (area.bottom - area.top))
        y = bottom - (area.bottom - area.top);
    if (top < y)
        y = top;
    ScrollTo(scrollX_, y);
}
