// Fuzz target: a dialog made from any dialog file. The input is item 0 of
// a dialog file on a scratch machine with the headless display; the dialog
// is created from it (its layout and every control record of any type and
// size), painted, given keys and clicks at points the input chooses, and
// destroyed. Nothing may crash, hang or grow without bound.
#include "platform/Machine.h"
#include "platform/ui/DeviceInput.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "toolkit/KIVDialog.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

std::string& Root() {
    static std::string root;
    return root;
}

void SetUpMachine() {
    static const bool ready = [] {
        char pattern[] = "/tmp/kiv-fuzz-dialog-XXXXXX";
        const std::string made = mkdtemp(pattern) ? pattern : "/tmp/kiv-fuzz-dialog";
        std::string error;
        if (!Machine::Create(made, MachineSettings(), &error) || !Machine::Use(made))
            std::abort();
        SetDisplayBackend(std::make_unique<HeadlessBackend>());
        Root() = made;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(Root(), ignored);
        });
        return true;
    }();
    (void)ready;
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Keys and clicks from the input's last bytes, so that mutations reach them.
void PlayInput(HWND hwnd, const std::uint8_t* data, std::size_t size) {
    static const int keys[] = {VK_TAB, VK_SPACE, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT,
                               VK_HOME, VK_END,  VK_PRIOR, VK_NEXT, VK_BACK, VK_DELETE};
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    for (std::size_t i = size > 8 ? size - 8 : 0; i + 1 < size; i += 2) {
        const POINT at{rect.left + data[i] % 128 * 4, rect.top + data[i + 1] % 128 * 4};
        DeviceInput::MouseButton(VK_LBUTTON, true, at);
        DeviceInput::MouseMove(POINT{at.x + 7, at.y + 3});
        DeviceInput::MouseButton(VK_LBUTTON, false, at);
        const int key = keys[data[i] % (sizeof keys / sizeof keys[0])];
        DeviceInput::Key(key, true);
        DeviceInput::Key(key, false);
        DeviceInput::Text(u"a");
        DeviceInput::MouseWheel(-120, at);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SetUpMachine();
    {
        std::ofstream file(Root() + "/drive_c/layout.erd", std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    KIVDialog dialog(nullptr, 0, u"C:\\layout.erd");
    if (dialog.Create(WS_POPUP | WS_VISIBLE, 0)) {
        Pump();
        PlayInput(dialog.GetSafeHwnd(), data, size);
        Pump();
        dialog.DestroyWindow();
    }
    Pump();
    return 0;
}
