#include "toolkit/controls/KIVLabelCtrl.h"

#include "toolkit/KIVDialog.h"
#include "toolkit/controls/KIVRecordFields.h"
#include "toolkit/drawing/KIVPrefixText.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <algorithm>
#include <cmath>

namespace {

// The text drawing's transparency (0..255) of a factor; 0, and a factor
// that is not a number (a damaged record), draw at full strength.
int Transparency(float factor) {
    if (factor == 0.0f || std::isnan(factor))
        return 255;
    return static_cast<int>(std::clamp(factor, 0.0f, 1.0f) * 255.0f + 0.5f);
}

} // namespace

KIVLabelCtrl::KIVLabelCtrl(KIVDialog* dialog, const KIVControlRecord& record)
    : KIVControl(dialog, record, kLeft) {
    const std::vector<BYTE>& fields = record.classFields;
    if (fields.size() < 7)
        return;
    factor_ = KIVRecordFields::Float(fields, 0);
    for (int i = 0; i < 3; ++i)
        colour_[2 - i] = fields[4 + i];
    if (fields.size() >= 11)
        target_ = KIVRecordFields::Long(fields, 7);
}

KIVLabelCtrl::KIVLabelCtrl(KIVDialog* dialog, LONG id, const RECT& rect, LONG fontId, LONG style)
    : KIVControl(dialog, id, rect, fontId, style, 0) {}

void KIVLabelCtrl::SetText(const char16_t* text) {
    KIVControl::SetText(text);
    RequestFullDraw();
}

void KIVLabelCtrl::SetColour(DWORD colour) {
    for (int i = 0; i < 3; ++i)
        colour_[i] = static_cast<BYTE>(colour >> (8 * i));
    RequestDraw();
}

DWORD KIVLabelCtrl::GetColour() const {
    return colour_[0] | colour_[1] << 8 | static_cast<DWORD>(colour_[2]) << 16;
}

void KIVLabelCtrl::SetDrawingFactor(float factor) {
    factor_ = factor;
    RequestDraw();
}

float KIVLabelCtrl::EffectiveFactor() const {
    if (IsEnabled())
        return factor_;
    return factor_ == 0.0f ? KIVLook::kDisabledFactor : KIVLook::kDisabledFactor * factor_;
}

void KIVLabelCtrl::Save(std::vector<BYTE>* record) const {
    KIVControl::Save(record);
    KIVRecordFields::AppendFloat(record, factor_);
    for (int i = 2; i >= 0; --i)
        record->push_back(colour_[i]);
    if (target_ != 0)
        KIVRecordFields::AppendLong(record, target_);
}

bool KIVLabelCtrl::IsOneLine(const KIVFont& font) const {
    return GetRect().bottom - GetRect().top < 2 * font.LineHeight();
}

char16_t KIVLabelCtrl::GetMnemonic() const {
    const KIVFont* font = GetFont();
    if ((GetStyle() & kNoPrefix) || !font || !IsOneLine(*font))
        return 0;
    return KIVPrefixText::MnemonicOf(GetText());
}

KIVControl* KIVLabelCtrl::ActedOn() const {
    KIVDialog* dialog = GetDialog();
    if (!dialog)
        return nullptr;
    KIVControl* control = nullptr;
    const int next = dialog->IndexOf(this) + 1;
    if (target_ != 0)
        control = dialog->GetControl(target_);
    else if (next > 0 && next < dialog->ControlCount())
        control = dialog->ControlAt(next);
    return control && control->IsVisible() && control->IsEnabled() ? control : nullptr;
}

// A target acts as on its own mnemonic; a field takes the focus.
bool KIVLabelCtrl::OnMnemonic() {
    KIVControl* control = ActedOn();
    if (!control)
        return false;
    if (target_ != 0)
        return control->OnMnemonic();
    if (!control->CanTakeFocus())
        return false;
    control->SetFocus();
    return true;
}

// Only a label with a target answers the mouse: a click on it (pressed
// and released over the label) is a click on the target.
bool KIVLabelCtrl::OnMouseDown(POINT point, UINT flags) {
    if (target_ == 0)
        return KIVControl::OnMouseDown(point, flags);
    return false;
}

bool KIVLabelCtrl::OnMouseUp(POINT point, UINT flags) {
    if (target_ == 0)
        return KIVControl::OnMouseUp(point, flags);
    if (HitTest(point))
        if (KIVControl* control = ActedOn())
            control->OnMnemonic();
    return false;
}

void KIVLabelCtrl::Draw(const KIVDrawBuffer& buffer) {
    const RECT& rect = GetRect();
    if (GetDialog())
        GetDialog()->DrawBackground(buffer, rect);
    const int transparency = Transparency(EffectiveFactor());
    const KIVFont* font = GetFont();
    if (font && transparency > 0) {
        KIVDrawBuffer clipped = buffer;
        ::IntersectRect(&clipped.clip, &buffer.clip, &rect);
        if (!IsOneLine(*font))
            DrawLines(clipped, *font, transparency);
        else if (GetStyle() & kNoPrefix)
            KIVTextPainter::DrawText(clipped, *font, GetText(), -1, rect.left, rect.top,
                                     rect.right - rect.left, GetColour(), GetStyle() & ~kNoPrefix,
                                     transparency);
        else
            KIVPrefixText::Draw(clipped, *font, GetText(), rect.left, rect.top,
                                rect.right - rect.left, GetColour(), GetStyle(), transparency);
    }
    KIVControl::Draw(buffer);
}
