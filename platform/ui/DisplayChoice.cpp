// Which display the window system uses, and its replacement by tests.
#include "platform/ui/DisplayBackend.h"

#include "platform/ui/UiState.h"
#include "platform/ui/headless/HeadlessBackend.h"

#include <cstdlib>
#include <cstring>

namespace {

std::unique_ptr<DisplayBackend>& Current() {
    static auto* backend = new std::unique_ptr<DisplayBackend>;
    return *backend;
}

bool HostHasDisplay() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

} // namespace

DisplayKind ChooseDisplayKind(const char* kivDisplay, bool hostHasDisplay) {
    if (kivDisplay && std::strcmp(kivDisplay, "headless") == 0)
        return DisplayKind::Headless;
    if (kivDisplay && std::strcmp(kivDisplay, "sdl2") == 0)
        return DisplayKind::Sdl2;
    return hostHasDisplay ? DisplayKind::Sdl2 : DisplayKind::Headless;
}

std::unique_ptr<DisplayBackend> CreateDisplayBackend() {
    switch (ChooseDisplayKind(std::getenv("KIV_DISPLAY"), HostHasDisplay())) {
    case DisplayKind::Sdl2:
        // FIXME: the screen display is not part of this build yet; its
        // choice falls back to the headless display until it is.
        [[fallthrough]];
    case DisplayKind::Headless:
        break;
    }
    return std::make_unique<HeadlessBackend>();
}

// Called with the window system's lock held (every window change is).
DisplayBackend& Display() {
    if (!Current())
        Current() = CreateDisplayBackend();
    return *Current();
}

void SetDisplayBackend(std::unique_ptr<DisplayBackend> backend) {
    UiLock lock(Ui().lock);
    Current() = std::move(backend);
}
