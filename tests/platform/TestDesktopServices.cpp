#include "UiFixture.h"
#include "platform/ui/InputMethodState.h"
#include "platform/ui/MessageBoxLog.h"

#include <cstring>
#include <future>

namespace {

MachineSettings JapaneseScreen() {
    MachineSettings settings;
    settings.screenWidth = 800;
    settings.screenHeight = 600;
    settings.codePage = 932;
    return settings;
}

class DesktopServices : public UiTest {
protected:
    DesktopServices() : UiTest(JapaneseScreen()) {}
};

TEST_F(DesktopServices, MetricsAndWorkAreaFollowTheMachineSettings) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
    EXPECT_EQ(GetSystemMetrics(SM_DBCSENABLED), 1);
    EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), 800);
    EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), 600 - 30 - 18);
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work.right, 800);
    EXPECT_EQ(work.bottom, 570);
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETWORKAREA, 0, nullptr, 0));
}

TEST(DesktopMetrics, WesternCodePageIsNotDoubleByte) {
    TestMachine machine;
    EXPECT_EQ(GetSystemMetrics(SM_DBCSENABLED), 0);
}

HGLOBAL TextBlock(const std::u16string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(char16_t));
    GlobalUnlock(block);
    return block;
}

TEST_F(DesktopServices, ClipboardKeepsUnicodeTextForTheNextReader) {
    const std::u16string text = u"Kiv \u30BD\u30D5\u30C8";
    ASSERT_TRUE(OpenClipboard(nullptr));
    HGLOBAL refused = TextBlock(text);
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, refused), nullptr) << "not emptied yet";
    GlobalFree(refused);
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL block = TextBlock(text);
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), block);
    // Another thread cannot open it meanwhile.
    EXPECT_FALSE(std::async(std::launch::async, [] { return OpenClipboard(nullptr); }).get());
    ASSERT_TRUE(CloseClipboard());

    EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr) << "closed";
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(GlobalLock(data))), text);
    GlobalUnlock(data);
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    EmptyClipboard();
    CloseClipboard();
}

TEST_F(DesktopServices, MessageBoxesAreRecordedAndAnsweredWithTheDefaultButton) {
    MessageBoxLog::Clear();
    EXPECT_EQ(
        MessageBoxA(nullptr, "A vital file is damaged.", "Fatal", MB_OKCANCEL | MB_SETFOREGROUND),
        IDOK);
    EXPECT_EQ(MessageBoxW(nullptr, u"Restart?", nullptr, MB_YESNO | MB_DEFBUTTON2), IDNO);
    std::vector<ShownMessageBox> shown = MessageBoxLog::Shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, u"A vital file is damaged.");
    EXPECT_EQ(shown[0].caption, u"Fatal");
    EXPECT_EQ(shown[0].type, MB_OKCANCEL | MB_SETFOREGROUND);
    EXPECT_EQ(shown[1].caption, u"Error");
}

TEST_F(DesktopServices, CursorsAndTheCompositionWindowReachTheDisplay) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)), arrow);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(100)), nullptr);
    SetCursor(LoadCursorA(nullptr, IDC_IBEAM));
    EXPECT_EQ(display->Cursor(), 32513);
    EXPECT_EQ(SetCursor(arrow), LoadCursorA(nullptr, IDC_IBEAM));

    HWND hwnd = Make(100, 50, 200, 100, WS_POPUP | WS_VISIBLE);
    HIMC context = ImmGetContext(hwnd);
    ASSERT_NE(context, nullptr);
    COMPOSITIONFORM form{CFS_FORCE_POSITION, POINT{13, 22}, RECT{}};
    ASSERT_TRUE(ImmSetCompositionWindow(context, &form));
    LOGFONTA font{};
    font.lfHeight = 15;
    ASSERT_TRUE(ImmSetCompositionFontA(context, &font));
    ImmReleaseContext(hwnd, context);
    EXPECT_EQ(display->CompositionPoint().x, 113);
    EXPECT_EQ(display->CompositionPoint().y, 72);
    COMPOSITIONFORM kept{};
    LOGFONTA keptFont{};
    ASSERT_TRUE(GetCompositionRequest(hwnd, &kept, &keptFont));
    EXPECT_EQ(kept.dwStyle, CFS_FORCE_POSITION);
    EXPECT_EQ(keptFont.lfHeight, 15);
}

TEST_F(DesktopServices, WindowTextsAndLongValues) {
    HWND hwnd = Make(0, 0, 10, 10);
    ASSERT_TRUE(SetWindowTextW(hwnd, u"\u30BB\u30C3\u30C8"));
    char narrow[8];
    EXPECT_EQ(GetWindowTextA(hwnd, narrow, 6), 4); // two whole double-byte characters fit
    EXPECT_EQ(std::strlen(narrow), 4u);
    char16_t wide[3];
    EXPECT_EQ(GetWindowTextW(hwnd, wide, 3), 2);
    EXPECT_EQ(SetWindowLongPtrW(hwnd, GWLP_USERDATA, 42), 0);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_USERDATA), 42);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_POPUP, LONG_PTR(WS_POPUP));
    EXPECT_EQ(GetWindowLongPtrA(hwnd, 1234), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_INDEX));
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_EQ(Make(0, 0, 1, 1, WS_CHILD), nullptr);
}

TEST(DisplayChoice, EnvironmentDecidesAndADisplayServerPrefersTheScreen) {
    EXPECT_EQ(ChooseDisplayKind("headless", true), DisplayKind::Headless);
    EXPECT_EQ(ChooseDisplayKind("sdl2", false), DisplayKind::Sdl2);
    EXPECT_EQ(ChooseDisplayKind(nullptr, true), DisplayKind::Sdl2);
    EXPECT_EQ(ChooseDisplayKind(nullptr, false), DisplayKind::Headless);
    EXPECT_EQ(ChooseDisplayKind("", false), DisplayKind::Headless);
    EXPECT_EQ(ChooseDisplayKind("bogus", true), DisplayKind::Unknown);
    EXPECT_EQ(ChooseDisplayKind("Headless", false), DisplayKind::Unknown);
}

} // namespace
