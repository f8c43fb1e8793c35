// The mouse in a dialog: the control pressed keeps the mouse until the
// release, a quick second press is a double click, the control the mouse
// leaves is told, and the wheel reaches the control under the mouse.
#include "DialogFixture.h"
#include "platform/ui/DeviceInput.h"

#include <string>

using namespace dialog_test;

namespace {

class MouseControl : public KIVControl {
public:
    MouseControl(KIVDialog* dialog, LONG id, int left, std::string* log)
        : KIVControl(dialog, id, RECT{left, 10, left + 20, 30}, 0, 1, 0), log_(log) {}
    bool OnMouseDown(POINT, UINT) override { return Log("down"); }
    bool OnMouseUp(POINT p, UINT) override { return Log("up@" + std::to_string(p.x)); }
    bool OnMouseMove(POINT p, UINT) override { return Log("move@" + std::to_string(p.x)); }
    bool OnDoubleClick(POINT, UINT) override { return Log("double"); }
    void OnMouseLeave() override { Log("leave"); }
    bool OnMouseWheel(int delta, UINT) override { return Log("wheel" + std::to_string(delta)); }

private:
    bool Log(const std::string& what) {
        *log_ += std::to_string(GetId()) + ":" + what + " ";
        return false;
    }
    std::string* log_;
};

class MouseDialog : public KIVDialog {
public:
    MouseDialog() : KIVDialog(nullptr, -1) {}
    void OnInitControls() override {
        AddControl(std::make_unique<MouseControl>(this, 1, 10, &log));
        AddControl(std::make_unique<MouseControl>(this, 2, 40, &log));
    }
    std::string log;
};

POINT Screen(HWND hwnd, int x, int y) {
    POINT at{x, y};
    ClientToScreen(hwnd, &at);
    return at;
}

} // namespace

TEST_F(DialogTest, ThePressedControlHearsTheMovesAndTheReleaseWhereverTheyHappen) {
    MouseDialog dialog;
    ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
    DeviceInput::MouseButton(VK_LBUTTON, true, Screen(dialog, 15, 15));
    DeviceInput::MouseMove(Screen(dialog, 45, 15));
    DeviceInput::MouseMove(Screen(dialog, 90, 90));
    DeviceInput::MouseButton(VK_LBUTTON, false, Screen(dialog, 90, 90));
    Pump();
    EXPECT_EQ(dialog.log, "1:down 1:move@45 1:move@90 1:up@90 1:leave ");
    EXPECT_EQ(dialog.PressedControl(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DialogTest, ASecondQuickPressNearTheFirstIsADoubleClick) {
    MouseDialog dialog;
    ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
    for (int press = 0; press < 3; ++press) {
        DeviceInput::MouseButton(VK_LBUTTON, true, Screen(dialog, 15 + press, 15));
        DeviceInput::MouseButton(VK_LBUTTON, false, Screen(dialog, 15 + press, 15));
    }
    // Too far from the first press: two single presses.
    DeviceInput::MouseButton(VK_LBUTTON, true, Screen(dialog, 45, 15));
    DeviceInput::MouseButton(VK_LBUTTON, false, Screen(dialog, 45, 15));
    DeviceInput::MouseButton(VK_LBUTTON, true, Screen(dialog, 52, 15));
    DeviceInput::MouseButton(VK_LBUTTON, false, Screen(dialog, 52, 15));
    Pump();
    EXPECT_EQ(dialog.log, "1:down 1:up@15 1:double 1:up@16 1:down 1:up@17 1:leave "
                          "2:down 2:up@45 2:down 2:up@52 ");
}

TEST_F(DialogTest, TheControlLeftIsToldAndTheWheelReachesTheControlUnderTheMouse) {
    MouseDialog dialog;
    ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
    DeviceInput::MouseMove(Screen(dialog, 15, 15));
    DeviceInput::MouseMove(Screen(dialog, 45, 15));
    Pump();
    SetFocus(dialog);
    DeviceInput::MouseWheel(-120, Screen(dialog, 45, 15));
    Pump();
    EXPECT_EQ(dialog.log, "1:move@15 1:leave 2:move@45 2:wheel-120 ");
}
