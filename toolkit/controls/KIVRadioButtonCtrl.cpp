#include "toolkit/controls/KIVRadioButtonCtrl.h"

#include "toolkit/KIVDialog.h"
#include "toolkit/drawing/KIVPainter.h"

KIVRadioButtonCtrl::KIVRadioButtonCtrl(KIVDialog* dialog, const KIVControlRecord& record)
    : KIVTextButtonCtrl(dialog, record) {
    SetToggle(true);
}

KIVRadioButtonCtrl::KIVRadioButtonCtrl(KIVDialog* dialog, LONG id, const RECT& rect, LONG fontId,
                                       LONG stateFlags)
    : KIVTextButtonCtrl(dialog, id, rect, fontId, stateFlags) {
    SetToggle(true);
}

void KIVRadioButtonCtrl::SetChecked(int value) {
    KIVButtonCtrl::SetChecked(value);
    if (value)
        UncheckGroup();
}

void KIVRadioButtonCtrl::Click() {
    if (IsChecked())
        return;
    UncheckGroup();
    KIVButtonCtrl::Click();
}

// The checked button of a group, or its first choice while none is checked,
// so that Tab reaches every group.
bool KIVRadioButtonCtrl::AcceptsFocus() const {
    if (!IsVisible() || !IsEnabled())
        return false;
    if (IsChecked() || IsPressed())
        return true;
    if (NextChoice(-1))
        return false;
    for (const KIVRadioButtonCtrl* other = NextChoice(1); other; other = other->NextChoice(1))
        if (other->IsChecked())
            return false;
    return true;
}

KIVRadioButtonCtrl* KIVRadioButtonCtrl::Neighbour(int step) const {
    KIVDialog* dialog = GetDialog();
    if (!dialog)
        return nullptr;
    const int index = dialog->IndexOf(this) + step;
    if (index < 0 || index >= dialog->ControlCount())
        return nullptr;
    auto* radio = dynamic_cast<KIVRadioButtonCtrl*>(dialog->ControlAt(index));
    return radio && radio->GetContainer() == GetContainer() ? radio : nullptr;
}

void KIVRadioButtonCtrl::UncheckGroup() {
    for (int step : {-1, 1})
        for (KIVRadioButtonCtrl* other = Neighbour(step); other; other = other->Neighbour(step))
            if (other->IsVisible() && other->IsEnabled())
                other->SetChecked(0);
}

KIVRadioButtonCtrl* KIVRadioButtonCtrl::NextChoice(int step) const {
    for (KIVRadioButtonCtrl* other = Neighbour(step); other; other = other->Neighbour(step))
        if (other->IsVisible() && other->IsEnabled())
            return other;
    return nullptr;
}

// The arrows belong to the group, even at its ends: Up and Left go to the
// previous choice, Down and Right to the next, and check it as a click does.
bool KIVRadioButtonCtrl::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    const bool back = key == VK_UP || key == VK_LEFT;
    if (!back && key != VK_DOWN && key != VK_RIGHT)
        return KIVTextButtonCtrl::OnKeyDown(key, repeat, flags);
    if (KIVRadioButtonCtrl* next = NextChoice(back ? -1 : 1)) {
        next->Click();
        next->SetFocus();
    }
    return false;
}

void KIVRadioButtonCtrl::DrawButton(const KIVDrawBuffer& buffer, int visualState) {
    if (GetStateFlags() & kPushLike) {
        KIVTextButtonCtrl::DrawButton(buffer, visualState);
        return;
    }
    const RECT& rect = GetRect();
    KIVDrawBuffer clipped;
    if (!ClearArea(buffer, &clipped))
        return;
    SIZE ring{};
    KIVPainter::PictureSize(kRingBitmap, &ring);
    const int y = rect.top + (rect.bottom - rect.top - ring.cy) / 2;
    KIVPainter::DrawPicture(clipped, kRingBitmap, 0, rect.left, y, PictureFactor());
    KIVPainter::DrawPicture(clipped, kFaceBitmap, visualState, rect.left, y, PictureFactor());
    DrawSideText(clipped, ring.cx);
}
