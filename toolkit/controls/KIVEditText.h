// KIVEditText: the text model of a single-line edit field, apart from its
// drawing: the text, the caret, the selection and its anchor (the fixed end
// of a selection made with Shift or the mouse), the first visible character,
// and one level of undo of a typing or deleting run.
//
// Undo: a run of typing takes the undo state once, at its first character
// after deletions or a paste; a run of deletions takes it once at its start;
// a paste takes it when no typing run is open. Undo exchanges the current
// state with the undo state, so a second Undo redoes.
#pragma once

#include "toolkit/KIVString.h"

class KIVFont;

class KIVEditText {
public:
    explicit KIVEditText(const char16_t* text);

    const KIVString& Text() const { return now_.text; }
    int Length() const { return now_.text.GetLength(); }
    int Caret() const { return now_.caret; }
    int Anchor() const { return anchor_; }
    int SelectionStart() const { return now_.selStart; }
    int SelectionLength() const { return now_.selLength; }
    bool HasSelection() const { return now_.selLength > 0; }
    int FirstVisible() const { return now_.first; }

    // A new text: nothing scrolled; the whole text selected with the caret
    // at its end when selectAll, else the caret at 0. The undo state is
    // taken from the result.
    void Reset(const char16_t* text, bool selectAll);
    // Selects last - first + 1 characters from first, or places an empty
    // selection at first when last is -1. False, changing nothing, when
    // first < 0, last >= the length, or last < first with last != -1, and
    // when an empty selection would lie past the end.
    bool Select(int first, int last);
    void SelectAll();
    // The caret and the anchor go to position; the selection is cleared.
    void PlaceCaret(int position);
    // The caret goes to position; the selection runs from the anchor to it.
    void ExtendTo(int position);
    // Selects the word around the caret, bounded by blanks and line feeds.
    void SelectWord();

    // Editing. Each changes the text (or, for Backspace at 0 and Delete at
    // the end without a selection, leaves it as it was).
    void Type(char16_t ch);
    void Backspace();
    void DeleteForward();
    void DeleteSelected(); // a Cut's deletion
    void Paste(const KIVString& text);
    void Undo();

    // Movement; extend runs the selection from the anchor to the caret.
    void Left(bool word, bool extend);
    void Right(bool word, bool extend);
    void Home(bool extend);
    void End(bool extend);

    // Pixels from the first visible character to position (0 before it).
    int WidthTo(const KIVFont& font, int position) const;
    // The position nearest dx pixels right of the first visible character:
    // before the first character whose middle lies right of dx, else the end.
    int PositionAt(const KIVFont& font, int dx) const;
    // Moves the first visible character so that the caret lies within width
    // pixels of it.
    void ScrollToCaret(const KIVFont& font, int width);

private:
    struct State {
        KIVString text;
        int selStart = 0;
        int selLength = 0;
        int caret = 0;
        int first = 0;
        bool typingRun = true;
    };

    void TakeUndo() { undo_ = now_; }
    void StartTyping();
    void StartDeleting();
    void DeleteSelection();
    void Move(int position, bool extend);
    int WordStartBefore(int position) const;
    int WordStartAfter(int position) const;

    State now_;
    State undo_;
    int anchor_ = 0;
};
