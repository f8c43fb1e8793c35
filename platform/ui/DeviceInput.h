// Device events from the display (or from tests driving the headless one),
// turned into the messages of the window that gets them, in the queue of
// that window's thread. Any thread may call these; none waits for the
// window's thread. Points are in screen coordinates.
//
// Keys go to the focus window, or to the active window when none has the
// focus; Alt held makes WM_SYSKEYDOWN/UP. Mouse messages go to the capture
// window when there is one, otherwise to the window under the point; a
// window that is disabled, or lies in a disabled top-level window, gets no
// mouse message: over a disabled child the nearest enabled parent gets it,
// over a disabled top-level window it is dropped. A press activates its
// top-level window when the thread fetches it.
#pragma once

#include "platform/WinUser.h"

#include <string>
#include <vector>

namespace DeviceInput {

// A key pressed or released, as its virtual-key code (VK_ in WinUser.h,
// 'A' to 'Z', '0' to '9'). The keyboard state follows at once.
void Key(int virtualKey, bool down);
// Text typed, through the input method or a keyboard layout: one WM_CHAR
// per UTF-16 code unit, with no key message.
void Text(const std::u16string& text);
void MouseMove(POINT screen);
// VK_LBUTTON, VK_RBUTTON or VK_MBUTTON.
void MouseButton(int button, bool down, POINT screen);
// A wheel turn in multiples of WHEEL_DELTA, positive away from the user.
void MouseWheel(int delta, POINT screen);
// Files of the host dropped at a point: the window under it, or its nearest
// parent, with WS_EX_ACCEPTFILES gets WM_DROPFILES with the files as
// Windows paths (ShellApi.h); nothing happens when there is none.
void DropFiles(const std::vector<std::string>& hostPaths, POINT screen);

} // namespace DeviceInput
