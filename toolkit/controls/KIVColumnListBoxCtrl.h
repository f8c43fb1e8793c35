// KIVColumnListBoxCtrl: a list box whose lines (KIVColumnListBoxLine) have
// one text per column, under a band of column titles 16 pixels high. The
// user drags a column's border in the band to resize it (never to 10 pixels
// or less); in a sorted list a click on a title sorts by that column, and a
// second click on the sort column reverses its order. A column list always
// allows several selected lines. It has no record type: a page makes it in
// code, in the place of a placeholder control of its layout.
//
// [SECTION] Columns and sorting  KIVColumnListBoxCtrl.cpp
// [SECTION] Title band           KIVColumnListBoxHeader.cpp
// [SECTION] Mouse                KIVColumnListBoxMouse.cpp
#pragma once

#include "toolkit/controls/KIVColumnListBoxLine.h"
#include "toolkit/controls/KIVListBoxCtrl.h"

#include <vector>

class KIVColumnListBoxCtrl : public KIVListBoxCtrl {
public:
    static constexpr int kHeaderHeight = 16;
    static constexpr int kMinColumnWidth = 11;
    static constexpr int kBorderReach = 5; // pixels either side of a border
    static constexpr int kBorderPicture = 23;
    static constexpr int kAscendingPicture = 151;
    static constexpr int kDescendingPicture = 152;
    static constexpr DWORD kHeaderTop = 0x00EBEBF4;
    static constexpr DWORD kHeaderBottom = 0x00B3B9D0;
    static constexpr DWORD kTitleColour = 0x002D2F3E;
    static constexpr float kTitleFade = 0.6f;
    static constexpr float kSortTitleFade = 0.8f;

    KIVColumnListBoxCtrl(KIVDialog* dialog, LONG id, const RECT& rect, LONG fontId, LONG style,
                         LONG stateFlags);
    // Takes the identifier, rectangle, font, style and state of a
    // placeholder control of the layout.
    explicit KIVColumnListBoxCtrl(const KIVControl& placeholder);

    // Appends a column and shares the well's width out equally among all
    // columns; that width.
    int AddColumn(const char16_t* title);
    void SetColumnWidth(int column, int width);
    // Gives the column what the other columns leave of the lines' width
    // (less the vertical scroll bar when the lines need one), at least the
    // smallest width; call it once the lines are in.
    void FillWidthWithColumn(int column);
    int GetColumnCount() const { return static_cast<int>(columns_.size()); }
    int GetColumnWidth(int column) const;
    const char16_t* GetColumnTitle(int column) const;
    int TotalColumnWidth() const;
    // Ignored when the column does not exist.
    void SetCellText(KIVColumnListBoxLine* line, int column, const char16_t* text);

    int GetSortColumn() const { return sortColumn_; }
    bool IsDescending(int column) const;
    // Takes every line out and adds it again in the sort order.
    void Resort();

    // The column whose right border lies within reach of the point in the
    // title band, -1 for none.
    int BorderAt(POINT point) const;
    // The column whose title the point is on, -1 for none.
    int TitleAt(POINT point) const;
    int GetHoverTitle() const { return hoverTitle_; }
    RECT HeaderRect() const;

    bool OnMouseDown(POINT point, UINT flags) override;
    bool OnMouseMove(POINT point, UINT flags) override;
    bool OnMouseUp(POINT point, UINT flags) override;
    void OnMouseLeave() override;

protected:
    int CompareLines(const KIVListBoxLine& a, const KIVListBoxLine& b) const override;
    int ContentWidth() const override;
    int HeaderHeight() const override { return kHeaderHeight; }
    void DrawHeader(const KIVDrawBuffer& buffer) override;

private:
    struct Column {
        int width = 0;
        KIVString title;
        bool descending = false;
    };

    // The left edge of a column as drawn (scrolled).
    int ColumnLeft(int column) const;
    void DrawTitle(const KIVDrawBuffer& buffer, int column, const RECT& box) const;
    void SetHoverTitle(int column);
    void DragBorder(int x);
    void RedrawHeader();

    std::vector<Column> columns_;
    bool dragging_ = false;
    int dragColumn_ = -1;
    int pressedTitle_ = -1;
    int sortColumn_ = 0;
    int hoverTitle_ = -1;
};
