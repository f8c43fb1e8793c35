// A list box's lines: adding them (in sorted order when the style asks for
// it), inserting, the line height and the font.
#include "toolkit/controls/KIVListBoxCtrl.h"

#include "toolkit/KIVApplication.h"
#include "toolkit/resources/KIVFont.h"

#include <algorithm>

namespace {

constexpr int kLinePadding = 4; // above and below the font's height
// Room a line takes beside its text: the text inset on the left, the box
// and its gaps when it has one, and a little on the right.
constexpr int kTextExtra = 6;
constexpr int kCheckBoxExtra = 20;

int LineExtent(const KIVListBoxLine& line) {
    return line.Width() + kTextExtra + (line.HasCheckBox() ? kCheckBoxExtra : 0);
}

} // namespace

KIVListBoxCtrl::KIVListBoxCtrl(KIVDialog* dialog, const KIVControlRecord& record)
    : KIVControl(dialog, record), listFontId_(record.font) {
    if (const KIVFont* font = GetListFont())
        lineHeight_ = font->LineHeight() + kLinePadding;
}

KIVListBoxCtrl::KIVListBoxCtrl(KIVDialog* dialog, LONG id, const RECT& rect, LONG fontId,
                               LONG style, LONG stateFlags)
    : KIVControl(dialog, id, rect, fontId, style, stateFlags), listFontId_(fontId) {
    if (const KIVFont* font = GetListFont())
        lineHeight_ = font->LineHeight() + kLinePadding;
}

KIVListBoxCtrl::~KIVListBoxCtrl() = default;

int KIVListBoxCtrl::AddLine(KIVListBoxLine* line) {
    if (!line)
        return -1;
    const bool sorted = (GetStyle() & kSorted) && !lines_.empty();
    PlaceLine(sorted ? SortedPosition(*line) : GetLineCount(), line);
    return GetLineCount() - 1;
}

int KIVListBoxCtrl::AddLine(std::unique_ptr<KIVListBoxLine> line) {
    if (!line)
        return -1;
    kept_.push_back(std::move(line));
    return AddLine(kept_.back().get());
}

// A text not after the first line's goes first, one not before the last
// line's goes last; otherwise halve the range until it holds one line.
int KIVListBoxCtrl::SortedPosition(const KIVListBoxLine& line) const {
    const int count = GetLineCount();
    if (CompareLines(line, *lines_.front()) <= 0)
        return 0;
    if (CompareLines(line, *lines_.back()) >= 0)
        return count;
    int low = 0;
    int high = count;
    int mid = 0;
    int order = 0;
    while (high - low > 1) {
        mid = (low + high) / 2;
        order = CompareLines(line, *lines_[mid]);
        if (order < 0)
            high = mid;
        else
            low = mid;
    }
    return order > 0 ? mid + 1 : mid;
}

int KIVListBoxCtrl::CompareLines(const KIVListBoxLine& a, const KIVListBoxLine& b) const {
    return a.GetText().CompareNoCase(b.GetText());
}

int KIVListBoxCtrl::InsertLine(int position, KIVListBoxLine* line) {
    if (position == -1)
        return AddLine(line);
    if (!line || position < 0 || position > GetLineCount())
        return -1;
    PlaceLine(position, line);
    return position;
}

// Indices at or after the new line's place move up by one.
void KIVListBoxCtrl::PlaceLine(int position, KIVListBoxLine* line) {
    lines_.insert(lines_.begin() + position, line);
    auto shift = [position](int& index) {
        if (index >= position)
            ++index;
    };
    shift(current_);
    shift(anchor_);
    shift(hover_);
    for (int& index : selection_)
        shift(index);
    widest_ = std::max(widest_, LineExtent(*line));
    LinesChanged();
}

void KIVListBoxCtrl::ReinsertAllLines() {
    std::vector<KIVListBoxLine*> taken;
    taken.swap(lines_);
    lines_.reserve(taken.size());
    for (KIVListBoxLine* line : taken) {
        const int position = lines_.empty() ? 0 : SortedPosition(*line);
        lines_.insert(lines_.begin() + position, line);
    }
    LinesChanged();
}

void KIVListBoxCtrl::RemoveAllLines() {
    lines_.clear();
    kept_.clear();
    current_ = anchor_ = hover_ = -1;
    selection_.clear();
    widest_ = 0;
    scrollX_ = scrollY_ = 0;
    LinesChanged();
}

KIVListBoxLine* KIVListBoxCtrl::GetLine(int index) const {
    if (index < 0 || index >= GetLineCount())
        return nullptr;
    return lines_[index];
}

void KIVListBoxCtrl::SetLineHeight(int height) {
    lineHeight_ = height;
    for (KIVListBoxLine* line : lines_)
        line->SetHeight(height);
    LinesChanged();
}

void KIVListBoxCtrl::SetFont(LONG fontId) {
    listFontId_ = fontId;
    widest_ = 0;
    for (const KIVListBoxLine* line : lines_)
        widest_ = std::max(widest_, LineExtent(*line));
    LinesChanged();
}

const KIVFont* KIVListBoxCtrl::GetListFont() const {
    KIVApplication* app = KIVApplication::Get();
    return app ? app->GetFont(listFontId_) : nullptr;
}

// The lines moved or changed size: the layout and scroll ranges follow, and
// everything is painted again.
void KIVListBoxCtrl::LinesChanged() {
    topsValid_ = false;
    UpdateScrollRanges();
    RedrawAllLines();
}
