#include "toolkit/controls/KIVLineBreak.h"

namespace {

bool IsIdeographic(char16_t ch) {
    return (ch >= 0x3000 && ch <= 0x9FFF) || (ch >= 0xF900 && ch <= 0xFAFF) ||
           (ch >= 0xFF00 && ch <= 0xFFEF);
}

bool MayNotBeginLine(char16_t ch) {
    static const char16_t marks[] =
        u"、。，．・：；？！ー」』）】〕〉》｝ぁぃぅぇぉっゃゅょァィゥェォッャュョ";
    for (const char16_t* m = marks; *m; ++m)
        if (*m == ch)
            return true;
    return false;
}

} // namespace

bool KIVMayBreakBefore(const char16_t* text, int i) {
    return (IsIdeographic(text[i]) || IsIdeographic(text[i - 1])) && !MayNotBeginLine(text[i]);
}
