// Text on the desktop's clipboard, as CF_UNICODETEXT blocks of global memory.
#pragma once

#include "platform/WinUser.h"
#include "toolkit/KIVString.h"

// Puts count characters of text on the clipboard; false when the clipboard
// is held elsewhere or the memory could not be had.
bool KIVPutClipboardText(HWND owner, const char16_t* text, int count);
// The clipboard's text up to its first zero, never past the end of its
// block; false when it holds none.
bool KIVGetClipboardText(HWND owner, KIVString* text);
