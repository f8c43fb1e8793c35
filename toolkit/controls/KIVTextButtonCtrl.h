// KIVTextButtonCtrl: a push button, bitmap 4 (a frame for each visual
// state) stretched over the rectangle, its text centred, its mnemonic
// underlined; the mnemonic presses it without moving the focus. The button
// Enter would press (the focused push button, else the dialog's default) has
// a dark double outline; the focused button a focus rectangle.
#pragma once

#include "toolkit/controls/KIVButtonCtrl.h"

class KIVTextButtonCtrl : public KIVButtonCtrl {
public:
    static constexpr int kFaceBitmap = 4;
    static constexpr int kFaceCorner = 4;
    // The bevel and the focus line inside it: the caption stays within.
    static constexpr int kBevel = 3;
    // The room a caption leaves free on each side: the bevel's corner and
    // some padding (kivtool rc checks that every caption fits inside it).
    static constexpr int kCaptionMargin = kFaceCorner + 4;

    KIVTextButtonCtrl(KIVDialog* dialog, const KIVControlRecord& record);
    KIVTextButtonCtrl(KIVDialog* dialog, LONG id, const RECT& rect, LONG fontId,
                      LONG stateFlags = 0);

    void SetText(const char16_t* text) override;
    // The button Enter stands for in its dialog.
    void SetDefault(bool isDefault);
    bool IsDefault() const { return default_; }
    // Whether Enter would press this button now: drawn with the outline.
    bool DrawnAsDefault() const;
    bool OnMnemonic() override;
    LONG TypeCode() const override { return 8; }

protected:
    void DrawButton(const KIVDrawBuffer& buffer, int visualState) override;
    // The text centred in the face inside the bevel, one pixel lower when
    // pressed; a caption wider than the face is cut at its edge.
    void DrawCentredText(const KIVDrawBuffer& buffer, int visualState) const;

private:
    bool default_ = false;
};
