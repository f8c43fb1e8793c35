// The virtual-key codes of the screen display's keys. Internal to the SDL
// display.
#pragma once

// The virtual-key code (VK_ in WinUser.h, 'A' to 'Z', '0' to '9') of an
// SDL key code; 0 for a key the window system has no code for. Both Shift,
// Control and Alt keys give the one code of their kind; the keypad's digits
// and Enter give the main keyboard's.
int VirtualKeyOfSdl(int sdlKeycode);
