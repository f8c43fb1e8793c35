#include "platform/ui/UiState.h"

#include "platform/WinBase.h"
#include "platform/ui/DisplayBackend.h"

#include <algorithm>

UiState& Ui() {
    static auto* state = new UiState; // lives until the process ends: threads may outlive main
    return *state;
}

WindowObject* FindWindowObject(HWND hwnd) {
    auto found = Ui().windows.find(hwnd);
    if (found == Ui().windows.end() || found->second->destroyed) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return found->second.get();
}

ThreadQueue& QueueOf(DWORD thread) {
    std::unique_ptr<ThreadQueue>& queue = Ui().queues[thread];
    if (!queue) {
        queue = std::make_unique<ThreadQueue>();
        queue->thread = thread;
    }
    return *queue;
}

ThreadQueue* ExistingQueue(DWORD thread) {
    auto found = Ui().queues.find(thread);
    return found == Ui().queues.end() ? nullptr : found->second.get();
}

WindowObject* TopLevelOf(WindowObject* window) {
    while (window && window->IsChild())
        window = FindWindowObject(window->parent);
    return window;
}

POINT ScreenOrigin(const WindowObject* window) {
    POINT origin{0, 0};
    while (window) {
        origin.x += window->rect.left;
        origin.y += window->rect.top;
        window = window->IsChild() ? FindWindowObject(window->parent) : nullptr;
    }
    return origin;
}

RECT ScreenRect(const WindowObject* window) {
    POINT origin = ScreenOrigin(window);
    return RECT{origin.x, origin.y, origin.x + window->Width(), origin.y + window->Height()};
}

bool IsShown(const WindowObject* window) {
    while (window) {
        if (!(window->style & WS_VISIBLE))
            return false;
        window = window->IsChild() ? FindWindowObject(window->parent) : nullptr;
    }
    return true;
}

bool AcceptsInput(const WindowObject* window) {
    while (window) {
        if (window->style & WS_DISABLED)
            return false;
        window = window->IsChild() ? FindWindowObject(window->parent) : nullptr;
    }
    return true;
}

void PublishStacking() {
    std::vector<HWND> topFirst(Ui().stacking.rbegin(), Ui().stacking.rend());
    Display().StackingChanged(topFirst);
}

void Raise(WindowObject* top) {
    std::vector<HWND>& stacking = Ui().stacking;
    stacking.erase(std::remove(stacking.begin(), stacking.end(), top->handle), stacking.end());
    stacking.push_back(top->handle);
    std::vector<WindowObject*> owned;
    for (HWND handle : stacking)
        if (WindowObject* window = FindWindowObject(handle); window && window->owner == top->handle)
            owned.push_back(window);
    for (WindowObject* window : owned)
        Raise(window);
}

void InvalidateAll(WindowObject* window) {
    window->update = RECT{0, 0, window->Width(), window->Height()};
    QueueOf(window->thread).Wake();
}

void ShowPixels(WindowObject* top, const RECT& changed) {
    Display().WindowPixels(top->handle, changed, top->pixels.data(), top->pixelWidth,
                           top->pixelHeight);
}

HANDLE NewUiHandle() {
    Ui().nextHandle += 4;
    return reinterpret_cast<HANDLE>(Ui().nextHandle);
}
