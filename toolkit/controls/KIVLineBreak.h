// Where a line of text may end besides a blank: Japanese and Chinese text has
// no blanks, so a line may end between any two of its characters, except
// before the closing marks and small kana that never begin a line.
#pragma once

// Whether a line may end before text[i] (after text[i - 1]); i > 0.
bool KIVMayBreakBefore(const char16_t* text, int i);
