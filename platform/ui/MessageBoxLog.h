// The message boxes shown so far in this process. A message box never waits
// for a user here (see MessageBoxA in WinUser.h): it is recorded, so that
// tests and scripted runs can read what was shown.
#pragma once

#include "platform/WinUser.h"

#include <string>
#include <vector>

struct ShownMessageBox {
    HWND owner;
    std::u16string text;
    std::u16string caption;
    UINT type;
    int answer;
};

namespace MessageBoxLog {
// Every box since the start or the last Clear, oldest first.
std::vector<ShownMessageBox> Shown();
void Clear();
// Records a box and returns the answer it gets: the button pressed in the
// display's own box when it shows one (the screen display does, unless an
// input script plays), else the default button.
int Record(HWND owner, const std::u16string& text, const std::u16string& caption, UINT type);
} // namespace MessageBoxLog
