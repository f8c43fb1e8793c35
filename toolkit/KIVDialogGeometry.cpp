#include "toolkit/KIVDialogGeometry.h"

namespace {

constexpr LONG kDefaultMargins = 0x1;
constexpr LONG kTallTopMargin = 0x2;
constexpr LONG kCentre = 0x2000;
constexpr LONG kBesideParent = 0x4000;

// One axis of a place beside the parent, kept inside [low, high).
LONG KeepInside(LONG origin, LONG offset, LONG size, LONG low, LONG high) {
    LONG at = origin + offset;
    if (at + size > high)
        at -= size + 2 * offset;
    if (at < low)
        at = low + (high - low - size) / 2;
    return at;
}

} // namespace

void KIVDialogMargins(LONG left, LONG top, LONG flags, LONG* leftMargin, LONG* topMargin) {
    const LONG defaultLeft = (flags & kDefaultMargins) ? 12 : 0;
    const LONG defaultTop =
        ((flags & kTallTopMargin) ? 14 : 0) + ((flags & kDefaultMargins) ? 6 : 0);
    *leftMargin = left == -1 ? defaultLeft : left;
    *topMargin = top == -1 ? defaultTop : top;
}

POINT KIVPlaceDialog(LONG x, LONG y, LONG width, LONG height, LONG flags, const RECT* parent,
                     const RECT& workArea, const RECT& fullScreen) {
    if ((flags & kBesideParent) && parent)
        return POINT{KeepInside(parent->left, x, width, workArea.left, workArea.right),
                     KeepInside(parent->top, y, height, workArea.top, workArea.bottom)};
    if (flags & (kCentre | kBesideParent))
        return POINT{(fullScreen.right - width) / 2, (fullScreen.bottom - height) / 2};
    return POINT{x, y};
}
