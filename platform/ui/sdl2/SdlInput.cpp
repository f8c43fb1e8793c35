#include "platform/ui/sdl2/SdlInput.h"

#include "platform/HostText.h"
#include "platform/ui/DeviceInput.h"
#include "platform/ui/sdl2/SdlKeys.h"

void SdlInput::Handle(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        Key(event.key);
        break;
    case SDL_TEXTINPUT:
        Text(event.text.text);
        break;
    case SDL_MOUSEMOTION:
        if (screen_.ScreenPoint(event.motion.windowID, event.motion.x, event.motion.y, &mouse_))
            DeviceInput::MouseMove(mouse_);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        Button(event.button);
        break;
    case SDL_MOUSEWHEEL:
        Wheel(event.wheel);
        break;
    case SDL_DROPBEGIN:
    case SDL_DROPFILE:
    case SDL_DROPCOMPLETE:
        Drop(event.drop);
        break;
    default:
        break;
    }
}

void SdlInput::Key(const SDL_KeyboardEvent& key) {
    const int virtualKey = VirtualKeyOfSdl(key.keysym.sym);
    if (!virtualKey)
        return;
    const bool down = key.state == SDL_PRESSED;
    if (down)
        filter_.KeyDown(virtualKey, (key.keysym.mod & KMOD_SHIFT) != 0,
                        (key.keysym.mod & KMOD_CTRL) != 0);
    DeviceInput::Key(virtualKey, down);
}

void SdlInput::Text(const char* utf8) {
    const std::u16string text = HostText::ToWide(utf8);
    if (filter_.TakeText(text))
        DeviceInput::Text(text);
}

void SdlInput::Button(const SDL_MouseButtonEvent& button) {
    int virtualKey = 0;
    if (button.button == SDL_BUTTON_LEFT)
        virtualKey = VK_LBUTTON;
    else if (button.button == SDL_BUTTON_RIGHT)
        virtualKey = VK_RBUTTON;
    else if (button.button == SDL_BUTTON_MIDDLE)
        virtualKey = VK_MBUTTON;
    if (!virtualKey || !screen_.ScreenPoint(button.windowID, button.x, button.y, &mouse_))
        return;
    DeviceInput::MouseButton(virtualKey, button.state == SDL_PRESSED, mouse_);
}

// SDL counts notches, positive away from the user unless the device flips
// them.
void SdlInput::Wheel(const SDL_MouseWheelEvent& wheel) {
    int notches = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -wheel.y : wheel.y;
    if (notches)
        DeviceInput::MouseWheel(notches * WHEEL_DELTA, mouse_);
}

// SDL announces a drop, then names its files one by one, then completes it.
void SdlInput::Drop(const SDL_DropEvent& drop) {
    switch (drop.type) {
    case SDL_DROPBEGIN:
        dropped_.clear();
        return;
    case SDL_DROPFILE:
        if (drop.file) {
            dropped_.push_back(drop.file);
            sdl.SDL_free(drop.file);
        }
        return;
    default:
        DeviceInput::DropFiles(dropped_, mouse_);
        dropped_.clear();
    }
}
