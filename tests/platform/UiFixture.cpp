#include "UiFixture.h"

std::vector<Received>& ReceivedMessages() {
    static std::vector<Received> received;
    return received;
}

namespace {
LRESULT RecorderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ReceivedMessages().push_back(Received{hwnd, message, wParam, lParam});
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
} // namespace

void RegisterRecorder() {
    static const ATOM atom = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &RecorderProc;
        windowClass.lpszClassName = u"KivRecorder";
        return RegisterClassW(&windowClass);
    }();
    (void)atom;
}

std::vector<Received> ReceivedOf(UINT message) {
    std::vector<Received> found;
    for (const Received& received : ReceivedMessages())
        if (received.message == message)
            found.push_back(received);
    return found;
}
