// Making and destroying windows.
#include "platform/ui/WindowCreate.h"

#include "platform/HostText.h"
#include "platform/WinBase.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/UiState.h"
#include "platform/ui/WindowCreateHook.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;

bool Link(WindowObject& window, HWND parent) {
    if (!parent) {
        if (window.IsChild()) {
            SetLastError(ERROR_TLW_WITH_WSCHILD);
            return false;
        }
        return true;
    }
    WindowObject* other = FindWindowObject(parent);
    if (!other)
        return false;
    if (window.IsChild())
        window.parent = parent;
    else
        window.owner = TopLevelOf(other)->handle;
    return true;
}

LONG MaxTrack(int metric) {
    return static_cast<LONG>(GetSystemMetrics(metric));
}

void Place(WindowObject& window) {
    if (window.IsChild()) {
        FindWindowObject(window.parent)->children.push_back(window.handle);
        return;
    }
    window.rect.right = window.rect.left + std::min(window.Width(), MaxTrack(SM_CXMAXTRACK));
    window.rect.bottom = window.rect.top + std::min(window.Height(), MaxTrack(SM_CYMAXTRACK));
    window.pixelWidth = window.Width();
    window.pixelHeight = window.Height();
    window.pixels.assign(static_cast<std::size_t>(window.pixelWidth) * window.pixelHeight, kWhite);
    Ui().stacking.push_back(window.handle);
    Display().WindowCreated(window.handle, window.rect, window.text);
    Display().WindowStyled(window.handle, window.style, window.exStyle);
    PublishStacking();
}

RECT DefaultRect(int x, int y, int width, int height) {
    if (x == CW_USEDEFAULT)
        x = y = 0;
    if (width == CW_USEDEFAULT) {
        width = GetSystemMetrics(SM_CXSCREEN) / 2;
        height = GetSystemMetrics(SM_CYSCREEN) / 2;
    }
    return RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
}

HWND Create(DWORD exStyle, LPCWSTR className, const std::u16string& title, DWORD style, int x,
            int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
            LPVOID param) {
    WindowRequest request;
    {
        UiLock lock(Ui().lock);
        const WindowClass* windowClass = className ? FindWindowClass(className) : nullptr;
        if (!windowClass) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        request.proc = windowClass->proc;
        request.cursor = windowClass->cursor;
        request.classStyle = windowClass->style;
    }
    request.exStyle = exStyle;
    request.style = style;
    request.title = title;
    request.rect = DefaultRect(x, y, width, height);
    request.parent = parent;
    request.id = reinterpret_cast<LONG_PTR>(menu);
    request.instance = instance;
    HWND hwnd = MakeWindow(request);
    if (!hwnd || !SendCreation(hwnd, request, param))
        return nullptr;
    if (style & WS_VISIBLE)
        ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

// Takes the window out of every list and tells the others waiting on it.
void Unlink(WindowObject* window) {
    UiState& ui = Ui();
    window->destroyed = true;
    if (WindowObject* parent = window->IsChild() ? FindWindowObject(window->parent) : nullptr)
        parent->children.erase(
            std::remove(parent->children.begin(), parent->children.end(), window->handle),
            parent->children.end());
    for (HWND* held : {&ui.active, &ui.focus, &ui.capture})
        if (*held == window->handle)
            *held = nullptr;
    ThreadQueue& queue = QueueOf(window->thread);
    std::erase_if(queue.timers, [&](const UiTimer& t) { return t.hwnd == window->handle; });
    std::erase_if(queue.posted,
                  [&](const QueuedMessage& m) { return m.msg.hwnd == window->handle; });
    for (auto& [thread, other] : ui.queues)
        for (auto& item : other->sent)
            if (item->hwnd == window->handle) {
                item->done = true;
                item->sender->Wake();
            }
    if (!window->IsChild()) {
        std::erase(ui.stacking, window->handle);
        Display().WindowDestroyed(window->handle);
        PublishStacking();
    }
}

std::vector<HWND> OwnedWindows(HWND owner) {
    std::vector<HWND> owned;
    for (HWND handle : Ui().stacking)
        if (WindowObject* window = FindWindowObject(handle); window && window->owner == owner)
            owned.push_back(handle);
    return owned;
}

} // namespace

