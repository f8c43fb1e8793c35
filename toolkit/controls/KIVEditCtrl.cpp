#include "toolkit/controls/KIVEditCtrl.h"

#include "toolkit/KIVDialog.h"
#include "toolkit/resources/KIVFont.h"

#include <algorithm>

namespace {

// The first class field, little-endian, or 0 when the record has none.
int FirstField(const std::vector<BYTE>& fields) {
    if (fields.size() < 4)
        return 0;
    const DWORD value =
        fields[0] | (fields[1] << 8) | (fields[2] << 16) | (static_cast<DWORD>(fields[3]) << 24);
    return static_cast<int>(static_cast<LONG>(value));
}

} // namespace

KIVEditCtrl::KIVEditCtrl(KIVDialog* dialog, const KIVControlRecord& record)
    : KIVControl(dialog, record), model_(record.text.c_str()),
      textOffset_(FirstField(record.classFields)) {
    if (IsReadOnly())
        model_.PlaceCaret(0);
}

void KIVEditCtrl::SetText(const char16_t* text) {
    model_.Reset(text, HasFocus() && !IsReadOnly());
    KIVControl::SetText(model_.Text());
    Moved();
}

bool KIVEditCtrl::Select(int first, int last) {
    if (!model_.Select(first, last))
        return false;
    RequestDraw();
    return true;
}

void KIVEditCtrl::SelectAll() {
    model_.SelectAll();
    Moved();
}

void KIVEditCtrl::Undo() {
    model_.Undo();
    Changed();
}

POINT KIVEditCtrl::GetCaretPoint(int originX, int maxX, int bottom) const {
    const KIVFont* font = GetFont();
    if (!font)
        return POINT{std::min(originX + textOffset_, maxX), bottom};
    const int x = originX + model_.WidthTo(*font, model_.Caret()) + textOffset_;
    return POINT{std::min(x, maxX), bottom - font->LineHeight() + 2};
}

// The bottom given is the text line's, so the point lies 2 pixels below
// the top of the line.
POINT KIVEditCtrl::GetInputPoint() const {
    const KIVFont* font = GetFont();
    const int lineHeight = font ? font->LineHeight() : 0;
    return GetCaretPoint(GetRect().left + kTextInset, TextRight(), TextTop() + lineHeight);
}

void KIVEditCtrl::Changed() {
    KIVControl::SetText(model_.Text());
    Moved();
    NotifyEvent(kEventChanged, 0);
}

void KIVEditCtrl::Moved() {
    if (const KIVFont* font = GetFont())
        model_.ScrollToCaret(*font, TextRight() - TextLeft());
    RequestDraw();
}

int KIVEditCtrl::TextLeft() const {
    return GetRect().left + kTextInset + textOffset_;
}

int KIVEditCtrl::TextRight() const {
    return GetRect().right - kWellInset - 1;
}

// The line is centred in the field's height.
int KIVEditCtrl::TextTop() const {
    const KIVFont* font = GetFont();
    const int lineHeight = font ? font->LineHeight() : 0;
    return GetRect().top + (GetRect().bottom - GetRect().top - lineHeight) / 2;
}

int KIVEditCtrl::PositionAt(POINT point) const {
    const KIVFont* font = GetFont();
    return font ? model_.PositionAt(*font, point.x - TextLeft()) : model_.Length();
}
