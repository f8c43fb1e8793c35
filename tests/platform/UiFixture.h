// A fresh machine and a fresh headless display for each window test, with
// helpers that fetch messages without ever waiting for long.
#pragma once

#include "TestMachine.h"
#include "platform/Windows.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/headless/HeadlessBackend.h"

#include <chrono>
#include <thread>
#include <vector>

// Every message the recording class's windows got, in order.
struct Received {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Received>& ReceivedMessages();
// Registers the recording class (once): it records every message and
// leaves it to DefWindowProcW.
void RegisterRecorder();
// The recorded messages of one kind, in order.
std::vector<Received> ReceivedOf(UINT message);

class UiTest : public ::testing::Test {
protected:
    explicit UiTest(const MachineSettings& settings = MachineSettings()) : machine(settings) {
        auto backend = std::make_unique<HeadlessBackend>();
        display = backend.get();
        SetDisplayBackend(std::move(backend));
        RegisterRecorder();
        ReceivedMessages().clear();
    }

    ~UiTest() override {
        for (HWND hwnd : windows)
            if (IsWindow(hwnd))
                DestroyWindow(hwnd);
        ReleaseCapture();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message == WM_PAINT)
                ValidateRect(msg.hwnd, nullptr);
    }

    // A window of the recording class at a screen rectangle.
    HWND Make(int x, int y, int width, int height, DWORD style = WS_POPUP, HWND parent = nullptr) {
        HWND hwnd = CreateWindowExW(0, u"KivRecorder", u"", style, x, y, width, height, parent,
                                    nullptr, nullptr, nullptr);
        windows.push_back(hwnd);
        return hwnd;
    }

    // Fetches with PeekMessage for at most a second; false when nothing came.
    static bool Next(MSG* msg, UINT first = 0, UINT last = 0) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (std::chrono::steady_clock::now() < deadline) {
            if (PeekMessageW(msg, nullptr, first, last, PM_REMOVE))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    TestMachine machine;
    HeadlessBackend* display = nullptr;
    std::vector<HWND> windows;
};
