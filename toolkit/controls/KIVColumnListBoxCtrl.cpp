// A column list's columns, cell texts and sort order.
#include "toolkit/controls/KIVColumnListBoxCtrl.h"

#include "toolkit/KIVDialog.h"

#include <algorithm>

KIVColumnListBoxCtrl::KIVColumnListBoxCtrl(KIVDialog* dialog, LONG id, const RECT& rect,
                                           LONG fontId, LONG style, LONG stateFlags)
    : KIVListBoxCtrl(dialog, id, rect, fontId, style | kMultipleSelection, stateFlags) {}

KIVColumnListBoxCtrl::KIVColumnListBoxCtrl(const KIVControl& placeholder)
    : KIVColumnListBoxCtrl(placeholder.GetDialog(), placeholder.GetId(), placeholder.GetRect(),
                           placeholder.GetFontId(), placeholder.GetStyle(),
                           placeholder.GetStateFlags()) {}

int KIVColumnListBoxCtrl::AddColumn(const char16_t* title) {
    columns_.push_back(Column{0, title, false});
    const RECT area = LinesArea();
    const int width = (area.right - area.left) / GetColumnCount();
    for (Column& column : columns_)
        column.width = width;
    UpdateScrollRanges();
    RedrawAllLines();
    return width;
}

void KIVColumnListBoxCtrl::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= GetColumnCount())
        return;
    columns_[column].width = width;
    UpdateScrollRanges();
    RedrawAllLines();
}

// The column is made as narrow as it may be first, so that the lines'
// area is measured without a horizontal bar that its old width called for.
void KIVColumnListBoxCtrl::FillWidthWithColumn(int column) {
    if (column < 0 || column >= GetColumnCount())
        return;
    columns_[column].width = kMinColumnWidth;
    const RECT area = LinesArea();
    const int others = TotalColumnWidth() - kMinColumnWidth;
    SetColumnWidth(column,
                   std::max(kMinColumnWidth, static_cast<int>(area.right - area.left) - others));
}

int KIVColumnListBoxCtrl::GetColumnWidth(int column) const {
    return column >= 0 && column < GetColumnCount() ? columns_[column].width : 0;
}

const char16_t* KIVColumnListBoxCtrl::GetColumnTitle(int column) const {
    return column >= 0 && column < GetColumnCount()
               ? static_cast<const char16_t*>(columns_[column].title)
               : u"";
}

bool KIVColumnListBoxCtrl::IsDescending(int column) const {
    return column >= 0 && column < GetColumnCount() && columns_[column].descending;
}

int KIVColumnListBoxCtrl::TotalColumnWidth() const {
    int total = 0;
    for (const Column& column : columns_)
        total += column.width;
    return total;
}

int KIVColumnListBoxCtrl::ContentWidth() const {
    return columns_.empty() ? KIVListBoxCtrl::ContentWidth() : TotalColumnWidth();
}

void KIVColumnListBoxCtrl::SetCellText(KIVColumnListBoxLine* line, int column,
                                       const char16_t* text) {
    if (!line || column < 0 || column >= GetColumnCount())
        return;
    line->SetCell(column, text);
    RedrawAllLines();
}

// The sort column's texts, ignoring case, in its direction.
int KIVColumnListBoxCtrl::CompareLines(const KIVListBoxLine& a, const KIVListBoxLine& b) const {
    const auto* left = dynamic_cast<const KIVColumnListBoxLine*>(&a);
    const auto* right = dynamic_cast<const KIVColumnListBoxLine*>(&b);
    if (!left || !right || columns_.empty())
        return KIVListBoxCtrl::CompareLines(a, b);
    const int order = left->GetCell(sortColumn_).CompareNoCase(right->GetCell(sortColumn_));
    return IsDescending(sortColumn_) ? -order : order;
}

void KIVColumnListBoxCtrl::Resort() {
    ReinsertAllLines();
}
