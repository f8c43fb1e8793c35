// KIVLabelCtrl: a line of text in the control's font, left-aligned (style
// 1), centred (2) or right-aligned (4) in the rectangle; grey when disabled.
#pragma once

#include "toolkit/KIVControl.h"

class KIVLabelCtrl : public KIVControl {
public:
    static constexpr DWORD kTextColour = 0x00000000;
    static constexpr DWORD kDisabledColour = 0x00808080;
    enum Style : LONG { kLeft = 1, kCentre = 2, kRight = 4 };

    KIVLabelCtrl(KIVDialog* dialog, const KIVControlRecord& record);

    // Stores the text and draws the label again.
    void SetText(const char16_t* text) override;
    void Draw(const KIVDrawBuffer& buffer) override;
};
