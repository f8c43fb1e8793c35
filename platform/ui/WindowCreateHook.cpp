#include "platform/ui/WindowCreateHook.h"

namespace {
thread_local WindowCreateHook t_hook = nullptr;
thread_local void* t_context = nullptr;
} // namespace

void SetWindowCreateHook(WindowCreateHook hook, void* context) {
    t_hook = hook;
    t_context = context;
}

void RunWindowCreateHook(HWND hwnd) {
    WindowCreateHook hook = t_hook;
    t_hook = nullptr;
    if (hook)
        hook(hwnd, t_context);
}
