// KIVColumnListBoxLine: a list line with one text per column of its column
// list box; a column without a text shows nothing. The first cell carries
// the line's check box when it has one.
#pragma once

#include "toolkit/controls/KIVListBoxLine.h"

#include <vector>

class KIVColumnListBoxLine : public KIVListBoxLine {
public:
    using KIVListBoxLine::KIVListBoxLine;

    void Draw(const KIVDrawBuffer& buffer, const RECT& rect, const KIVListLineLook& look) override;
    // The columns' total width, or the text's width when the list has none.
    int Width() const override;

    // The line keeps its own copy; the cells grow as needed.
    void SetCell(int column, const char16_t* text);
    // The column's text; empty when the line has none for it.
    const KIVString& GetCell(int column) const;

private:
    std::vector<KIVString> cells_;
};
