// KIVControl: the base of every toolkit control. A control is not a window:
// its dialog owns it, gives it a rectangle of the client area, draws it into
// the dialog's off-screen buffer, feeds it keys and mouse events, and hears
// from it through notifications (KIVDialog::OnControlNotify).
//
// Drawing states:
//   255 never drawn   0 up to date   1 needs drawing   2 needs drawing
//   completely   3 hidden and waiting to be erased
#pragma once

#include "platform/WinUser.h"
#include "toolkit/KIVString.h"
#include "toolkit/resources/KIVDialogFile.h"
#include "toolkit/resources/KIVDrawBuffer.h"

#include <vector>

class KIVDialog;
class KIVFont;

class KIVControl {
public:
    enum DrawState : BYTE {
        kUpToDate = 0,
        kNeedsDraw = 1,
        kNeedsFullDraw = 2,
        kWaitsErase = 3,
        kNeverDrawn = 255
    };
    enum StateFlag : LONG { kHidden = 0x1, kDisabled = 0x2 };
    enum MoveFlag : int { kKeepPlace = 0x1, kKeepSize = 0x2, kNoErase = 0x4 };
    static constexpr int kNotifyClicked = 1;

    // From a record of the dialog file; the style's low three bits must
    // hold 1, 2 or 4, else the class's default style is merged in.
    KIVControl(KIVDialog* dialog, const KIVControlRecord& record, LONG defaultStyle = 1);
    KIVControl(KIVDialog* dialog, LONG id, const RECT& rect, LONG fontId, LONG style,
               LONG stateFlags);
    virtual ~KIVControl() = default;
    KIVControl(const KIVControl&) = delete;
    KIVControl& operator=(const KIVControl&) = delete;

    // Called by the dialog for every control at the end of its initialisation.
    virtual void OnInit() {}

    KIVDialog* GetDialog() const { return dialog_; }
    void SetDialog(KIVDialog* dialog) { dialog_ = dialog; }
    // The group, tab or frame check box that holds this control, or null.
    KIVControl* GetContainer() const { return container_; }
    void SetContainer(KIVControl* container) { container_ = container; }

    // Tells the dialog (code, this control's identifier, value): commands
    // such as a complete click (kind 1). The notification's flag is set: it
    // comes from the control.
    virtual void Notify(int code, int value);
    // The second notification entry: tells the dialog of what happened to
    // the control without being a command (a field's text changed, kind 4;
    // a three-state box turned; a picture or field pressed, kind 1).
    virtual void NotifyEvent(int code, int value);
    static constexpr int kEventChanged = 4;

    LONG GetId() const { return id_; }
    LONG GetStateFlags() const { return stateFlags_; }
    LONG GetFontId() const { return fontId_; }
    // The application's font of the control, or null.
    const KIVFont* GetFont() const;
    virtual void SetStyle(LONG style);
    LONG GetStyle() const { return style_; }

    virtual bool HitTest(POINT point) const;
    const RECT& GetRect() const { return rect_; }
    bool Intersects(const RECT& rect) const;
    BYTE GetDrawState() const;
    // Asks the dialog to draw the control; returns the previous state.
    BYTE RequestDraw();
    void RequestFullDraw();
    void InvalidateRect();

    virtual void SetText(const char16_t* text);
    const KIVString& GetText() const { return text_; }
    // Copies at most size - 1 characters and a terminator; the count copied.
    int GetText(char16_t* buffer, int size) const;
    // See MoveFlag; redraws the control (and, unless kNoErase, what it left).
    virtual void Move(int x, int y, int width, int height, int flags);

    // Appends the record fields after the type and size: identifier,
    // rectangle, state flags, style, font and the two texts, each text as
    // its length + 2 and that many 16-bit units (its zero and one more).
    virtual void Save(std::vector<BYTE>* record) const;
    // The record type that Save's fields belong under (1: a plain control).
    virtual LONG TypeCode() const { return 1; }

    // A container applies its own rules to showing or enabling a member:
    // true when it took the request.
    virtual bool ShowMember(KIVControl* member, bool show);
    virtual bool EnableMember(KIVControl* member, bool enable);
    // A member of this container was replaced by another control.
    virtual void ReplaceMember(KIVControl* /*member*/, KIVControl* /*replacement*/) {}
    // Virtual so that a container can pass its own change on to its members.
    virtual void Show(bool show);
    bool IsVisible() const { return visible_; }
    virtual void Enable(bool enable);
    bool IsEnabled() const { return enabled_; }

    bool HasFocus() const;
    void SetFocus();
    // When the control has the focus: with moveOn the dialog's next control
    // takes it; the control is drawn again either way.
    void KillFocus(bool moveOn);
    // The dialog tells the control that it gained or lost the focus.
    virtual void OnFocusChanged(bool gained);
    virtual bool AcceptsFocus() const { return false; }
    // Where text typed through the input method appears, in the dialog's
    // client coordinates: the control's top-left corner unless the control
    // keeps a caret.
    virtual POINT GetInputPoint() const { return POINT{rect_.left, rect_.top}; }
    // Focus moves skip controls that are hidden, disabled or do not accept it.
    bool CanTakeFocus() const { return visible_ && enabled_ && AcceptsFocus(); }
    // Whether the control takes typed characters while it has the focus;
    // the dialog offers a letter that a control does not take to the
    // mnemonics, as it offers every Alt+letter.
    virtual bool WantsCharacters() const { return true; }

    // The letter or digit marked with "&" in the control's caption, folded
    // to upper case (KIVPrefixText); 0 when the control has none.
    virtual char16_t GetMnemonic() const { return 0; }
    // The control's mnemonic was typed: it does what a click would (a
    // label moves the focus to its field). False when it could not act.
    virtual bool OnMnemonic() { return false; }

    // A window timer of the dialog whose identifier is the control's.
    void StartTimer(UINT period);
    void StopTimer();
    virtual void OnTimer() {}

    // Input handlers return true when the event is left to the dialog.
    virtual bool OnMouseDown(POINT point, UINT flags);
    virtual bool OnMouseUp(POINT point, UINT flags);
    virtual bool OnMouseMove(POINT point, UINT flags);
    virtual bool OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual bool OnKeyUp(UINT key, UINT repeat, UINT flags);
    virtual bool OnChar(UINT ch, UINT repeat, UINT flags);
    // The second press of a double click; the base treats it as a press.
    virtual bool OnDoubleClick(POINT point, UINT flags) { return OnMouseDown(point, flags); }
    // The mouse went on to another control or off the dialog.
    virtual void OnMouseLeave() {}
    // The wheel turned over the control, or with the control focused;
    // delta in WHEEL_DELTA units (120 a notch, positive away from the user).
    virtual bool OnMouseWheel(int delta, UINT flags);

    // Draws the control inside buffer.clip; the base only marks it up to date.
    virtual void Draw(const KIVDrawBuffer& buffer);
    // Paints the dialog's background over the rectangle.
    void Erase(const KIVDrawBuffer& buffer);

    bool HasTooltip() const { return !tooltip_.IsEmpty(); }
    const KIVString& GetTooltip() const { return tooltip_; }
    void SetTooltip(const char16_t* text) { tooltip_ = text; }

protected:
    void SetDrawState(BYTE state) { drawState_ = state; }

private:
    BYTE drawState_ = kNeverDrawn;
    RECT rect_{};
    KIVDialog* dialog_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
    KIVString text_;
    KIVString tooltip_;
    LONG id_ = 0;
    LONG stateFlags_ = 0;
    LONG fontId_ = 0;
    LONG style_ = 0;
    KIVControl* container_ = nullptr;
};
