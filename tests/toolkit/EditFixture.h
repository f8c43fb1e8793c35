// Dialog 300 of tests/data/dialogs/edit.txt on the headless display: fields
// 301 "hello", 302 "second", 303 read-only "fixed" and 304 "offset" with a
// text offset of 4. Input is injected as device keys and mouse events and
// runs through the application's own message handling.
#pragma once

#include "DialogFixture.h"
#include "platform/ui/DeviceInput.h"
#include "toolkit/controls/KIVEditCtrl.h"

#include <string>
#include <utility>
#include <vector>

namespace edit_test {

using namespace dialog_test;

class FieldDialog : public KIVDialog {
public:
    FieldDialog() : KIVDialog(nullptr, 300) {}
    void OnControlEvent(int kind, int id, int) override { events.emplace_back(kind, id); }
    std::vector<std::pair<int, int>> events; // kind, identifier
};

class EditTest : public DialogTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
        ::SetFocus(dialog);
        Run();
    }
    void TearDown() override { dialog.DestroyWindow(); }

    KIVEditCtrl& Field(LONG id) { return *static_cast<KIVEditCtrl*>(dialog.GetControl(id)); }
    // Focuses a field and forgets what that reported.
    KIVEditCtrl& Focus(LONG id) {
        dialog.SetFocusControl(id);
        Run();
        dialog.events.clear();
        return Field(id);
    }
    // The application's message handling: navigation keys and characters
    // are sent straight to their window, the rest translated.
    void Run() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (app->PreTranslateMessage(&msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    void Press(int key, int modifier = 0) {
        if (modifier)
            DeviceInput::Key(modifier, true);
        DeviceInput::Key(key, true);
        DeviceInput::Key(key, false);
        if (modifier)
            DeviceInput::Key(modifier, false);
        Run();
    }
    void Type(const std::u16string& text) {
        DeviceInput::Text(text);
        Run();
    }
    void PutClipboard(const std::u16string& text) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
        auto* units = static_cast<char16_t*>(GlobalLock(block));
        std::copy(text.c_str(), text.c_str() + text.size() + 1, units);
        GlobalUnlock(block);
        SetClipboardData(CF_UNICODETEXT, block);
        CloseClipboard();
    }
    std::u16string Clipboard() {
        std::u16string text;
        if (!OpenClipboard(nullptr))
            return text;
        if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const char16_t*>(GlobalLock(block));
            GlobalUnlock(block);
        }
        CloseClipboard();
        return text;
    }
    int Changes(LONG id) const {
        int count = 0;
        for (const auto& [kind, from] : dialog.events)
            count += kind == KIVControl::kEventChanged && from == id;
        return count;
    }
    POINT Screen(int x, int y) const {
        POINT at{x, y};
        ClientToScreen(dialog, &at);
        return at;
    }
    void Click(int x, int y) {
        DeviceInput::MouseButton(VK_LBUTTON, true, Screen(x, y));
        DeviceInput::MouseButton(VK_LBUTTON, false, Screen(x, y));
        Run();
    }

    FieldDialog dialog;
};

} // namespace edit_test
