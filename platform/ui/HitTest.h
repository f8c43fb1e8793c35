// Which window lies under a screen point. Internal to the platform layer;
// called with the window system's lock.
#pragma once

#include "platform/ui/UiState.h"

// The topmost visible top-level window containing the point, or the deepest
// visible child of it there; null over the desktop.
WindowObject* WindowAtPoint(POINT screen);
