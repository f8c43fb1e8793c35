#include "platform/ui/sdl2/X11WakeErrors.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <dlfcn.h>

namespace {

XErrorHandler previousHandler = nullptr;

int OnXError(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent)
        return 0;
    return previousHandler ? previousHandler(display, error) : 0;
}

} // namespace

void IgnoreLateWakeErrors() {
    void* x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
    if (!x11)
        return;
    using SetHandler = XErrorHandler (*)(XErrorHandler);
    if (auto set = reinterpret_cast<SetHandler>(dlsym(x11, "XSetErrorHandler")))
        previousHandler = set(OnXError);
    dlclose(x11);
}
