// The whole-pixel enlargement of windows on a screen display: every window
// pixel becomes a scale x scale block of screen pixels, never blurred, and
// points on the screen are divided back to window pixels.
#pragma once

// The scale for the machine setting (1 and up: that factor) and, when the
// setting is 0, for the display's pixel density: 2 from 192 dots per inch,
// else 1. A density of 0 or less (unknown) gives 1.
int ChooseScale(int setting, float dotsPerInch);

// A length or position in window pixels for one in screen pixels: the
// window pixel that holds the screen pixel, so -1 is in pixel -1, not 0.
int ScaleDown(int screenPixels, int scale);
