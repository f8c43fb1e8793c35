#include "TestMachine.h"
#include "toolkit/KIVSystem.h"

namespace {

LRESULT Plain(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND PlainWindow() {
    static const ATOM atom = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Plain;
        windowClass.lpszClassName = u"KivPlain";
        return RegisterClassW(&windowClass);
    }();
    (void)atom;
    return CreateWindowExW(0, u"KivPlain", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                           nullptr);
}

TEST(KIVSystemWindows, OlderFamilySetsTheTitleThroughTheAnsiCodePage) {
    MachineSettings settings;
    settings.family = PlatformFamily::Win9x;
    TestMachine machine(settings);
    KIVResetPlatformFamily();
    HWND hwnd = PlainWindow();
    ASSERT_TRUE(KIVSetWindowText(hwnd, u"Caf\u00E9 \u65E5"));
    char16_t title[16];
    GetWindowTextW(hwnd, title, 16);
    EXPECT_EQ(std::u16string(title), u"Caf\u00E9 ?"); // 1252 has no U+65E5
    DestroyWindow(hwnd);
    KIVResetPlatformFamily();
}

TEST(KIVSystemWindows, NtFamilyKeepsTheWideTitle) {
    TestMachine machine;
    KIVResetPlatformFamily();
    HWND hwnd = PlainWindow();
    ASSERT_TRUE(KIVSetWindowText(hwnd, u"\u65E5\u672C"));
    char16_t title[16];
    GetWindowTextW(hwnd, title, 16);
    EXPECT_EQ(std::u16string(title), u"\u65E5\u672C");
    DestroyWindow(hwnd);
}

TEST(KIVSystemWindows, OnlySystemCursorIdentifiersLoad) {
    TestMachine machine;
    for (int id : {32512, 32516, 32640, 32646, 32648})
        EXPECT_NE(KIVLoadSystemCursor(nullptr, id), nullptr) << id;
    for (int id : {32511, 32517, 32647, 32649, 1})
        EXPECT_EQ(KIVLoadSystemCursor(nullptr, id), nullptr) << id;
}

} // namespace
