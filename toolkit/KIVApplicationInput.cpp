// The application object's share of input: navigation keys and characters
// go straight to their window, the composition window is placed for the
// focused control, and accelerators become commands of the main window.
#include "toolkit/KIVApplication.h"

#include "platform/Imm.h"
#include "toolkit/KIVInputPosition.h"

namespace {

// Tab, Enter, Escape, Page Up, Page Down, the four arrows and Delete.
bool IsNavigationKey(WPARAM key) {
    switch (key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_DELETE:
        return true;
    default:
        return false;
    }
}

bool IsDown(int key) {
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

KIVString KeyName(LONG key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return KIVString(std::u16string(1, static_cast<char16_t>(key)).c_str());
    if (key >= VK_F1 && key < VK_F1 + 24)
        return KIVString(u"F") + KIVString(std::to_string(key - VK_F1 + 1).c_str());
    return KIVString(("#" + std::to_string(key)).c_str());
}

} // namespace

BOOL KIVApplication::PreTranslateMessage(MSG* message) {
    if ((message->message == WM_KEYDOWN && IsNavigationKey(message->wParam)) ||
        message->message == WM_CHAR) {
        SendMessageA(message->hwnd, message->message, message->wParam, message->lParam);
        return TRUE;
    }
    if (message->message == WM_IME_STARTCOMPOSITION)
        PlaceComposition(*message);
    return CWinApp::PreTranslateMessage(message);
}

// The composition font is the control's line height + 3 high; the window is
// forced 3 pixels right of and 2 below the control's input position.
bool KIVApplication::PlaceComposition(const MSG& message) const {
    const auto* window =
        dynamic_cast<const KIVInputPosition*>(CWnd::FromHandlePermanent(message.hwnd));
    POINT at{};
    int lineHeight = 0;
    if (!window || !window->GetInputPosition(&at, &lineHeight))
        return false;
    HIMC context = ImmGetContext(message.hwnd);
    if (!context)
        return false;
    LOGFONTA font{};
    font.lfHeight = lineHeight + 3;
    ImmSetCompositionFontA(context, &font);
    COMPOSITIONFORM form{};
    form.dwStyle = CFS_FORCE_POSITION;
    form.ptCurrentPos = {at.x + 3, at.y + 2};
    ImmSetCompositionWindow(context, &form);
    ImmReleaseContext(message.hwnd, context);
    return true;
}

bool KIVApplication::HandleAccelerator(int keyCode) {
    const KIVAccelerator* entry =
        accelerators_.Find(keyCode, IsDown(VK_SHIFT), IsDown(VK_CONTROL), IsDown(VK_MENU));
    if (!entry)
        return false;
    KIVCommandState state;
    state.command = entry->command;
    if (auto* handlers = dynamic_cast<KIVMessageMapHelper*>(m_pMainWnd))
        handlers->UpdateCommand(&state);
    if (state.enabled && m_pMainWnd && m_pMainWnd->GetSafeHwnd())
        SendMessageA(m_pMainWnd->GetSafeHwnd(), WM_COMMAND, static_cast<WPARAM>(entry->command),
                     0);
    return true;
}

bool KIVApplication::GetAcceleratorText(int command, KIVString* text, int* value) const {
    const KIVAccelerator* entry = accelerators_.FindCommand(command);
    if (!entry)
        return false;
    KIVString shown;
    if (entry->modifiers & KIVAcceleratorTable::kControl)
        shown = shown + u"Ctrl+";
    if (entry->modifiers & KIVAcceleratorTable::kShift)
        shown = shown + u"Shift+";
    if (entry->modifiers & KIVAcceleratorTable::kAlt)
        shown = shown + u"Alt+";
    *text = shown + KeyName(entry->key);
    *value = entry->value;
    return true;
}

bool KIVApplication::DispatchPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}
