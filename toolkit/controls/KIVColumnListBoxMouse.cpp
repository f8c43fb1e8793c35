// A column list's mouse: dragging a border resizes its column, a click on
// a title (pressed and released on the same one) sorts by it, and the
// pointer shows the resize cursor over a border.
#include "toolkit/controls/KIVColumnListBoxCtrl.h"

namespace {

void ShowCursor(LPCSTR cursor) {
    ::SetCursor(::LoadCursorA(nullptr, cursor));
}

} // namespace

bool KIVColumnListBoxCtrl::OnMouseDown(POINT point, UINT flags) {
    const int border = BorderAt(point);
    if (border >= 0) {
        dragging_ = true;
        dragColumn_ = border;
        return false;
    }
    if (GetStyle() & kSorted) {
        const int title = TitleAt(point);
        if (title >= 0) {
            pressedTitle_ = title;
            return false;
        }
    }
    return KIVListBoxCtrl::OnMouseDown(point, flags);
}

bool KIVColumnListBoxCtrl::OnMouseMove(POINT point, UINT flags) {
    if (dragging_) {
        DragBorder(point.x);
        return false;
    }
    if (BorderAt(point) >= 0) {
        ShowCursor(IDC_SIZEWE);
        SetHoverTitle(-1);
    } else {
        ShowCursor(IDC_ARROW);
        if (GetStyle() & kSorted)
            SetHoverTitle(TitleAt(point));
    }
    return KIVListBoxCtrl::OnMouseMove(point, flags);
}

// The column takes the pointer's movement since its border's place, as
// long as it stays wider than 10 pixels.
void KIVColumnListBoxCtrl::DragBorder(int x) {
    const int border = ColumnLeft(dragColumn_) + columns_[dragColumn_].width;
    const int width = columns_[dragColumn_].width + x - border;
    if (width < kMinColumnWidth || width == columns_[dragColumn_].width)
        return;
    SetColumnWidth(dragColumn_, width);
}

// A title pressed and released on itself: the sort column turns its
// order round, another column becomes the sort column in its own order.
bool KIVColumnListBoxCtrl::OnMouseUp(POINT point, UINT flags) {
    if (dragging_) {
        dragging_ = false;
        dragColumn_ = -1;
        return false;
    }
    const int pressed = pressedTitle_;
    pressedTitle_ = -1;
    if (pressed >= 0) {
        if (TitleAt(point) == pressed) {
            if (pressed == sortColumn_)
                columns_[pressed].descending = !columns_[pressed].descending;
            else
                sortColumn_ = pressed;
            Resort();
        }
        return false;
    }
    return KIVListBoxCtrl::OnMouseUp(point, flags);
}

void KIVColumnListBoxCtrl::OnMouseLeave() {
    SetHoverTitle(-1);
    KIVListBoxCtrl::OnMouseLeave();
}

void KIVColumnListBoxCtrl::SetHoverTitle(int column) {
    if (column == hoverTitle_)
        return;
    hoverTitle_ = column;
    RedrawHeader();
}
