// The input-method part of the Win32 subset, as <imm.h> would give it: a
// window's input context and the placement of its composition window. This
// layer composes nothing itself; it keeps what the program asks for so that
// the display can put its own composition window there (see
// platform/ui/InputMethodState.h).
#pragma once

#include "platform/WinGdi.h"

typedef HANDLE HIMC;

#define CFS_DEFAULT 0x0000u
#define CFS_RECT 0x0001u
#define CFS_POINT 0x0002u
#define CFS_FORCE_POSITION 0x0020u

typedef struct tagCOMPOSITIONFORM {
    DWORD dwStyle;
    POINT ptCurrentPos;
    RECT rcArea;
} COMPOSITIONFORM, *LPCOMPOSITIONFORM;

// The input context of a window of the calling thread (one per window);
// null for a window that does not exist.
HIMC ImmGetContext(HWND hWnd);
BOOL ImmReleaseContext(HWND hWnd, HIMC hIMC);
// The composition window's place, in the window's client coordinates.
BOOL ImmSetCompositionWindow(HIMC hIMC, LPCOMPOSITIONFORM lpCompForm);
BOOL ImmSetCompositionFontA(HIMC hIMC, LPLOGFONTA lplf);
