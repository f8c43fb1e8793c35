#include "platform/ui/sdl2/SdlLibrary.h"

#include <dlfcn.h>
#include <mutex>

SdlFunctions sdl;

namespace {

constexpr const char kLibraryName[] = "libSDL2-2.0.so.0";

// The library's functions into sdl; the name of the first one missing.
std::string Resolve(void* library) {
#define KIV_SDL_RESOLVE(name)                                                                      \
    sdl.name = reinterpret_cast<decltype(sdl.name)>(dlsym(library, #name));                        \
    if (!sdl.name)                                                                                 \
        return #name;
    KIV_SDL_FUNCTIONS(KIV_SDL_RESOLVE)
#undef KIV_SDL_RESOLVE
    return std::string();
}

} // namespace

bool SdlLibrary::Load(std::string* error) {
    static std::once_flag once;
    static std::string failure;
    std::call_once(once, [] {
        void* library = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            const char* why = dlerror();
            failure = std::string("cannot load ") + kLibraryName + ": " + (why ? why : "not found");
            return;
        }
        const std::string missing = Resolve(library);
        if (!missing.empty())
            failure = std::string(kLibraryName) + " has no " + missing;
    });
    *error = failure;
    return failure.empty();
}
