#include "toolkit/controls/KIVColumnListBoxLine.h"

#include "toolkit/controls/KIVColumnListBoxCtrl.h"
#include "toolkit/drawing/KIVPainter.h"

namespace {

constexpr int kCellGap = 2; // between a cell's end and its column's edge
constexpr int kTextInset = 4;

const KIVColumnListBoxCtrl* ColumnsOf(const KIVListBoxLine& line) {
    return dynamic_cast<const KIVColumnListBoxCtrl*>(line.GetOwner());
}

} // namespace

void KIVColumnListBoxLine::SetCell(int column, const char16_t* text) {
    if (column < 0)
        return;
    if (column >= static_cast<int>(cells_.size()))
        cells_.resize(column + 1);
    cells_[column] = text;
}

const KIVString& KIVColumnListBoxLine::GetCell(int column) const {
    static const KIVString empty;
    if (column < 0 || column >= static_cast<int>(cells_.size()))
        return empty;
    return cells_[column];
}

int KIVColumnListBoxLine::Width() const {
    const KIVColumnListBoxCtrl* list = ColumnsOf(*this);
    if (!list || list->GetColumnCount() == 0)
        return KIVListBoxLine::Width();
    return list->TotalColumnWidth();
}

// Each cell ends 2 pixels before its column's right edge and the next one
// starts 2 pixels after that; the first holds the check box.
void KIVColumnListBoxLine::Draw(const KIVDrawBuffer& buffer, const RECT& rect,
                                const KIVListLineLook& look) {
    const KIVColumnListBoxCtrl* list = ColumnsOf(*this);
    if (!list || list->GetColumnCount() == 0) {
        KIVListBoxLine::Draw(buffer, rect, look);
        return;
    }
    KIVPainter::FillRect(buffer, RECT{rect.left, rect.top, rect.right + 3, rect.bottom},
                         look.background);
    int start = rect.left;
    for (int column = 0; column < list->GetColumnCount(); ++column) {
        const int end = start + list->GetColumnWidth(column) - kCellGap;
        int textLeft = column == 0 ? start + kTextInset : start;
        if (column == 0 && HasCheckBox())
            textLeft = DrawCheckBox(buffer, rect, look);
        DrawLineText(buffer, GetCell(column), textLeft, end, rect, look.text);
        start = end + kCellGap;
    }
}
