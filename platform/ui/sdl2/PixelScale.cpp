#include "platform/ui/sdl2/PixelScale.h"

namespace {
constexpr float kHighDensity = 192.0f;
} // namespace

int ChooseScale(int setting, float dotsPerInch) {
    if (setting > 0)
        return setting;
    return dotsPerInch >= kHighDensity ? 2 : 1;
}

int ScaleDown(int screenPixels, int scale) {
    if (screenPixels >= 0)
        return screenPixels / scale;
    return -((-screenPixels + scale - 1) / scale);
}
