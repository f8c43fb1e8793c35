// Files dropped on windows: the drop handles, what DragQueryFile reads from
// them, and the display's side that makes WM_DROPFILES.
#include "platform/ShellApi.h"

#include "platform/HostText.h"
#include "platform/PathMap.h"
#include "platform/WinBase.h"
#include "platform/ui/DeviceInput.h"
#include "platform/ui/HitTest.h"
#include "platform/ui/UiState.h"

#include <algorithm>
#include <map>
#include <memory>

namespace {

struct DropObject {
    std::vector<std::string> files; // Windows paths, UTF-8
    POINT client{};
    bool inClient = false;
};

std::map<HDROP, std::unique_ptr<DropObject>>& Drops() {
    static std::map<HDROP, std::unique_ptr<DropObject>> drops;
    return drops;
}

// A copy of the live drop of a handle; false for any other handle.
bool FindDrop(HDROP drop, DropObject* copy) {
    UiLock lock(Ui().lock);
    auto found = Drops().find(drop);
    if (found == Drops().end())
        return false;
    *copy = *found->second;
    return true;
}

// Without a buffer, the text's length; with one, the characters copied.
template <typename Char> UINT Copy(const std::basic_string<Char>& text, Char* buffer, UINT size) {
    if (!buffer)
        return static_cast<UINT>(text.size());
    if (size == 0)
        return 0;
    const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = 0;
    return static_cast<UINT>(count);
}

// The window that takes a drop at a point: the window under it or its
// nearest parent with WS_EX_ACCEPTFILES, when enabled.
WindowObject* DropTarget(POINT screen) {
    WindowObject* window = WindowAtPoint(screen);
    while (window && !(window->exStyle & WS_EX_ACCEPTFILES))
        window = FindWindowObject(window->parent);
    if (!window || (window->style & WS_DISABLED) || (TopLevelOf(window)->style & WS_DISABLED))
        return nullptr;
    return window;
}

// The count, or file iFile in the text form of Char.
template <typename Char, typename Convert>
UINT QueryFile(HDROP hDrop, UINT iFile, Char* buffer, UINT cch, Convert convert) {
    DropObject drop;
    if (!FindDrop(hDrop, &drop))
        return 0;
    if (iFile == 0xFFFFFFFFu)
        return static_cast<UINT>(drop.files.size());
    return iFile < drop.files.size() ? Copy(convert(drop.files[iFile]), buffer, cch) : 0;
}

} // namespace

UINT DragQueryFileA(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch) {
    return QueryFile(hDrop, iFile, lpszFile, cch, &HostText::ToAnsi);
}

UINT DragQueryFileW(HDROP hDrop, UINT iFile, LPWSTR lpszFile, UINT cch) {
    return QueryFile(hDrop, iFile, lpszFile, cch, &HostText::ToWide);
}

BOOL DragQueryPoint(HDROP hDrop, LPPOINT lppt) {
    DropObject drop;
    if (!lppt || !FindDrop(hDrop, &drop))
        return FALSE;
    *lppt = drop.client;
    return drop.inClient;
}

void DragFinish(HDROP hDrop) {
    UiLock lock(Ui().lock);
    Drops().erase(hDrop);
}

void DragAcceptFiles(HWND hWnd, BOOL fAccept) {
    UiLock lock(Ui().lock);
    if (WindowObject* window = FindWindowObject(hWnd))
        window->exStyle =
            fAccept ? window->exStyle | WS_EX_ACCEPTFILES : window->exStyle & ~WS_EX_ACCEPTFILES;
}

namespace DeviceInput {

void DropFiles(const std::vector<std::string>& hostPaths, POINT screen) {
    UiLock lock(Ui().lock);
    WindowObject* window = DropTarget(screen);
    if (!window || hostPaths.empty())
        return;
    auto drop = std::make_unique<DropObject>();
    for (const std::string& path : hostPaths)
        drop->files.push_back(PathMap::ToWindows(path));
    const POINT origin = ScreenOrigin(window);
    drop->client = POINT{screen.x - origin.x, screen.y - origin.y};
    drop->inClient = drop->client.x >= 0 && drop->client.y >= 0 &&
                     drop->client.x < window->Width() && drop->client.y < window->Height();
    const HDROP handle = reinterpret_cast<HDROP>(NewUiHandle());
    Drops()[handle] = std::move(drop);
    ThreadQueue& queue = QueueOf(window->thread);
    queue.posted.push_back(
        QueuedMessage{MSG{window->handle, WM_DROPFILES, reinterpret_cast<WPARAM>(handle), 0,
                          GetTickCount(), screen}});
    queue.Wake();
}

} // namespace DeviceInput
