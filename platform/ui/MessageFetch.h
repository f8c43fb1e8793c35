// Fetching from a thread's queue, shared by GetMessage, PeekMessage,
// WaitMessage and the wait of a cross-thread SendMessage. Internal to the
// platform layer; every function is called with the window system's lock.
#pragma once

#include "platform/ui/UiState.h"

struct FetchFilter {
    HWND hwnd = nullptr;
    UINT first = 0;
    UINT last = 0;
};

// Carries out the messages other threads sent to this one, releasing the
// lock around each window procedure.
void RunSentMessages(UiLock& lock, ThreadQueue& queue);

// One look at the queue in fetch order (posted and input, quit, paint,
// timers). Fills msg and returns true when a message matches; remove takes
// a posted message out and restarts a fired timer. *clickActivates tells
// that a removed button press must activate its window.
bool FetchOnce(ThreadQueue& queue, const FetchFilter& filter, bool remove, MSG* msg,
               bool* clickActivates);

// Waits until something new may wait for the thread or a timer falls due,
// pumping the display when it needs it.
void WaitForChange(UiLock& lock, ThreadQueue& queue);

// The window procedure of a window, called without the lock; 0 for a window
// that does not exist.
LRESULT CallWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Activates the top-level window of a button press, as the click did.
void ActivateOnClick(HWND hwnd);
