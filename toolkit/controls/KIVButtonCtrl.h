// KIVButtonCtrl: the press, hover and space-bar behaviour shared by push
// buttons, check boxes and radio buttons. A complete press (the mouse
// released over the button, or the space bar released) is a Click.
//
//   event                    pressed  hovered  then
//   mouse down, enabled      set      -        takes the focus
//   mouse moves              -        over it  (drawn when it changes)
//   mouse up                 cleared  -        Click when over the button
//   mouse leaves             cleared  cleared
//   space down (first)       set      set      drawn pressed
//   space up while pressed   cleared  cleared  Click
//
// Visual states handed to DrawButton: 0 normal, 1 hovered, 2 pressed and
// hovered, 3 a checked toggle button (this wins).
#pragma once

#include "toolkit/KIVControl.h"
#include "toolkit/controls/KIVMouseHoverHelper.h"

class KIVButtonCtrl : public KIVControl, public KIVMouseHoverHelper {
public:
    enum VisualState { kNormal = 0, kHovered = 1, kPressedState = 2, kCheckedToggle = 3 };
    static constexpr LONG kToggle = 0x4;

    KIVButtonCtrl(KIVDialog* dialog, const KIVControlRecord& record, LONG defaultStyle = 1);
    KIVButtonCtrl(KIVDialog* dialog, LONG id, const RECT& rect, LONG fontId, LONG style,
                  LONG stateFlags);

    // A toggle button's checked state; any other button's pressed flag.
    bool IsChecked() const;
    int GetCheckedState() const { return checked_; }
    virtual void SetChecked(int value);
    void SetCheckedQuietly(int value) { checked_ = value; }
    bool IsToggle() const { return toggle_; }
    bool IsPressed() const { return pressed_; }
    // A complete press: turns the checked state and tells the dialog (kind 1).
    virtual void Click();
    bool AcceptsFocus() const override { return IsVisible() && IsEnabled(); }
    bool WantsCharacters() const override { return false; }
    char16_t GetMnemonic() const override;
    // A check box or radio button is clicked and takes the focus.
    bool OnMnemonic() override;
    // Pixels between a check box's or radio button's picture and its text.
    static constexpr int kSideTextGap = 6;

    bool OnMouseDown(POINT point, UINT flags) override;
    bool OnMouseUp(POINT point, UINT flags) override;
    bool OnMouseMove(POINT point, UINT flags) override;
    void OnMouseLeave() override;
    bool OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    bool OnKeyUp(UINT key, UINT repeat, UINT flags) override;
    void Draw(const KIVDrawBuffer& buffer) override;

protected:
    virtual int VisualStateNow() const;
    virtual void DrawButton(const KIVDrawBuffer& buffer, int visualState) = 0;
    void SetToggle(bool toggle) { toggle_ = toggle; }
    // The text of a check box or radio button: kSideTextGap pixels after
    // its picture, centred in the height, with the style's alignment, its
    // mnemonic underlined; the focus, when the button has it, as a frame
    // around the text (so that it never crosses the picture).
    void DrawSideText(const KIVDrawBuffer& buffer, int pictureWidth) const;
    // The buffer clipped to the button, its background drawn; false when
    // none of the button is to be drawn.
    bool ClearArea(const KIVDrawBuffer& buffer, KIVDrawBuffer* clipped) const;
    // The picture's factor and the text's transparency (0..255).
    float PictureFactor() const;
    int TextTransparency() const;

private:
    bool pressed_ = false;
    bool toggle_ = false;
    int checked_ = 0;
};
