// KIVLabelCtrl: a text in the control's font and the label's colour. A label
// lower than two lines shows one line aligned by its style (1 left, 2
// centred, 4 right: the style is handed to the text drawing as its options);
// a taller one breaks its text into as many lines as its rectangle holds.
//
// A one-line label shows an "&" mnemonic (KIVPrefixText) unless its style
// has kNoPrefix, which labels showing data (paths, names, sizes) carry so
// that an "&" in them shows as it is; a taller label shows its text as it
// is. The mnemonic, and a click on a label that names a control, act on
// the control: the named one (its target), else the field after the label
// in the dialog's list, which takes the focus.
//
// Record fields: the drawing factor (a 32-bit float), then the colour's
// third, second and first byte. The factor scales the text's coverage; 0
// draws it at full strength. Then, optionally, the 32-bit identifier of
// the label's target (a check box or radio button whose text the label
// shows beside it); 0 or none: the label has no target.
#pragma once

#include "toolkit/KIVControl.h"
#include "toolkit/drawing/KIVLook.h"

class KIVLabelCtrl : public KIVControl {
public:
    enum Style : LONG { kLeft = 1, kCentre = 2, kRight = 4, kNoPrefix = 0x80 };

    // One line of a tall label: the index of its first character in the
    // text and how many characters it draws.
    struct Line {
        int start = 0;
        int length = 0;
    };
    // Every line a tall label of that width breaks text into, whatever its
    // height: lines end before a line feed, and where the next word would
    // pass the width, after the last blank (or between two ideographic
    // characters); a word wider than the width is cut where it stops
    // fitting. The blanks where a line ends and the line feed after it
    // belong to no line. Whoever sizes a label measures with this, as the
    // label draws with it.
    static std::vector<Line> BreakLines(const KIVFont& font, const char16_t* text, int width);

    KIVLabelCtrl(KIVDialog* dialog, const KIVControlRecord& record);
    KIVLabelCtrl(KIVDialog* dialog, LONG id, const RECT& rect, LONG fontId, LONG style);

    // Stores the text and draws the label again.
    void SetText(const char16_t* text) override;
    // The colour's lowest byte is its first, in the pixels' own order.
    void SetColour(DWORD colour);
    DWORD GetColour() const;
    void SetDrawingFactor(float factor);
    float GetDrawingFactor() const { return factor_; }
    // The factor the text is drawn with: a disabled label's is 0.4 times
    // its own, or 0.4 when its own is 0.
    float EffectiveFactor() const;
    LONG GetTargetId() const { return target_; }
    void SetTargetId(LONG id) { target_ = id; }

    char16_t GetMnemonic() const override;
    bool OnMnemonic() override;
    bool OnMouseDown(POINT point, UINT flags) override;
    bool OnMouseUp(POINT point, UINT flags) override;

    void Save(std::vector<BYTE>* record) const override;
    LONG TypeCode() const override { return 2; }
    void Draw(const KIVDrawBuffer& buffer) override;

private:
    void DrawLines(const KIVDrawBuffer& buffer, const KIVFont& font, int transparency) const;
    bool IsOneLine(const KIVFont& font) const;
    // The control the label acts on: its target, else the control after it;
    // null when that control is hidden or disabled.
    KIVControl* ActedOn() const;

    float factor_ = 1.0f;
    LONG target_ = 0;
    BYTE colour_[3] = {static_cast<BYTE>(KIVLook::kInk), static_cast<BYTE>(KIVLook::kInk >> 8),
                       static_cast<BYTE>(KIVLook::kInk >> 16)};
};
