// Dialog windows made from an in-memory template without controls.
#include "platform/WinBase.h"
#include "platform/ui/DialogState.h"
#include "platform/ui/UiState.h"
#include "platform/ui/WindowCreate.h"

namespace {

constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;
constexpr std::size_t kLongestTitle = 4096;

LRESULT DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DLGPROC dialogProc = nullptr;
    {
        UiLock lock(Ui().lock);
        if (WindowObject* window = FindWindowObject(hwnd))
            dialogProc = window->dialogProc;
    }
    if (dialogProc) {
        if (INT_PTR handled = dialogProc(hwnd, message, wParam, lParam))
            return handled;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A menu or class field: 0 (none), 0xFFFF and an ordinal, or a string.
const WORD* SkipField(const WORD* field) {
    if (*field == 0)
        return field + 1;
    if (*field == 0xFFFF)
        return field + 2;
    std::size_t count = 0;
    while (field[count] && count < kLongestTitle)
        ++count;
    return field + count + 1;
}

std::u16string ReadTitle(const WORD* field) {
    std::u16string title;
    while (*field && title.size() < kLongestTitle)
        title += static_cast<char16_t>(*field++);
    return title;
}

LONG DialogUnitsX(short units) {
    return units * kBaseUnitX / 4;
}
LONG DialogUnitsY(short units) {
    return units * kBaseUnitY / 8;
}

} // namespace

HWND CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA lpTemplate, HWND hWndParent,
                                DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    if (!lpTemplate || lpTemplate->cdit != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const WORD* fields = reinterpret_cast<const WORD*>(lpTemplate + 1);
    WindowRequest request;
    request.style = lpTemplate->style;
    request.exStyle = lpTemplate->dwExtendedStyle;
    request.title = ReadTitle(SkipField(SkipField(fields)));
    const LONG x = DialogUnitsX(lpTemplate->x), y = DialogUnitsY(lpTemplate->y);
    request.rect = RECT{x, y, x + DialogUnitsX(lpTemplate->cx), y + DialogUnitsY(lpTemplate->cy)};
    request.parent = hWndParent;
    request.instance = hInstance;
    request.proc = DialogWindowProc;
    request.dialogProc = lpDialogFunc;
    request.classStyle = CS_DBLCLKS; // the dialog class takes double clicks
    HWND hwnd = MakeWindow(request);
    if (!hwnd || !SendCreation(hwnd, request, nullptr))
        return nullptr;
    SendMessageW(hwnd, WM_INITDIALOG, 0, dwInitParam);
    if ((lpTemplate->style & WS_VISIBLE) && IsWindow(hwnd))
        ShowWindow(hwnd, SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

// Wakes the dialog's thread so that a modal loop waiting for a message sees
// the end at once.
BOOL EndDialog(HWND hDlg, INT_PTR nResult) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hDlg);
    if (!window)
        return FALSE;
    window->dialogEnded = true;
    window->dialogResult = nResult;
    ThreadQueue& queue = QueueOf(window->thread);
    queue.posted.push_back(QueuedMessage{MSG{hDlg, WM_NULL, 0, 0, 0, Ui().mouse}});
    queue.Wake();
    return TRUE;
}

bool DialogEnded(HWND hwnd, INT_PTR* result) {
    UiLock lock(Ui().lock);
    WindowObject* window = FindWindowObject(hwnd);
    if (!window || !window->dialogEnded)
        return false;
    if (result)
        *result = window->dialogResult;
    return true;
}
