// KIVEditCtrl: the single-line text field (record type 19). It keeps a
// caret that blinks every 500 ms while focused, a selection made with Shift
// and the arrows or with the mouse, scrolls its text sideways to keep the
// caret in view, cuts, copies and pastes through the clipboard, undoes one
// typing or deleting run, and tells its dialog of every change of its text
// made by the user through the second notification entry (kind 4). The text
// model (KIVEditText) is kept apart from the drawing.
//
// State flag 0x800 makes the field read-only: no editing, no caret and no
// selection by keys or the mouse; copying from it does nothing either.
//
// Record class fields: the first (32-bit) is the text offset, the pixels
// between the field's text area (6 pixels inside its left edge) and the
// first character; without it the offset is 0.
//
// [SECTION] Text and selection   KIVEditCtrl.cpp
// [SECTION] Keys and characters  KIVEditKeys.cpp
// [SECTION] Mouse and focus      KIVEditMouse.cpp
// [SECTION] Clipboard            KIVEditClipboard.cpp
// [SECTION] Drawing              KIVEditDraw.cpp
#pragma once

#include "toolkit/KIVControl.h"
#include "toolkit/controls/KIVEditText.h"

class KIVEditCtrl : public KIVControl {
public:
    static constexpr LONG kReadOnly = 0x800;
    static constexpr UINT kCaretPeriod = 500; // milliseconds
    static constexpr int kTextInset = 6;      // from the left edge to the text area
    static constexpr int kWellInset = 2;      // the sunken edge's width

    KIVEditCtrl(KIVDialog* dialog, const KIVControlRecord& record);

    // [SECTION] Text and selection
    // Stores the text; a focused field selects it all, with the caret (and
    // the view) at its end. The undo state starts again from it.
    void SetText(const char16_t* text) override;
    bool Select(int first, int last);
    void SelectAll();
    const KIVEditText& Model() const { return model_; }
    bool IsReadOnly() const { return (GetStateFlags() & kReadOnly) != 0; }
    int TextOffset() const { return textOffset_; }
    // Where the caret is: x is originX plus the widths from the first
    // visible character to the caret plus the text offset, at most maxX; y
    // is bottom minus the font's line height plus 2.
    POINT GetCaretPoint(int originX, int maxX, int bottom) const;
    // The caret point of the text line: the input method's composition
    // window opens over the text being typed.
    POINT GetInputPoint() const override;

    // [SECTION] Clipboard
    void Copy();
    void Cut();
    void Paste();
    void Undo();

    // [SECTION] Keys, mouse and focus
    bool AcceptsFocus() const override { return true; }
    bool OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    bool OnKeyUp(UINT key, UINT repeat, UINT flags) override;
    bool OnChar(UINT ch, UINT repeat, UINT flags) override;
    bool OnMouseDown(POINT point, UINT flags) override;
    bool OnMouseMove(POINT point, UINT flags) override;
    void OnMouseLeave() override;
    bool OnMouseUp(POINT point, UINT flags) override;
    bool OnDoubleClick(POINT point, UINT flags) override;
    void OnFocusChanged(bool gained) override;
    void OnTimer() override;
    bool IsCaretShown() const { return caretShown_; }

    // [SECTION] Drawing
    void Draw(const KIVDrawBuffer& buffer) override;

private:
    // After the user changed the text: the control's text follows the
    // model, the caret is scrolled into view, the field is drawn and the
    // dialog told.
    void Changed();
    // After the caret or the selection moved: scrolled into view and drawn.
    void Moved();
    bool HandleMovement(UINT key);
    void RestartBlinking();
    int TextLeft() const;
    int TextTop() const;
    int TextRight() const;
    int PositionAt(POINT point) const;
    void DrawText(const KIVDrawBuffer& buffer, const KIVFont& font, const RECT& area) const;
    void DrawSelection(const KIVDrawBuffer& buffer, const KIVFont& font, const RECT& area) const;

    KIVEditText model_;
    int textOffset_ = 0;
    bool shiftDown_ = false;
    bool controlDown_ = false;
    bool wordSelected_ = false;
    bool justFocused_ = false;
    bool caretShown_ = false;
};
