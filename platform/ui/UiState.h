// The state of the window system: windows, classes, the stacking order of
// the top-level windows, the active, focus and capture windows, the per-thread
// message queues, the mouse and keyboard state. One lock guards all of it;
// window procedures and dialog procedures are always called without it.
// Internal to the platform layer.
#pragma once

#include "platform/ui/ThreadQueue.h"
#include "platform/ui/WindowObject.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

struct WindowClass {
    WNDPROC proc;
    HCURSOR cursor;
    ATOM atom;
    UINT style; // CS_ bits
};

// The last left-button press, for telling a double click.
struct LastClick {
    HWND window = nullptr;
    DWORD time = 0;
    POINT screen{};
};

// A device context: a window's client area, clipped (client coordinates).
struct DeviceContext {
    HWND hwnd;
    RECT clip;
};

struct UiState {
    std::mutex lock;
    std::unordered_map<HWND, std::unique_ptr<WindowObject>> windows;
    std::map<std::u16string, WindowClass> classes; // by upper-cased name
    std::vector<HWND> stacking;                    // top-level windows, bottom first
    std::map<DWORD, std::unique_ptr<ThreadQueue>> queues;
    HWND active = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;
    POINT mouse{};
    LastClick lastClick;
    bool keys[256] = {};
    HCURSOR cursor = nullptr;
    std::map<HDC, DeviceContext> contexts;
    ULONG_PTR nextHandle = 0x10000;
    ATOM nextAtom = 0xC000;
};

UiState& Ui();
using UiLock = std::unique_lock<std::mutex>;

// [SECTION] Lookups, all under the lock
// The class of a name or an atom (MAKEINTATOM); null when none.
const WindowClass* FindWindowClass(LPCWSTR name);
// The window of a handle, or null (with ERROR_INVALID_WINDOW_HANDLE) for one
// that does not exist or is being destroyed.
WindowObject* FindWindowObject(HWND hwnd);
// The queue of a thread, made on first use.
ThreadQueue& QueueOf(DWORD thread);
// The thread's queue when it has one, else null.
ThreadQueue* ExistingQueue(DWORD thread);
WindowObject* TopLevelOf(WindowObject* window);
// The screen position of a window's client origin.
POINT ScreenOrigin(const WindowObject* window);
RECT ScreenRect(const WindowObject* window);
// Whether the window and every parent have WS_VISIBLE.
bool IsShown(const WindowObject* window);
// Whether the window and its top-level window are enabled.
bool AcceptsInput(const WindowObject* window);
// Tells the display the stacking order after a change.
void PublishStacking();
// Puts a top-level window at the top of the stacking order, the windows it
// owns above it.
void Raise(WindowObject* top);
// Adds the whole client area to the update rectangle and wakes the thread.
void InvalidateAll(WindowObject* window);
// Hands a changed part (window coordinates) of a top-level window's pixels
// to the display.
void ShowPixels(WindowObject* top, const RECT& changed);
// A handle for a new window or device context.
HANDLE NewUiHandle();
