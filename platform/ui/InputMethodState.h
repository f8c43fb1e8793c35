// What a window asked of its input method (ImmSetCompositionWindow,
// ImmSetCompositionFontA), for tests and displays that read it back.
#pragma once

#include "platform/Imm.h"

// False for a window that does not exist.
bool GetCompositionRequest(HWND hwnd, COMPOSITIONFORM* form, LOGFONTA* font);
