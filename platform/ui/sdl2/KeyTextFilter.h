// Keeps typed characters from arriving twice on the screen display. The
// display hands the window system both a key's press (from which the
// message loop's TranslateMessage makes WM_CHAR for letters, digits and
// Space) and the text the input method commits (made into WM_CHAR too);
// for a plain key both stand for the same character. The filter lets the
// text through unless it is the character of the key just pressed.
// Internal to the SDL display.
#pragma once

#include <string>

class KeyTextFilter {
public:
    // A key went down, with the Shift and Control state of that moment.
    void KeyDown(int virtualKey, bool shift, bool control);
    // Whether committed text is handed on. A letter matches its key in
    // either case (the key translation knows no Caps Lock).
    bool TakeText(const std::u16string& text);

private:
    char16_t expected_ = 0; // what the last key makes through the key translation
};
