// Which display the window system uses, and its replacement by tests.
#include "platform/ui/DisplayBackend.h"

#include "platform/Machine.h"
#include "platform/ui/UiState.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "platform/ui/sdl2/SdlBackend.h"

#include <cstdio>
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
    if (!kivDisplay || !*kivDisplay)
        return hostHasDisplay ? DisplayKind::Sdl2 : DisplayKind::Headless;
    if (std::strcmp(kivDisplay, "headless") == 0)
        return DisplayKind::Headless;
    if (std::strcmp(kivDisplay, "sdl2") == 0)
        return DisplayKind::Sdl2;
    return DisplayKind::Unknown;
}

std::unique_ptr<DisplayBackend> CreateDisplayBackend(std::string* headlessWhy) {
    const char* named = std::getenv("KIV_DISPLAY");
    DisplayKind kind = ChooseDisplayKind(named, HostHasDisplay());
    if (kind == DisplayKind::Unknown) {
        std::fprintf(stderr, "KIV_DISPLAY=%s names no display (headless or sdl2); it is ignored\n",
                     named);
        kind = ChooseDisplayKind(nullptr, HostHasDisplay());
    }
    std::string why = kind == DisplayKind::Headless && named && *named
                          ? "the display is headless (KIV_DISPLAY=headless)"
                          : "there is no display (DISPLAY and WAYLAND_DISPLAY are unset)";
    if (kind == DisplayKind::Sdl2) {
        if (auto screen = SdlBackend::Open(Machine::Current().Settings().scale, &why))
            return screen;
        if (!headlessWhy)
            std::fprintf(stderr, "%s; the windows stay headless\n", why.c_str());
    }
    if (headlessWhy)
        *headlessWhy = why;
    return std::make_unique<HeadlessBackend>();
}

// Called with the window system's lock held (every window change is).
DisplayBackend& Display() {
    if (!Current())
        Current() = CreateDisplayBackend();
    return *Current();
}

bool SaveScreenshot(const std::string& hostPath) {
    UiLock lock(Ui().lock);
    return Display().SaveScreen(hostPath);
}

// The display is made once and replaced only by tests between their runs,
// so it outlives the box it shows.
int ShowDisplayMessageBox(const std::u16string& text, const std::u16string& caption,
                          const std::vector<std::u16string>& buttons, int defaultButton) {
    DisplayBackend* display = nullptr;
    {
        UiLock lock(Ui().lock);
        display = &Display();
    }
    return display->ShowMessageBox(text, caption, buttons, defaultButton);
}

void SetDisplayBackend(std::unique_ptr<DisplayBackend> backend) {
    UiLock lock(Ui().lock);
    Current() = std::move(backend);
}
