#include "setup/FitImageSize.h"

#include <algorithm>

namespace {

// side / (reference / limit) in floating point, truncated toward zero.
LONG Follow(LONG side, LONG reference, LONG limit) {
    return static_cast<LONG>(static_cast<double>(side) /
                             (static_cast<double>(reference) / static_cast<double>(limit)));
}

} // namespace

SIZE FitImageSize(SIZE image, SIZE maximum) {
    const bool wide = image.cx > maximum.cx;
    const bool tall = image.cy > maximum.cy;
    SIZE fitted = image;
    if (wide && (!tall || image.cx - maximum.cx > image.cy - maximum.cy))
        fitted = SIZE{maximum.cx, Follow(image.cy, image.cx, maximum.cx)};
    else if (tall)
        fitted = SIZE{Follow(image.cx, image.cy, maximum.cy), maximum.cy};
    // An extreme proportion would round the short side down to nothing.
    fitted.cx = std::clamp<LONG>(fitted.cx, 1, std::max<LONG>(maximum.cx, 1));
    fitted.cy = std::clamp<LONG>(fitted.cy, 1, std::max<LONG>(maximum.cy, 1));
    return fitted;
}
