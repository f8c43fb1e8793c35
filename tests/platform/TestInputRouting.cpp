#include "UiFixture.h"
#include "platform/ui/DeviceInput.h"

namespace {

class InputRouting : public UiTest {
protected:
    // Fetches and dispatches whatever waits, activation on click included.
    void Drain() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
};

TEST_F(InputRouting, CaptureTakesTheMouseWhereverItIs) {
    HWND left = Make(0, 0, 100, 100);
    HWND right = Make(100, 0, 100, 100);
    ShowWindow(left, SW_SHOWNA);
    ShowWindow(right, SW_SHOWNA);
    SetCapture(left);
    DeviceInput::MouseMove(POINT{150, 20});
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, left);
    EXPECT_EQ(GET_X_LPARAM(msg.lParam), 150);
    SetCapture(right);
    Drain();
    ASSERT_EQ(ReceivedOf(WM_CAPTURECHANGED).size(), 1u);
    EXPECT_EQ(ReceivedOf(WM_CAPTURECHANGED)[0].hwnd, left);
    ReleaseCapture();
    DeviceInput::MouseMove(POINT{20, 30});
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, left);
    EXPECT_EQ(GET_Y_LPARAM(msg.lParam), 30);
}

TEST_F(InputRouting, DisabledWindowsGetNoMouseInput) {
    HWND top = Make(0, 0, 100, 100);
    HWND child = Make(10, 10, 20, 20, WS_CHILD | WS_VISIBLE, top);
    ShowWindow(top, SW_SHOWNA);
    EnableWindow(child, FALSE);
    DeviceInput::MouseButton(VK_LBUTTON, true, POINT{15, 15});
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, top); // the nearest enabled parent, in its own coordinates
    EXPECT_EQ(GET_X_LPARAM(msg.lParam), 15);
    DeviceInput::MouseButton(VK_LBUTTON, false, POINT{15, 15});
    Drain();
    EnableWindow(top, FALSE);
    DeviceInput::MouseButton(VK_LBUTTON, true, POINT{50, 50});
    DeviceInput::MouseMove(POINT{60, 60});
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_MOUSEMOVE, WM_MBUTTONUP, PM_REMOVE));
    DeviceInput::MouseButton(VK_LBUTTON, false, POINT{60, 60});
    EnableWindow(child, TRUE);
    EnableWindow(top, TRUE);
    DeviceInput::MouseMove(POINT{15, 15});
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, child);
    EXPECT_EQ(GET_X_LPARAM(msg.lParam), 5);
}

TEST_F(InputRouting, DisablingTheFocusWindowTakesTheFocusAway) {
    HWND top = Make(0, 0, 50, 50, WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(GetFocus(), top);
    EnableWindow(top, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
    DeviceInput::Key('X', true);
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    DeviceInput::Key('X', false);
    HWND other = Make(60, 0, 50, 50, WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(SetActiveWindow(top), nullptr); // a disabled window cannot become active
    EXPECT_EQ(GetActiveWindow(), other);
}

TEST_F(InputRouting, AClickActivatesAndRaisesTheWindowUnderIt) {
    HWND back = Make(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    HWND front = Make(50, 50, 100, 100, WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(GetActiveWindow(), front);
    EXPECT_EQ(WindowFromPoint(POINT{75, 75}), front);
    ReceivedMessages().clear();
    DeviceInput::MouseButton(VK_LBUTTON, true, POINT{10, 10});
    EXPECT_EQ(GetActiveWindow(), front); // activation waits for the fetch
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
    EXPECT_EQ(GetActiveWindow(), back);
    EXPECT_EQ(WindowFromPoint(POINT{75, 75}), back);
    EXPECT_EQ(GetFocus(), back);
    std::vector<Received> activations = ReceivedOf(WM_ACTIVATE);
    ASSERT_EQ(activations.size(), 2u);
    EXPECT_EQ(activations[0].hwnd, front);
    EXPECT_EQ(LOWORD(activations[0].wParam), WA_INACTIVE);
    EXPECT_EQ(activations[1].hwnd, back);
    EXPECT_EQ(LOWORD(activations[1].wParam), WA_CLICKACTIVE);
    DeviceInput::MouseButton(VK_LBUTTON, false, POINT{10, 10});
}

TEST_F(InputRouting, OwnedWindowsStayAboveAndHidingPassesActivationToTheOwner) {
    HWND owner = Make(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    HWND owned = Make(20, 20, 40, 40, WS_POPUP | WS_VISIBLE, owner);
    HWND other = Make(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(WindowFromPoint(POINT{30, 30}), other);
    SetActiveWindow(owner);
    EXPECT_EQ(WindowFromPoint(POINT{30, 30}), owned);
    EXPECT_EQ(WindowFromPoint(POINT{10, 10}), owner);
    SetActiveWindow(owned);
    ShowWindow(owned, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), owner);
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(owned));
    EXPECT_EQ(GetActiveWindow(), other);
}

TEST_F(InputRouting, WheelAndTextGoToTheFocus) {
    HWND top = Make(0, 0, 50, 50, WS_POPUP | WS_VISIBLE);
    DeviceInput::Text(u"\u65E5x");
    DeviceInput::MouseWheel(-WHEEL_DELTA, POINT{300, 200});
    MSG msg;
    ASSERT_TRUE(Next(&msg));
    EXPECT_EQ(msg.message, UINT(WM_CHAR));
    EXPECT_EQ(msg.wParam, WPARAM(0x65E5));
    ASSERT_TRUE(Next(&msg));
    EXPECT_EQ(msg.wParam, WPARAM('x'));
    ASSERT_TRUE(Next(&msg));
    EXPECT_EQ(msg.message, UINT(WM_MOUSEWHEEL));
    EXPECT_EQ(msg.hwnd, top);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(msg.wParam), -WHEEL_DELTA);
    EXPECT_EQ(GET_X_LPARAM(msg.lParam), 300);
}

} // namespace
