// A one-time call on the calling thread when its next window is made, before
// the window gets any message: the framework attaches its window object
// there, so that the object sees WM_NCCREATE and WM_CREATE too. Internal to
// the platform layer.
#pragma once

#include "platform/WinUser.h"

using WindowCreateHook = void (*)(HWND hwnd, void* context);

// Sets the hook for this thread's next window; null removes it.
void SetWindowCreateHook(WindowCreateHook hook, void* context);
// Calls and removes the thread's hook, if any (the window functions do).
void RunWindowCreateHook(HWND hwnd);
