// An edit field's drawing: a sunken well (paper instead of white when
// read-only), the text in ink from the first visible character, the
// selection in the selection colours while focused, and a one-pixel caret
// (a read-only field, which has none, the focus rectangle instead).
// A disabled field draws its text faded by the look's factor.
#include "toolkit/controls/KIVEditCtrl.h"

#include "toolkit/drawing/KIVLook.h"
#include "toolkit/drawing/KIVPainter.h"
#include "toolkit/resources/KIVFont.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <algorithm>

namespace {

KIVDrawBuffer Clipped(const KIVDrawBuffer& buffer, const RECT& rect) {
    KIVDrawBuffer clipped = buffer;
    ::IntersectRect(&clipped.clip, &buffer.clip, &rect);
    return clipped;
}

} // namespace

void KIVEditCtrl::Draw(const KIVDrawBuffer& buffer) {
    const RECT& rect = GetRect();
    KIVPainter::Bevel(buffer, rect, false);
    const RECT well{rect.left + kWellInset, rect.top + kWellInset, rect.right - kWellInset,
                    rect.bottom - kWellInset};
    KIVPainter::FillRect(buffer, well, IsReadOnly() ? KIVLook::kPaper : KIVLook::kWell);
    if (const KIVFont* font = GetFont()) {
        const RECT area{TextLeft(), well.top, TextRight(), well.bottom};
        DrawText(buffer, *font, area);
        if (HasFocus() && IsEnabled())
            DrawSelection(buffer, *font, area);
        if (HasFocus() && IsEnabled() && caretShown_ && !IsReadOnly()) {
            const int x = area.left + model_.WidthTo(*font, model_.Caret());
            KIVPainter::VerticalLine(Clipped(buffer, area), x, TextTop(),
                                     TextTop() + font->LineHeight(), KIVLook::kInk);
        }
    }
    // A read-only field has no caret: the focus rectangle shows its focus,
    // even when it holds no text to select.
    if (HasFocus() && IsReadOnly())
        KIVPainter::FocusRect(buffer, rect);
    KIVControl::Draw(buffer);
}

void KIVEditCtrl::DrawText(const KIVDrawBuffer& buffer, const KIVFont& font,
                           const RECT& area) const {
    const DWORD background = IsReadOnly() ? KIVLook::kPaper : KIVLook::kWell;
    const DWORD colour =
        IsEnabled() ? KIVLook::kInk
                    : KIVPainter::Fade(KIVLook::kInk, background, KIVLook::kDisabledFactor);
    const int first = model_.FirstVisible();
    KIVTextPainter::DrawText(Clipped(buffer, area), font,
                             static_cast<const char16_t*>(model_.Text()) + first,
                             model_.Length() - first, area.left, TextTop(),
                             std::max<int>(area.right - area.left, 0), colour, 0);
}

// The selection's background, then the whole line again in the selected
// text's colour, clipped to the selection, so that tabs keep their stops.
void KIVEditCtrl::DrawSelection(const KIVDrawBuffer& buffer, const KIVFont& font,
                                const RECT& area) const {
    const int start = model_.SelectionStart();
    const int end = start + model_.SelectionLength();
    if (!model_.HasSelection() || end <= model_.FirstVisible())
        return;
    const RECT selected{area.left + model_.WidthTo(font, start), TextTop(),
                        area.left + model_.WidthTo(font, end), TextTop() + font.LineHeight()};
    const KIVDrawBuffer clipped = Clipped(Clipped(buffer, area), selected);
    KIVPainter::FillRect(clipped, selected, KIVLook::kSelection);
    const int first = model_.FirstVisible();
    KIVTextPainter::DrawText(clipped, font, static_cast<const char16_t*>(model_.Text()) + first,
                             model_.Length() - first, area.left, TextTop(),
                             std::max<int>(area.right - area.left, 0), KIVLook::kSelectedText, 0);
}
