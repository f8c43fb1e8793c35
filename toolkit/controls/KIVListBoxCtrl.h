// KIVListBoxCtrl (record type 27): a list of line objects that draw
// themselves, in a sunken well with scroll bars of 14 pixels when the lines
// do not fit. Style 0x100 keeps the lines sorted by their texts (ignoring
// case); style 0x200 allows several selected lines (Control-click toggles a
// line, Shift-click selects a range). The list tells its dialog of a new
// selection with kind 5; a line's check box turning is told as a click
// (kind 1, value 0).
//
// The list does not own the lines it is given as pointers (a page keeps
// them); lines given as unique pointers are kept by the list.
//
// [SECTION] Lines and selection   KIVListBoxCtrl.cpp, KIVListBoxSelection.cpp
// [SECTION] Layout and scrolling  KIVListBoxLayout.cpp, KIVListBoxScroll.cpp
// [SECTION] Drawing               KIVListBoxPaint.cpp
// [SECTION] Input                 KIVListBoxInput.cpp
#pragma once

#include "toolkit/KIVControl.h"
#include "toolkit/controls/KIVListBoxLine.h"
#include "toolkit/controls/KIVScrollBarCtrl.h"
#include "toolkit/drawing/KIVLook.h"

#include <memory>
#include <vector>

class KIVListBoxCtrl : public KIVControl, private KIVScrollListener {
public:
    enum Style : LONG { kSorted = 0x100, kMultipleSelection = 0x200 };
    static constexpr int kNotifySelection = 5;
    static constexpr int kScrollBarSize = KIVScrollBarCtrl::kThickness;
    // The sunken bevel (2 pixels) and a ring of line background inside it
    // where the focus rectangle goes.
    static constexpr int kBorder = 3;
    static constexpr int kWheelLines = 3;
    // Line colours.
    static constexpr DWORD kHighlightText = 0x002D2F3E;
    static constexpr DWORD kText = KIVLook::kInk;
    static constexpr DWORD kSelectedBackground = 0x00D4D7E6;
    static constexpr DWORD kFocusBackground = 0x00FAFAFF;
    static constexpr DWORD kBackground = 0x00F2F3FA;

    KIVListBoxCtrl(KIVDialog* dialog, const KIVControlRecord& record);
    KIVListBoxCtrl(KIVDialog* dialog, LONG id, const RECT& rect, LONG fontId, LONG style,
                   LONG stateFlags);
    ~KIVListBoxCtrl() override;

    // [SECTION] Lines
    // Adds the line (in its place in a sorted list, else last); its index.
    int AddLine(KIVListBoxLine* line);
    int AddLine(std::unique_ptr<KIVListBoxLine> line);
    // Inserts the line at position (-1: AddLine); -1 when position is past
    // the end. Indices at or after the position move up by one.
    int InsertLine(int position, KIVListBoxLine* line);
    // Takes every line out (lines the list kept are destroyed).
    void RemoveAllLines();
    int GetLineCount() const { return static_cast<int>(lines_.size()); }
    KIVListBoxLine* GetLine(int index) const;
    // The default height of new lines; setting it gives every line that height.
    void SetLineHeight(int height);
    int GetLineHeight() const { return lineHeight_; }
    void SetFont(LONG fontId);
    const KIVFont* GetListFont() const;
    int GetWidestLine() const { return widest_; }

    // [SECTION] Selection
    // Makes index the current and only selected line (-1 clears them) and
    // tells the dialog; -1 when index is not a line.
    int Select(int index);
    int GetCurrentLine() const { return current_; }
    const std::vector<int>& GetSelection() const { return selection_; }
    bool IsSelected(int index) const;
    // The line under the mouse pointer, -1 for none.
    int GetHoverLine() const { return hover_; }
    void ClearHoverLine();

    // [SECTION] Layout and scrolling
    // A line's rectangle as drawn (scrolled), in dialog client coordinates.
    RECT LineRect(int index) const;
    // The left edge of every line as drawn.
    int LineLeft() const;
    // The lines' well: inside the border, below any header, beside the bars.
    RECT LinesArea() const;
    int GetScrollX() const { return scrollX_; }
    int GetScrollY() const { return scrollY_; }
    // Scrolls to the offsets, kept within the scroll ranges.
    void ScrollTo(int x, int y);
    void EnsureVisible(int index);
    bool HasVerticalBar() const { return Layout().vertical; }
    bool HasHorizontalBar() const { return Layout().horizontal; }
    RECT VerticalBarRect() const;
    RECT HorizontalBarRect() const;
    // The line at a point of the lines' well, -1 for none.
    int LineAt(POINT point) const;
    void Move(int x, int y, int width, int height, int flags) override;

