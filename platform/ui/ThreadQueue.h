// The message queue of one thread: posted and input messages, messages sent
// from other threads, the quit request and the thread's timers. Internal to
// the platform layer; read and written under the window system's lock.
#pragma once

#include "platform/WinUser.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <vector>

using UiClock = std::chrono::steady_clock;

// A message that another thread sends and waits for.
struct SentMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
    bool done = false;
    struct ThreadQueue* sender = nullptr;
};

struct QueuedMessage {
    MSG msg;
    bool clickActivates = false; // a button press that activates its window when fetched
};

struct UiTimer {
    HWND hwnd;
    UINT_PTR id;
    UINT period;
    TIMERPROC proc;
    UiClock::time_point due;
};

struct ThreadQueue {
    DWORD thread = 0;
    std::deque<QueuedMessage> posted;
    std::deque<std::shared_ptr<SentMessage>> sent;
    std::vector<UiTimer> timers;
    bool quit = false;
    int quitCode = 0;
    // Raised by everything that may give the thread something to fetch, and
    // lowered by WaitMessage when it returns.
    bool changed = false;
    std::condition_variable wake;
    // The keys and buttons as the thread's fetched input left them.
    bool keys[256] = {};
    DWORD lastTime = 0;
    POINT lastPoint{};

    void Wake() {
        changed = true;
        wake.notify_all();
    }
};
