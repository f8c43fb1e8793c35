// The multi-line field's text, its wrapping to the field and its scrolling.
#include "toolkit/controls/KIVMultiLineEditCtrl.h"

#include "toolkit/resources/KIVTextPainter.h"

KIVMultiLineEditCtrl::KIVMultiLineEditCtrl(KIVDialog* dialog, const KIVControlRecord& record)
    : KIVControl(dialog, record), bar_(this, this, RECT{}, true) {
    Layout();
}

void KIVMultiLineEditCtrl::SetText(const char16_t* text) {
    KIVControl::SetText(text);
    topLine_ = 0;
    anchor_ = end_ = 0;
    selecting_ = false;
    Layout();
    RequestFullDraw();
}

void KIVMultiLineEditCtrl::Move(int x, int y, int width, int height, int flags) {
    KIVControl::Move(x, y, width, height, flags);
    Layout();
}

int KIVMultiLineEditCtrl::LineHeight() const {
    const KIVFont* font = GetFont();
    return font ? std::max(1, font->LineHeight()) : 1;
}

RECT KIVMultiLineEditCtrl::TextArea() const {
    const RECT& rect = GetRect();
    const int bar = bar_.IsVisible() ? KIVScrollBarCtrl::kThickness : 0;
    return RECT{rect.left + kBorder + kTextInsetX, rect.top + kBorder + kTextInsetY,
                rect.right - kBorder - kTextInsetX - bar, rect.bottom - kBorder - kTextInsetY};
}

RECT KIVMultiLineEditCtrl::BarRect() const {
    const RECT& rect = GetRect();
    return RECT{rect.right - kBorder - KIVScrollBarCtrl::kThickness, rect.top + kBorder,
                rect.right - kBorder, rect.bottom - kBorder};
}

int KIVMultiLineEditCtrl::VisibleLines() const {
    const RECT area = TextArea();
    return std::max(1, static_cast<int>(area.bottom - area.top) / LineHeight());
}

// The text is wrapped once at the full width; only when its lines do not fit
// is it wrapped again beside the bar.
void KIVMultiLineEditCtrl::Layout() {
    const KIVFont* font = GetFont();
    bar_.Show(false);
    if (!font) {
        wrapped_.Clear();
    } else {
        const RECT full = TextArea();
        wrapped_.Wrap(*font, GetText(), GetText().GetLength(), full.right - full.left);
        if (wrapped_.LineCount() > VisibleLines()) {
            bar_.Show(true);
            wrapped_.Wrap(*font, GetText(), GetText().GetLength(),
                          full.right - full.left - KIVScrollBarCtrl::kThickness);
        }
    }
    const RECT bar = BarRect();
    bar_.Move(bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top, kNoErase);
    bar_.SetRange(0, LineCount(), VisibleLines());
    topLine_ = std::clamp(topLine_, 0, std::max(0, LineCount() - VisibleLines()));
    bar_.SetPosition(topLine_);
}

void KIVMultiLineEditCtrl::ScrollTo(int line) {
    const int top = std::clamp(line, 0, std::max(0, LineCount() - VisibleLines()));
    if (top == topLine_)
        return;
    topLine_ = top;
    bar_.SetPosition(top);
    RequestDraw();
}

void KIVMultiLineEditCtrl::OnScroll(KIVScrollBarCtrl*, int position) {
    topLine_ = position;
    RequestDraw();
}

void KIVMultiLineEditCtrl::ScrollIntoView(int index) {
    if (LineCount() == 0)
        return;
    const int line = wrapped_.LineOf(index);
    if (line < topLine_)
        ScrollTo(line);
    else if (line >= topLine_ + VisibleLines())
        ScrollTo(line - VisibleLines() + 1);
}

void KIVMultiLineEditCtrl::Select(int anchor, int end) {
    const int length = GetText().GetLength();
    anchor_ = std::clamp(anchor, 0, length);
    end_ = std::clamp(end, 0, length);
    RequestDraw();
}

void KIVMultiLineEditCtrl::MoveEnd(int index, bool extend) {
    end_ = std::clamp(index, 0, GetText().GetLength());
    if (!extend)
        anchor_ = end_;
    ScrollIntoView(end_);
    RequestDraw();
}

int KIVMultiLineEditCtrl::PenAt(int line, int count) const {
    const KIVFont* font = GetFont();
    if (!font)
        return 0;
    const char16_t* text = static_cast<const char16_t*>(GetText()) + LineAt(line).start;
    int pen = 0;
    for (int i = 0; i < count; ++i)
        pen = KIVTextPainter::NextPen(*font, text[i], pen);
    return pen;
}

// The character whose middle lies right of the point, on the line under it.
int KIVMultiLineEditCtrl::PositionAt(POINT point) const {
    const KIVFont* font = GetFont();
    if (!font || LineCount() == 0)
        return 0;
    const RECT area = TextArea();
    const int row = point.y < area.top ? -1 : (point.y - area.top) / LineHeight();
    const int line = std::clamp(topLine_ + row, 0, LineCount() - 1);
    const KIVWrappedText::Line& at = LineAt(line);
    const char16_t* text = static_cast<const char16_t*>(GetText()) + at.start;
    const int x = point.x - area.left;
    int pen = 0;
    for (int i = 0; i < at.length; ++i) {
        const int next = KIVTextPainter::NextPen(*font, text[i], pen);
        if (x < (pen + next) / 2)
            return at.start + i;
        pen = next;
    }
    return at.start + at.length;
}
