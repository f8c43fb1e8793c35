// KIVWrappedText: a text cut into lines that fit a width in a font. Lines end
// at line feeds (CR LF, LF or a lone CR), and where a line would pass the
// width it ends after the last blank before that point; a word longer than
// the width is broken where it stops fitting. Every line holds at least one
// character, so any width makes progress. Lines index the text itself: a
// line's characters run from its start over its length, its line break (if
// any) not included.
#pragma once

#include "toolkit/resources/KIVFont.h"

#include <vector>

class KIVWrappedText {
public:
    struct Line {
        int start = 0;
        int length = 0;
    };

    // Cuts length characters of text into lines no wider than width.
    void Wrap(const KIVFont& font, const char16_t* text, int length, int width);
    void Clear() { lines_.clear(); }

    int LineCount() const { return static_cast<int>(lines_.size()); }
    const Line& LineAt(int index) const { return lines_[index]; }
    // The line that holds the character at index (a line break belongs to
    // the line it ends; the text's end to the last line).
    int LineOf(int index) const;

private:
    // Adds the lines of one paragraph (the text between two line breaks).
    void WrapParagraph(const KIVFont& font, const char16_t* text, int start, int end, int width);

    std::vector<Line> lines_;
};
