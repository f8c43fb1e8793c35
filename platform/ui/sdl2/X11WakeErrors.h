// SDL 2.26 ends its wait for events, when another thread pushes one, by
// sending an X event to one of its windows over a second connection. When
// that window has just been destroyed (a wizard page closing), the X server
// answers BadWindow, and Xlib's default error handler ends the process. The
// error is harmless (the wait ends on its timeout anyway): this handler
// ignores exactly that error and hands every other to the handler before it.
#pragma once

// Installs the handler when SDL runs on X11 (libX11 loaded); does nothing
// on Wayland.
void IgnoreLateWakeErrors();
