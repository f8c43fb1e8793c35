// How input scripts find a control by its identifier in the active window
// (click #ID, expect-text #ID). The toolkit draws its controls inside the
// dialog's window, so it registers a lookup of its own; when none is set, or
// it finds nothing, a child window with that identifier (GWLP_ID) is taken.
#pragma once

#include "platform/WinUser.h"

#include <string>

struct ScriptControl {
    RECT screen{}; // where the control is, in screen coordinates
    std::u16string text;
};

// Fills *control for the control `id` of the top-level window `top`; false
// when the window has no such control. Called on the thread that plays the
// script, without the window system's lock.
using ControlLookup = bool (*)(HWND top, int id, ScriptControl* control);

// Sets the lookup; null goes back to child windows alone.
void SetControlLookup(ControlLookup lookup);
// The control `id` of `top`: the registered lookup's answer, else a child
// window's (depth first, the first made first).
bool FindScriptControl(HWND top, int id, ScriptControl* control);
