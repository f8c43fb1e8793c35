// What a toolkit window tells the application about its focused control so
// that the input method's composition window appears where the text goes:
// the input position in the window's client coordinates and the line height
// of the control's toolkit font.
#pragma once

#include "platform/WinUser.h"

class KIVInputPosition {
public:
    virtual ~KIVInputPosition() = default;
    // False when the focused control has no toolkit font (or there is none).
    virtual bool GetInputPosition(POINT* clientPoint, int* lineHeight) const = 0;
};