    // [SECTION] Drawing
    // The colours line n is drawn in.
    KIVListLineLook LookOf(int index) const;
    // Forgets what was painted last, so that the lines are painted again.
    void RedrawAllLines();
    void Draw(const KIVDrawBuffer& buffer) override;

    // [SECTION] Input
    bool AcceptsFocus() const override { return true; }
    bool OnMouseDown(POINT point, UINT flags) override;
    bool OnMouseMove(POINT point, UINT flags) override;
    bool OnMouseUp(POINT point, UINT flags) override;
    void OnMouseLeave() override;
    bool OnMouseWheel(int delta, UINT flags) override;
    bool OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnFocusChanged(bool gained) override;
    // The timer of a held scroll-bar arrow or track.
    void OnTimer() override;

protected:
    // Negative, zero or positive as line a sorts before, with or after b.
    virtual int CompareLines(const KIVListBoxLine& a, const KIVListBoxLine& b) const;
    // The place of a new line in the sorted order.
    int SortedPosition(const KIVListBoxLine& line) const;
    // Takes every line out and adds it again in the sorted order; the
    // current line and the selected indices stay as they are.
    void ReinsertAllLines();
    // The width the lines are laid out in, before the well's own width.
    virtual int ContentWidth() const;
    // The height of a band above the lines (column titles).
    virtual int HeaderHeight() const { return 0; }
    // Paints what lies above the lines; the base has nothing there.
    virtual void DrawHeader(const KIVDrawBuffer&) {}
    // The lines changed their look or place: paints them again unless
    // nothing that shows changed since the last painting.
    void RedrawLines();
    // The scroll ranges follow the content; the offsets stay within them.
    void UpdateScrollRanges();
    bool OverScrollBar(POINT point) const;
    // The selection notification (kind 5, the current line).
    void NotifySelection();

private:
    struct Geometry {
        RECT inner{};
        bool vertical = false;
        bool horizontal = false;
    };
    // What the last painting showed.
    struct PaintRecord {
        bool valid = false;
        int count = 0;
        int scrollX = 0;
        int scrollY = 0;
        int hover = -1;
        int current = -1;
        std::vector<int> selection;
        bool operator==(const PaintRecord& other) const = default;
    };

    void PlaceLine(int position, KIVListBoxLine* line);
    void LinesChanged();
    const std::vector<int>& LineTops() const;
    int ContentHeight() const { return LineTops().back(); }
    Geometry Layout() const;
    PaintRecord CurrentRecord() const;
    void DrawLines(const KIVDrawBuffer& buffer);
    void DrawBorder(const KIVDrawBuffer& buffer);
    void DrawScrollBars(const KIVDrawBuffer& buffer);
    // The bars take the places and ranges the layout gives them.
    void SyncScrollBars();
    void OnScroll(KIVScrollBarCtrl* bar, int position) override;
    // Passes a press to the bar under it; whether one took it.
    bool PressScrollBar(POINT point, UINT flags);
    // Clicks and keys.
    void ClickLine(int index, UINT flags);
    void SetSelection(std::vector<int> selection, int current);
    void SelectRange(int from, int to);
    void MoveCurrent(int index, bool extend);
    int PageLines() const;
    void SetHover(int index, int x);

    std::vector<KIVListBoxLine*> lines_;
    std::vector<std::unique_ptr<KIVListBoxLine>> kept_;
    int current_ = -1;
    int anchor_ = -1; // where a Shift range starts
    std::vector<int> selection_;
    int hover_ = -1;
    int lineHeight_ = 16;
    int widest_ = 0;
    LONG listFontId_ = 0;
    int scrollX_ = 0;
    int scrollY_ = 0;
    mutable std::vector<int> tops_; // each line's top in the content, then the total
    mutable bool topsValid_ = false;
    PaintRecord painted_;
    std::unique_ptr<KIVScrollBarCtrl> vertical_;
    std::unique_ptr<KIVScrollBarCtrl> horizontal_;
    KIVScrollBarCtrl* pressedBar_ = nullptr; // the bar that holds the mouse
};
