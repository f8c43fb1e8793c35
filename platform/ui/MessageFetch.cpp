#include "platform/ui/MessageFetch.h"

#include "platform/WinBase.h"
#include "platform/ui/DisplayBackend.h"

#include <algorithm>

namespace {

bool InRange(UINT message, const FetchFilter& filter) {
    return (filter.first == 0 && filter.last == 0) ||
           (message >= filter.first && message <= filter.last);
}

bool IsWindowOrChild(HWND window, HWND candidate) {
    for (WindowObject* object = FindWindowObject(candidate); object;
         object = object->IsChild() ? FindWindowObject(object->parent) : nullptr)
        if (object->handle == window)
            return true;
    return false;
}

bool ForWindow(HWND hwnd, const FetchFilter& filter) {
    if (filter.hwnd == reinterpret_cast<HWND>(-1))
        return hwnd == nullptr;
    return !filter.hwnd || IsWindowOrChild(filter.hwnd, hwnd);
}

MSG Made(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return MSG{hwnd, message, wParam, lParam, GetTickCount(), Ui().mouse};
}

bool FetchPosted(ThreadQueue& queue, const FetchFilter& filter, bool remove, MSG* msg,
                 bool* clickActivates) {
    for (auto entry = queue.posted.begin(); entry != queue.posted.end(); ++entry) {
        if (!ForWindow(entry->msg.hwnd, filter) || !InRange(entry->msg.message, filter))
            continue;
        *msg = entry->msg;
        *clickActivates = remove && entry->clickActivates;
        if (remove)
            queue.posted.erase(entry);
        return true;
    }
    return false;
}

bool FetchPaint(ThreadQueue& queue, const FetchFilter& filter, MSG* msg) {
    if (!InRange(WM_PAINT, filter))
        return false;
    for (auto& [handle, window] : Ui().windows) {
        if (window->thread != queue.thread || window->destroyed || IsRectEmpty(&window->update) ||
            !IsShown(window.get()) || !ForWindow(handle, filter))
            continue;
        *msg = Made(handle, WM_PAINT, 0, 0);
        return true;
    }
    return false;
}

bool FetchTimer(ThreadQueue& queue, const FetchFilter& filter, bool remove, MSG* msg) {
    if (!InRange(WM_TIMER, filter))
        return false;
    const UiClock::time_point now = UiClock::now();
    for (UiTimer& timer : queue.timers) {
        if (timer.due > now || !ForWindow(timer.hwnd, filter))
            continue;
        *msg = Made(timer.hwnd, WM_TIMER, timer.id, reinterpret_cast<LPARAM>(timer.proc));
        if (remove)
            timer.due = now + std::chrono::milliseconds(timer.period);
        return true;
    }
    return false;
}

// Follows the keyboard state of the thread's own input, so that a message
// is seen with the Shift and Control state of its time.
void TrackKeys(ThreadQueue& queue, const MSG& msg) {
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
        queue.keys[msg.wParam & 0xFF] = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        queue.keys[VK_LBUTTON] = msg.message == WM_LBUTTONDOWN;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        queue.keys[VK_RBUTTON] = msg.message == WM_RBUTTONDOWN;
        break;
    default:
        break;
    }
}

} // namespace

void RunSentMessages(UiLock& lock, ThreadQueue& queue) {
    while (!queue.sent.empty()) {
        std::shared_ptr<SentMessage> item = queue.sent.front();
        queue.sent.pop_front();
        if (WindowObject* window = FindWindowObject(item->hwnd)) {
            WNDPROC proc = window->proc;
            lock.unlock();
            LRESULT result = proc(item->hwnd, item->message, item->wParam, item->lParam);
            lock.lock();
            item->result = result;
        }
        item->done = true;
        item->sender->Wake();
    }
}

bool FetchOnce(ThreadQueue& queue, const FetchFilter& filter, bool remove, MSG* msg,
               bool* clickActivates) {
    *clickActivates = false;
    bool found = FetchPosted(queue, filter, remove, msg, clickActivates);
    if (!found && queue.quit && InRange(WM_QUIT, filter)) {
        *msg = Made(nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0);
        queue.quit = !remove;
        found = true;
    }
    found = found || FetchPaint(queue, filter, msg) || FetchTimer(queue, filter, remove, msg);
    if (found && remove) {
        TrackKeys(queue, *msg);
        queue.lastTime = msg->time;
        queue.lastPoint = msg->pt;
    }
    return found;
}

void WaitForChange(UiLock& lock, ThreadQueue& queue) {
    DisplayBackend& display = Display();
    const int pumpInterval = display.PumpInterval();
    queue.changed = false;
    if (pumpInterval > 0) {
        lock.unlock();
        display.PumpEvents();
        lock.lock();
        if (queue.changed)
            return;
    }
    UiClock::time_point deadline = UiClock::now() + std::chrono::hours(1);
    if (pumpInterval > 0)
        deadline = UiClock::now() + std::chrono::milliseconds(pumpInterval);
    for (const UiTimer& timer : queue.timers)
        deadline = std::min(deadline, timer.due);
    queue.wake.wait_until(lock, deadline, [&queue] { return queue.changed; });
}

LRESULT CallWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc = nullptr;
    {
        UiLock lock(Ui().lock);
        if (WindowObject* window = FindWindowObject(hwnd))
            proc = window->proc;
    }
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}
