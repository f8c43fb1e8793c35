// KIVCheckBoxCtrl: a box (bitmap 72) with its face (73) and mark (74: a
// tick, or the third state's bar), its text to the right. A three-state box
// (state flag 0x2000) turns 0 -> 1 -> 2 -> 0 and tells the dialog through
// the second notification entry (kind 1); a two-state box clicks like a
// push button.
#pragma once

#include "toolkit/controls/KIVButtonCtrl.h"

class KIVCheckBoxCtrl : public KIVButtonCtrl {
public:
    static constexpr LONG kThreeState = 0x2000;
    static constexpr int kBoxBitmap = 72;
    static constexpr int kFaceBitmap = 73;
    static constexpr int kMarkBitmap = 74;
    static constexpr int kEventTurned = 1;

    KIVCheckBoxCtrl(KIVDialog* dialog, const KIVControlRecord& record);
    KIVCheckBoxCtrl(KIVDialog* dialog, LONG id, const RECT& rect, LONG fontId, LONG stateFlags);

    bool IsThreeState() const { return (GetStateFlags() & kThreeState) != 0; }
    void Click() override;
    LONG TypeCode() const override { return 15; }

protected:
    // 3 in the third state, 2 checked, else 1 hovered and 0 not.
    int VisualStateNow() const override;
    void DrawButton(const KIVDrawBuffer& buffer, int visualState) override;
};
