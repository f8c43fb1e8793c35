// Window and thread timers; WM_TIMER is made by the fetch (MessageFetch.cpp).
#include "platform/WinBase.h"
#include "platform/ui/UiState.h"

#include <algorithm>

namespace {

constexpr UINT kShortestPeriod = 10;
UINT_PTR nextThreadTimer = 0x7FFF0000;

} // namespace

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
    UiLock lock(Ui().lock);
    DWORD thread = GetCurrentThreadId();
    if (hWnd) {
        WindowObject* window = FindWindowObject(hWnd);
        if (!window)
            return 0;
        thread = window->thread;
    }
    ThreadQueue& queue = QueueOf(thread);
    auto existing = std::find_if(queue.timers.begin(), queue.timers.end(), [&](const UiTimer& t) {
        return t.hwnd == hWnd && t.id == nIDEvent;
    });
    if (!hWnd && existing == queue.timers.end())
        nIDEvent = ++nextThreadTimer;
    const UINT period = std::max(uElapse, kShortestPeriod);
    UiTimer timer{hWnd, nIDEvent, period, lpTimerFunc,
                  UiClock::now() + std::chrono::milliseconds(period)};
    if (existing != queue.timers.end())
        *existing = timer;
    else
        queue.timers.push_back(timer);
    queue.Wake();
    return hWnd ? (nIDEvent ? nIDEvent : 1) : nIDEvent;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    UiLock lock(Ui().lock);
    for (auto& [thread, queue] : Ui().queues) {
        auto removed = std::erase_if(
            queue->timers, [&](const UiTimer& t) { return t.hwnd == hWnd && t.id == uIDEvent; });
        if (removed)
            return TRUE;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}
