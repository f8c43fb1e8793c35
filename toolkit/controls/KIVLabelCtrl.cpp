#include "toolkit/controls/KIVLabelCtrl.h"

#include "toolkit/KIVDialog.h"
#include "toolkit/controls/KIVRecordFields.h"
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
        if (rect.bottom - rect.top < 2 * font->LineHeight())
            KIVTextPainter::DrawText(clipped, *font, GetText(), -1, rect.left, rect.top,
                                     rect.right - rect.left, GetColour(), GetStyle(), transparency);
        else
            DrawLines(clipped, *font, transparency);
    }
    KIVControl::Draw(buffer);
}
