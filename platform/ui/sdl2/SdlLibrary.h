// SDL2, loaded when a window first needs the screen display rather than when
// the program starts: the library brings some fifty others (sound, X11,
// Wayland), whose loading every run of kivtool, the setup and the tests
// would otherwise pay for, with a window or without. A machine without the
// library runs headless.
//
// The display code calls the library's functions through sdl
// (sdl.SDL_Init(...)), which Load fills in once.
#pragma once

#include <SDL2/SDL.h>

#include <string>

#define KIV_SDL_FUNCTIONS(F)                                                                       \
    F(SDL_SetHint)                                                                                 \
    F(SDL_UpdateTexture)                                                                           \
    F(SDL_ShowCursor)                                                                              \
    F(SDL_PushEvent)                                                                               \
    F(SDL_GetWindowID)                                                                             \
    F(SDL_DestroyTexture)                                                                          \
    F(SDL_free)                                                                                    \
    F(SDL_WaitEventTimeout)                                                                        \
    F(SDL_StartTextInput)                                                                          \
    F(SDL_ShowWindow)                                                                              \
    F(SDL_ShowMessageBox)                                                                          \
    F(SDL_SetWindowTitle)                                                                          \
    F(SDL_SetWindowSize)                                                                           \
    F(SDL_SetWindowPosition)                                                                       \
    F(SDL_SetWindowInputFocus)                                                                     \
    F(SDL_SetTextureBlendMode)                                                                     \
    F(SDL_SetTextInputRect)                                                                        \
    F(SDL_SetRenderDrawColor)                                                                      \
    F(SDL_SetCursor)                                                                               \
    F(SDL_RenderPresent)                                                                           \
    F(SDL_RenderCopy)                                                                              \
    F(SDL_RenderClear)                                                                             \
    F(SDL_RegisterEvents)                                                                          \
    F(SDL_RaiseWindow)                                                                             \
    F(SDL_Quit)                                                                                    \
    F(SDL_PollEvent)                                                                               \
    F(SDL_Init)                                                                                    \
    F(SDL_HideWindow)                                                                              \
    F(SDL_GetWindowSize)                                                                           \
    F(SDL_GetError)                                                                                \
    F(SDL_GetDisplayDPI)                                                                           \
    F(SDL_FreeCursor)                                                                              \
    F(SDL_DestroyWindow)                                                                           \
    F(SDL_DestroyRenderer)                                                                         \
    F(SDL_CreateWindow)                                                                            \
    F(SDL_CreateTexture)                                                                           \
    F(SDL_CreateSystemCursor)                                                                      \
    F(SDL_CreateRenderer)

struct SdlFunctions {
#define KIV_SDL_POINTER(name) decltype(&::name) name = nullptr;
    KIV_SDL_FUNCTIONS(KIV_SDL_POINTER)
#undef KIV_SDL_POINTER
};

extern SdlFunctions sdl;

namespace SdlLibrary {

// Loads libSDL2 and every function above, once for the process. False with
// *error naming what is missing.
bool Load(std::string* error);

} // namespace SdlLibrary
