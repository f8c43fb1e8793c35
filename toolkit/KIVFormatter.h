// KIVFormatter: printf-style formatting into UTF-16 text with the Microsoft
// wide-printf conventions: "%s" takes wide text and "%S" narrow text ("%ls",
// "%ws" wide, "%hs" narrow), "%c" a wide and "%C" a narrow character ("%hc"
// narrow, "%lc" wide); d i o u x X p e E f g G; flags - + 0 blank #; width and
// precision, "*" taking either from the arguments; the size prefixes I64, h,
// l, L, F and N ("l" is 32-bit as on Windows). "%n" writes nothing. A null
// text prints "(null)". Narrow text and characters are converted from the
// machine's ANSI code page.
#pragma once

#include <cstdarg>

class KIVFormatter {
public:
    // Characters beyond which an estimate is cut, so that absurd widths or
    // precisions cannot ask for gigabytes.
    static constexpr int kMaxEstimate = 1 << 24;

    // An upper bound of the formatted length (terminator not counted), by the
    // classic scan: literal characters count 1, "#" adds 2, characters 2,
    // texts their length (6 when null) bounded by precision and raised to the
    // width, integers max(32, width + precision), e E g G max(128, width +
    // precision), f max(128, 312 + precision, width + precision).
    static int EstimateLength(const char16_t* format, va_list args);

    // Formats into out, which has room for size characters including the
    // terminator. Never writes more than size characters; the result is cut
    // when it does not fit and always terminated when size > 0. Returns the
    // characters written, terminator not counted.
    static int Format(char16_t* out, int size, const char16_t* format, va_list args);
};
