// Dialogs for the button and label tests: they log the notifications their
// controls send ("N<kind>:<id>" for the first entry, "E<kind>:<id>" for the
// second) and are driven with the headless display's injected input.
#pragma once

#include "DialogFixture.h"
#include "platform/ui/DeviceInput.h"

#include <string>

namespace dialog_test {

class LogDialog : public KIVDialog {
public:
    explicit LogDialog(LONG id) : KIVDialog(nullptr, id) {}
    void OnControlNotify(int kind, int id, int value, bool flag) override {
        log += "N" + std::to_string(kind) + ":" + std::to_string(id) + " ";
        KIVDialog::OnControlNotify(kind, id, value, flag);
    }
    void OnControlEvent(int kind, int id, int) override {
        log += "E" + std::to_string(kind) + ":" + std::to_string(id) + " ";
    }
    template <class T> T* Get(LONG id) const { return dynamic_cast<T*>(GetControl(id)); }
    std::string log;
};

inline POINT ScreenPoint(HWND hwnd, int x, int y) {
    POINT at{x, y};
    ClientToScreen(hwnd, &at);
    return at;
}

// A press and a release at one point of the client area.
inline void ClickAt(HWND hwnd, int x, int y) {
    DeviceInput::MouseMove(ScreenPoint(hwnd, x, y));
    DeviceInput::MouseButton(VK_LBUTTON, true, ScreenPoint(hwnd, x, y));
    DeviceInput::MouseButton(VK_LBUTTON, false, ScreenPoint(hwnd, x, y));
}

inline void KeyStroke(int key) {
    DeviceInput::Key(key, true);
    DeviceInput::Key(key, false);
}

// The darkest channel value of the dialog's pixels in a rectangle.
inline int DarkestChannel(const KIVDialog& dialog, const RECT& rect) {
    int darkest = 255;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            const DWORD pixel = dialog.PixelAt(x, y);
            for (int shift = 0; shift < 24; shift += 8)
                darkest = std::min<int>(darkest, (pixel >> shift) & 0xFF);
        }
    return darkest;
}

} // namespace dialog_test
