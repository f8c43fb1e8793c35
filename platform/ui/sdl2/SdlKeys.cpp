#include "platform/ui/sdl2/SdlKeys.h"

#include "platform/WinUser.h"

#include <SDL2/SDL_keycode.h>

namespace {

struct KeyPair {
    SDL_Keycode sdl;
    int virtualKey;
};

constexpr KeyPair kKeys[] = {
    {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN}, {SDLK_TAB, VK_TAB},
    {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_BACKSPACE, VK_BACK},  {SDLK_DELETE, VK_DELETE},
    {SDLK_INSERT, VK_INSERT}, {SDLK_HOME, VK_HOME},       {SDLK_END, VK_END},
    {SDLK_PAGEUP, VK_PRIOR},  {SDLK_PAGEDOWN, VK_NEXT},   {SDLK_LEFT, VK_LEFT},
    {SDLK_RIGHT, VK_RIGHT},   {SDLK_UP, VK_UP},           {SDLK_DOWN, VK_DOWN},
    {SDLK_SPACE, VK_SPACE},   {SDLK_LSHIFT, VK_SHIFT},    {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL}, {SDLK_RCTRL, VK_CONTROL},   {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},     {SDLK_KP_0, '0'},
};

} // namespace

int VirtualKeyOfSdl(int sdlKeycode) {
    if (sdlKeycode >= SDLK_a && sdlKeycode <= SDLK_z)
        return 'A' + (sdlKeycode - SDLK_a);
    if (sdlKeycode >= SDLK_0 && sdlKeycode <= SDLK_9)
        return sdlKeycode;
    // SDL numbers the keypad's 1 to 9 in a row, with 0 after them.
    if (sdlKeycode >= SDLK_KP_1 && sdlKeycode <= SDLK_KP_9)
        return '1' + (sdlKeycode - SDLK_KP_1);
    if (sdlKeycode >= SDLK_F1 && sdlKeycode <= SDLK_F12)
        return VK_F1 + (sdlKeycode - SDLK_F1);
    if (sdlKeycode >= SDLK_F13 && sdlKeycode <= SDLK_F24)
        return VK_F1 + 12 + (sdlKeycode - SDLK_F13);
    for (const KeyPair& pair : kKeys)
        if (pair.sdl == sdlKeycode)
            return pair.virtualKey;
    return 0;
}