HWND MakeWindow(const WindowRequest& request) {
    HWND hwnd = nullptr;
    {
        UiLock lock(Ui().lock);
        auto window = std::make_unique<WindowObject>();
        window->thread = GetCurrentThreadId();
        window->style = request.style & ~WS_VISIBLE;
        window->exStyle = request.exStyle;
        window->text = request.title;
        window->rect = request.rect;
        window->id = request.id;
        window->instance = request.instance;
        window->proc = request.proc;
        window->classCursor = request.cursor;
        window->classStyle = request.classStyle;
        window->dialogProc = request.dialogProc;
        if (!Link(*window, request.parent))
            return nullptr;
        hwnd = window->handle = NewUiHandle();
        QueueOf(window->thread);
        Place(*window);
        Ui().windows[hwnd] = std::move(window);
    }
    RunWindowCreateHook(hwnd);
    return hwnd;
}

bool SendCreation(HWND hwnd, const WindowRequest& request, LPVOID param) {
    CREATESTRUCTW create{param,
                         request.instance,
                         reinterpret_cast<HMENU>(request.id),
                         request.parent,
                         static_cast<int>(request.rect.bottom - request.rect.top),
                         static_cast<int>(request.rect.right - request.rect.left),
                         static_cast<int>(request.rect.top),
                         static_cast<int>(request.rect.left),
                         static_cast<LONG>(request.style),
                         request.title.c_str(),
                         u"",
                         request.exStyle};
    const LPARAM lParam = reinterpret_cast<LPARAM>(&create);
    if (!SendMessageW(hwnd, WM_NCCREATE, 0, lParam) ||
        SendMessageW(hwnd, WM_CREATE, 0, lParam) == -1) {
        DestroyWindow(hwnd);
        return false;
    }
    return true;
}

HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                     int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                     HINSTANCE hInstance, LPVOID lpParam) {
    std::u16string className;
    LPCWSTR classArgument = reinterpret_cast<LPCWSTR>(lpClassName);
    if (lpClassName && !IS_INTRESOURCE(lpClassName)) {
        className = HostText::ToWide(HostText::FromAnsi(lpClassName));
        classArgument = className.c_str();
    }
    return Create(dwExStyle, classArgument, HostText::ToWide(HostText::FromAnsi(lpWindowName)),
                  dwStyle, X, Y, nWidth, nHeight, hWndParent, hMenu, hInstance, lpParam);
}

HWND CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle,
                     int X, int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                     HINSTANCE hInstance, LPVOID lpParam) {
    return Create(dwExStyle, lpClassName, lpWindowName ? lpWindowName : u"", dwStyle, X, Y, nWidth,
                  nHeight, hWndParent, hMenu, hInstance, lpParam);
}

BOOL DestroyWindow(HWND hWnd) {
    std::vector<HWND> owned;
    std::vector<HWND> children;
    {
        UiLock lock(Ui().lock);
        WindowObject* window = FindWindowObject(hWnd);
        if (!window)
            return FALSE;
        if (window->thread != GetCurrentThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        owned = OwnedWindows(hWnd);
        children = window->children;
    }
    for (HWND window : owned)
        DestroyWindow(window);
    ShowWindow(hWnd, SW_HIDE);
    SendMessageW(hWnd, WM_DESTROY, 0, 0);
    for (HWND child : children)
        DestroyWindow(child);
    SendMessageW(hWnd, WM_NCDESTROY, 0, 0);
    UiLock lock(Ui().lock);
    if (WindowObject* window = FindWindowObject(hWnd)) {
        Unlink(window);
        Ui().windows.erase(hWnd);
    }
    return TRUE;
}
