// KIVMultiLineEditCtrl: a read-only text field of many lines (the licence
// agreement). The text is wrapped to the field's width (KIVWrappedText) once
// for each text and width, and only the lines in view are drawn; a vertical
// scroll bar appears when the lines do not fit.
//
// The user scrolls with the bar, the wheel (three lines a notch), Up and
// Down (a line), Page Up and Page Down (the lines in view less one). The
// selection runs from an anchor to a moving end: the mouse sets it (a press
// places both, a drag or Shift with the press moves the end, a double click
// takes the word between blanks and line breaks), Home and End move the end
// to its line's start or end, with Control to the text's, with Shift
// keeping the anchor; Control+A selects everything; Control+C and
// Control+Insert copy the selection to the clipboard as text.
//
// [SECTION] Text, layout and scrolling   KIVMultiLineEditCtrl.cpp
// [SECTION] Drawing                      KIVMultiLineEditPaint.cpp
// [SECTION] Keys, mouse and clipboard    KIVMultiLineEditInput.cpp
#pragma once

#include "toolkit/KIVControl.h"
#include "toolkit/controls/KIVScrollBarCtrl.h"
#include "toolkit/controls/KIVWrappedText.h"

#include <algorithm>

class KIVMultiLineEditCtrl : public KIVControl, public KIVScrollListener {
public:
    static constexpr int kBorder = 2;     // the sunken frame: outline and bevel
    static constexpr int kTextInsetX = 3; // from the frame to the text
    static constexpr int kTextInsetY = 1;
    static constexpr int kWheelLines = 3;

    KIVMultiLineEditCtrl(KIVDialog* dialog, const KIVControlRecord& record);

    // [SECTION] Text, layout and scrolling
    // Stores and wraps the text, clears the selection and shows the top.
    void SetText(const char16_t* text) override;
    void Move(int x, int y, int width, int height, int flags) override;
    bool AcceptsFocus() const override { return true; }
    int LineCount() const { return wrapped_.LineCount(); }
    const KIVWrappedText::Line& LineAt(int index) const { return wrapped_.LineAt(index); }
    int TopLine() const { return topLine_; }
    // The lines that fit the field's height whole (at least one).
    int VisibleLines() const;
    bool HasScrollBar() const { return bar_.IsVisible(); }
    const KIVScrollBarCtrl& ScrollBar() const { return bar_; }
    // Shows the lines from line on, cut so that the last page stays full.
    void ScrollTo(int line);
    void OnScroll(KIVScrollBarCtrl* bar, int position) override;
    // The area the text is drawn in, right of the frame and left of the bar.
    RECT TextArea() const;

    // Selection, from the anchor to the moving end (either may be first).
    int SelectionStart() const { return std::min(anchor_, end_); }
    int SelectionEnd() const { return std::max(anchor_, end_); }
    void Select(int anchor, int end);
    void SelectAll() { Select(0, GetText().GetLength()); }
    // Puts the selected text on the clipboard; false when nothing is
    // selected or the clipboard refused it.
    bool Copy() const;
    // The character index at a point of the dialog (cut to the lines).
    int PositionAt(POINT point) const;

    // [SECTION] Drawing
    void Draw(const KIVDrawBuffer& buffer) override;

    // [SECTION] Keys, mouse and clipboard
    bool OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    bool OnChar(UINT ch, UINT repeat, UINT flags) override;
    bool OnMouseDown(POINT point, UINT flags) override;
    bool OnDoubleClick(POINT point, UINT flags) override;
    bool OnMouseMove(POINT point, UINT flags) override;
    bool OnMouseUp(POINT point, UINT flags) override;
    bool OnMouseWheel(int delta, UINT flags) override;
    void OnTimer() override;

private:
    // Wraps the text to the field's width, narrower by the bar when the
    // lines do not fit, and places the bar.
    void Layout();
    int LineHeight() const;
    RECT BarRect() const;
    // Moves the moving end (and the anchor unless extend) and brings it into
    // view.
    void MoveEnd(int index, bool extend);
    void ScrollIntoView(int index);
    // The x of the character count characters into a line, from the line's
    // start.
    int PenAt(int line, int count) const;
    void DrawLine(const KIVDrawBuffer& buffer, int line, int y) const;
    void DrawRun(const KIVDrawBuffer& buffer, const RECT& clip, int line, int y,
                 DWORD colour) const;

    KIVWrappedText wrapped_;
    KIVScrollBarCtrl bar_;
    int topLine_ = 0;
    int anchor_ = 0;
    int end_ = 0;
    bool selecting_ = false; // the mouse drags the selection's end
};
