// Screen sizes and other metrics, from the machine settings.
#include "platform/Machine.h"
#include "platform/WinBase.h"
#include "platform/WinUser.h"

namespace {

constexpr int kTaskBarHeight = 30;
constexpr int kCaptionHeight = 18;
constexpr int kFrame = 4;

RECT WorkArea() {
    const MachineSettings& settings = Machine::Current().Settings();
    return RECT{0, 0, settings.screenWidth, settings.screenHeight - kTaskBarHeight};
}

} // namespace

int GetSystemMetrics(int nIndex) {
    const MachineSettings& settings = Machine::Current().Settings();
    switch (nIndex) {
    case SM_CXSCREEN:
        return settings.screenWidth;
    case SM_CYSCREEN:
        return settings.screenHeight;
    case SM_CXFULLSCREEN:
        return WorkArea().right;
    case SM_CYFULLSCREEN:
        return WorkArea().bottom - kCaptionHeight;
    case SM_CYCAPTION:
        return kCaptionHeight;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return kFrame;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return 16;
    case SM_CXMAXTRACK:
        return settings.screenWidth + 2 * kFrame + 4;
    case SM_CYMAXTRACK:
        return settings.screenHeight + 2 * kFrame + 4;
    case SM_CXDOUBLECLK:
        return kDoubleClickWidth;
    case SM_CYDOUBLECLK:
        return kDoubleClickHeight;
    case SM_DBCSENABLED:
        return settings.codePage == 932 ? 1 : 0;
    default:
        return 0;
    }
}

UINT GetDoubleClickTime() {
    return 500;
}

BOOL SystemParametersInfoA(UINT uiAction, UINT, PVOID pvParam, UINT) {
    if (uiAction != SPI_GETWORKAREA || !pvParam) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *static_cast<RECT*>(pvParam) = WorkArea();
    return TRUE;
}
