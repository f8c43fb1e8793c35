// The system cursors: one handle each, shown through the display.
#include "platform/WinBase.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/UiState.h"

#include <utility>

namespace {

bool IsSystemCursor(ULONG_PTR id) {
    return (id >= 32512 && id <= 32516) || (id >= 32640 && id <= 32646) ||
           (id >= 32648 && id <= 32650);
}

// A system cursor's handle is its identifier moved past the handles of
// windows' and kernel objects' ranges, so it never names either.
constexpr ULONG_PTR kCursorBase = 0x7C000000;

HCURSOR Load(HINSTANCE instance, const void* name) {
    const ULONG_PTR id = reinterpret_cast<ULONG_PTR>(name);
    if (instance || !IS_INTRESOURCE(name) || !IsSystemCursor(id)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HCURSOR>(kCursorBase + id);
}

} // namespace

HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    return Load(hInstance, lpCursorName);
}

HCURSOR LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName) {
    return Load(hInstance, lpCursorName);
}

HCURSOR SetCursor(HCURSOR hCursor) {
    UiLock lock(Ui().lock);
    HCURSOR previous = std::exchange(Ui().cursor, hCursor);
    if (previous != hCursor)
        Display().CursorChanged(
            hCursor ? static_cast<int>(reinterpret_cast<ULONG_PTR>(hCursor) - kCursorBase) : 0);
    return previous;
}

HCURSOR GetCursor() {
    UiLock lock(Ui().lock);
    return Ui().cursor;
}
