// The screen display's device events: SDL's keyboard, text and mouse events
// handed to the window system as device input (DeviceInput.h), with points
// on the screen in the window system's pixels. Runs on the display thread.
// A drop of files from the desktop is handed on, at the mouse's last point,
// when SDL says it is complete. Internal to the SDL display.
#pragma once

#include "platform/ui/sdl2/KeyTextFilter.h"
#include "platform/ui/sdl2/SdlScreen.h"

#include <string>
#include <vector>

class SdlInput {
public:
    explicit SdlInput(SdlScreen& screen) : screen_(screen) {}

    // Hands on one event; events that are not input are left alone.
    void Handle(const SDL_Event& event);

private:
    void Key(const SDL_KeyboardEvent& key);
    void Text(const char* utf8);
    void Button(const SDL_MouseButtonEvent& button);
    void Wheel(const SDL_MouseWheelEvent& wheel);
    void Drop(const SDL_DropEvent& drop);

    SdlScreen& screen_;
    KeyTextFilter filter_;
    POINT mouse_{};
    std::vector<std::string> dropped_; // files of a drop not complete yet
};
