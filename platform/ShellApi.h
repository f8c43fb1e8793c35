// Files dropped on a window from the desktop. A window with the extended
// style WS_EX_ACCEPTFILES (or one of its parents) gets WM_DROPFILES with a
// drop handle in wParam when the display drops files on it; the handle
// lists the files as Windows paths and the point of the drop, and lives
// until DragFinish. The default window procedure finishes a drop that a
// window does not handle.
#pragma once

#include "platform/WinUser.h"

// iFile 0xFFFFFFFF: the number of files. Otherwise, with lpszFile null, the
// length of file iFile in characters (bytes of the ANSI code page for the A
// form) without the terminator; with a buffer, the file copied into it, cut
// to cch - 1 characters and terminated, and the count copied. 0 for a handle
// that is not a live drop or a file index past the end.
UINT DragQueryFileA(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch);
UINT DragQueryFileW(HDROP hDrop, UINT iFile, LPWSTR lpszFile, UINT cch);
// The drop's point in the client coordinates of the window that got it;
// TRUE when it lies in the client area.
BOOL DragQueryPoint(HDROP hDrop, LPPOINT lppt);
// Frees the drop; its handle is no longer valid.
void DragFinish(HDROP hDrop);
// Sets or clears WS_EX_ACCEPTFILES.
void DragAcceptFiles(HWND hWnd, BOOL fAccept);
