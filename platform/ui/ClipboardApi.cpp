// The desktop's clipboard: text blocks of global memory by format.
#include "platform/WinBase.h"
#include "platform/ui/UiState.h"

#include <map>

namespace {

struct Clipboard {
    DWORD openBy = 0; // thread holding it open, 0 when closed
    DWORD owner = 0;  // thread that emptied it last: only it may set data
    std::map<UINT, HANDLE> data;
};

Clipboard& Board() {
    static auto* board = new Clipboard;
    return *board;
}

bool HeldByCaller() {
    if (Board().openBy != GetCurrentThreadId()) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return false;
    }
    return true;
}

} // namespace

BOOL OpenClipboard(HWND) {
    UiLock lock(Ui().lock);
    const DWORD self = GetCurrentThreadId();
    if (Board().openBy && Board().openBy != self) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    Board().openBy = self;
    return TRUE;
}

BOOL CloseClipboard() {
    UiLock lock(Ui().lock);
    if (!HeldByCaller())
        return FALSE;
    Board().openBy = 0;
    return TRUE;
}

BOOL EmptyClipboard() {
    UiLock lock(Ui().lock);
    if (!HeldByCaller())
        return FALSE;
    for (auto& [format, block] : Board().data)
        GlobalFree(block);
    Board().data.clear();
    Board().owner = Board().openBy;
    return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem) {
    UiLock lock(Ui().lock);
    if (!HeldByCaller())
        return nullptr;
    if (Board().owner != Board().openBy) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    if ((uFormat != CF_UNICODETEXT && uFormat != CF_TEXT) || !hMem || GlobalSize(hMem) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HANDLE& slot = Board().data[uFormat];
    if (slot && slot != hMem)
        GlobalFree(slot);
    slot = hMem;
    return hMem;
}

HANDLE GetClipboardData(UINT uFormat) {
    UiLock lock(Ui().lock);
    if (!HeldByCaller())
        return nullptr;
    auto found = Board().data.find(uFormat);
    return found == Board().data.end() ? nullptr : found->second;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    UiLock lock(Ui().lock);
    return Board().data.count(format) ? TRUE : FALSE;
}
