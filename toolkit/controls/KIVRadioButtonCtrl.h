// KIVRadioButtonCtrl: one choice of a group, a ring (bitmap 13) and its
// face (14, a dot when checked) with the text to the right; with state flag
// 0x10 it is drawn like a push button.
//
// A group is a run of radio buttons that follow one another in the dialog's
// control list inside the same container: any other control, or the
// container's edge, ends it. Checking a button unchecks the others of its
// group that are visible and enabled. Only the checked button of a group
// (its first visible, enabled one while none is checked) takes the focus
// when it moves through the dialog; Up and Left, Down and Right move the
// focus and the check to the previous or next visible, enabled button of
// the group.
#pragma once

#include "toolkit/controls/KIVTextButtonCtrl.h"

class KIVRadioButtonCtrl : public KIVTextButtonCtrl {
public:
    static constexpr LONG kPushLike = 0x10;
    static constexpr int kRingBitmap = 13;
    static constexpr int kFaceBitmap = 14;

    KIVRadioButtonCtrl(KIVDialog* dialog, const KIVControlRecord& record);
    KIVRadioButtonCtrl(KIVDialog* dialog, LONG id, const RECT& rect, LONG fontId, LONG stateFlags);

    void SetChecked(int value) override;
    void Click() override;
    bool AcceptsFocus() const override;
    // The mnemonic checks the button and gives it the focus.
    bool OnMnemonic() override { return KIVButtonCtrl::OnMnemonic(); }
    bool OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    LONG TypeCode() const override { return 17; }

protected:
    void DrawButton(const KIVDrawBuffer& buffer, int visualState) override;

private:
    // The radio button step places away in this one's group, or null.
    KIVRadioButtonCtrl* Neighbour(int step) const;
    void UncheckGroup();
    // The next visible, enabled button of the group in direction step.
    KIVRadioButtonCtrl* NextChoice(int step) const;
};
