// Whether a dialog was ended with EndDialog, and its result, for the modal
// loop that runs it. Internal to the platform layer.
#pragma once

#include "platform/WinUser.h"

// True with the result once EndDialog was called for the window.
bool DialogEnded(HWND hwnd, INT_PTR* result);
