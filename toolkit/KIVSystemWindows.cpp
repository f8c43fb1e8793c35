// The window-text and cursor wrappers.
#include "toolkit/KIVSystem.h"

#include <vector>

BOOL KIVSetWindowText(HWND window, const char16_t* text) {
    if (KIVIsWindowsNT())
        return SetWindowTextW(window, text);
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text ? text : u"", -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return FALSE;
    std::vector<char> narrow(static_cast<std::size_t>(size));
    WideCharToMultiByte(CP_ACP, 0, text ? text : u"", -1, narrow.data(), size, nullptr, nullptr);
    return SetWindowTextA(window, narrow.data());
}

HCURSOR KIVLoadSystemCursor(HINSTANCE instance, int cursorId) {
    const bool system = (cursorId >= 32512 && cursorId <= 32516) ||
                        (cursorId >= 32640 && cursorId <= 32646) || cursorId == 32648;
    return system ? LoadCursorA(instance, MAKEINTRESOURCEA(cursorId)) : nullptr;
}
