#include "toolkit/controls/KIVCheckBoxCtrl.h"

#include "toolkit/KIVDialog.h"
#include "toolkit/drawing/KIVPainter.h"

KIVCheckBoxCtrl::KIVCheckBoxCtrl(KIVDialog* dialog, const KIVControlRecord& record)
    : KIVButtonCtrl(dialog, record) {}

KIVCheckBoxCtrl::KIVCheckBoxCtrl(KIVDialog* dialog, LONG id, const RECT& rect, LONG fontId,
                                 LONG stateFlags)
    : KIVButtonCtrl(dialog, id, rect, fontId, 1, stateFlags) {}

void KIVCheckBoxCtrl::Click() {
    if (!IsThreeState()) {
        KIVButtonCtrl::Click();
        return;
    }
    SetCheckedQuietly((GetCheckedState() + 1) % 3);
    NotifyEvent(kEventTurned, 0);
}

int KIVCheckBoxCtrl::VisualStateNow() const {
    if (GetCheckedState() == 2)
        return kCheckedToggle;
    if (GetCheckedState() == 1)
        return kPressedState;
    return IsHovered() ? kHovered : kNormal;
}

// The face sinks while the box is pressed under the mouse and while it is
// checked; the mark is a tick when checked and a bar in the third state.
void KIVCheckBoxCtrl::DrawButton(const KIVDrawBuffer& buffer, int visualState) {
    const RECT& rect = GetRect();
    KIVDrawBuffer clipped;
    if (!ClearArea(buffer, &clipped))
        return;
    SIZE box{};
    KIVPainter::PictureSize(kBoxBitmap, &box);
    const int x = rect.left, y = rect.top + (rect.bottom - rect.top - box.cy) / 2;
    const float factor = PictureFactor();
    KIVPainter::DrawPicture(clipped, kBoxBitmap, 0, x, y, factor);
    // Any state but the checked one shows the mouse over the box, the third
    // state included.
    int face = IsHovered() ? 1 : 0;
    if (visualState == kPressedState || (IsPressed() && IsHovered()))
        face = 2;
    if (!IsEnabled())
        face = 0;
    KIVPainter::DrawPicture(clipped, kFaceBitmap, face, x + 2, y + 2, factor);
    if (visualState == kPressedState || visualState == kCheckedToggle)
        KIVPainter::DrawPicture(clipped, kMarkBitmap, visualState == kCheckedToggle ? 1 : 0, x + 1,
                                y + 1, factor);
    DrawSideText(clipped, box.cx);
}
