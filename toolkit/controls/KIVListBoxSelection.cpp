// A list box's selection: Select from code, clicks on lines (with Control
// and Shift in a multiple-selection list) and the keyboard's moves of the
// current line.
#include "toolkit/controls/KIVListBoxCtrl.h"

#include <algorithm>

int KIVListBoxCtrl::Select(int index) {
    if (index < -1 || index >= GetLineCount())
        return -1;
    if (index == -1)
        SetSelection({}, -1);
    else
        SetSelection({index}, index);
    anchor_ = index;
    EnsureVisible(index);
    NotifySelection();
    return index;
}

bool KIVListBoxCtrl::IsSelected(int index) const {
    return std::find(selection_.begin(), selection_.end(), index) != selection_.end();
}

void KIVListBoxCtrl::NotifySelection() {
    Notify(kNotifySelection, current_);
}

void KIVListBoxCtrl::SetSelection(std::vector<int> selection, int current) {
    selection_ = std::move(selection);
    current_ = current;
    RedrawLines();
}

void KIVListBoxCtrl::SelectRange(int from, int to) {
    std::vector<int> range;
    for (int i = std::min(from, to); i <= std::max(from, to); ++i)
        range.push_back(i);
    SetSelection(std::move(range), to);
}

// A plain click selects the line alone; in a multiple-selection list,
// Control toggles the line and Shift selects from the anchor to it.
void KIVListBoxCtrl::ClickLine(int index, UINT flags) {
    const bool multiple = GetStyle() & kMultipleSelection;
    if (multiple && (flags & MK_SHIFT) && anchor_ >= 0) {
        SelectRange(anchor_, index);
    } else if (multiple && (flags & MK_CONTROL)) {
        std::vector<int> selection = selection_;
        const auto found = std::find(selection.begin(), selection.end(), index);
        if (found != selection.end())
            selection.erase(found);
        else
            selection.push_back(index);
        SetSelection(std::move(selection), index);
        anchor_ = index;
    } else {
        SetSelection({index}, index);
        anchor_ = index;
    }
    EnsureVisible(index);
    NotifySelection();
}

// The keyboard moves the current line (and the selection with it); with
// extend, a multiple-selection list selects from the anchor.
void KIVListBoxCtrl::MoveCurrent(int index, bool extend) {
    if (GetLineCount() == 0)
        return;
    index = std::clamp(index, 0, GetLineCount() - 1);
    if (extend && (GetStyle() & kMultipleSelection) && anchor_ >= 0) {
        SelectRange(anchor_, index);
    } else {
        SetSelection({index}, index);
        anchor_ = index;
    }
    EnsureVisible(index);
    NotifySelection();
}

// How many lines of the default height the well shows at once.
int KIVListBoxCtrl::PageLines() const {
    const RECT area = LinesArea();
    return std::max(1, static_cast<int>(area.bottom - area.top) / std::max(1, lineHeight_));
}

bool KIVListBoxCtrl::OnKeyDown(UINT key, UINT, UINT) {
    const bool extend = ::GetKeyState(VK_SHIFT) < 0;
    const int last = GetLineCount() - 1;
    switch (key) {
    case VK_UP:
        MoveCurrent(current_ < 0 ? 0 : current_ - 1, extend);
        return false;
    case VK_DOWN:
        MoveCurrent(current_ + 1, extend);
        return false;
    case VK_PRIOR:
        MoveCurrent(current_ - PageLines(), extend);
        return false;
    case VK_NEXT:
        MoveCurrent(current_ < 0 ? PageLines() - 1 : current_ + PageLines(), extend);
        return false;
    case VK_HOME:
        MoveCurrent(0, extend);
        return false;
    case VK_END:
        MoveCurrent(last, extend);
        return false;
    case VK_SPACE:
        if (KIVListBoxLine* line = GetLine(current_); line && line->HasCheckBox())
            line->Toggle();
        return false;
    default:
        return true;
    }
}
