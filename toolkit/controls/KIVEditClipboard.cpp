// An edit field's clipboard: text goes through the desktop's clipboard as
// CF_UNICODETEXT blocks of global memory.
#include "toolkit/controls/KIVEditCtrl.h"

#include "platform/WinBase.h"
#include "toolkit/KIVDialog.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

HWND Owner(const KIVControl& control) {
    return control.GetDialog() ? control.GetDialog()->GetSafeHwnd() : nullptr;
}

// Puts count characters of text on the clipboard; false when the clipboard
// is held elsewhere or the memory could not be had.
bool PutClipboardText(HWND owner, const char16_t* text, int count) {
    if (!::OpenClipboard(owner))
        return false;
    const SIZE_T bytes = (static_cast<SIZE_T>(count) + 1) * sizeof(char16_t);
    HGLOBAL block = ::EmptyClipboard() ? ::GlobalAlloc(GMEM_MOVEABLE, bytes) : nullptr;
    auto* units = block ? static_cast<char16_t*>(::GlobalLock(block)) : nullptr;
    if (units) {
        std::memcpy(units, text, bytes - sizeof(char16_t));
        units[count] = u'\0';
        ::GlobalUnlock(block);
    }
    const bool put = units && ::SetClipboardData(CF_UNICODETEXT, block);
    if (block && !put)
        ::GlobalFree(block);
    ::CloseClipboard();
    return put;
}

// The clipboard's text up to its first zero, never past the end of its
// block; false when it holds none.
bool GetClipboardText(HWND owner, KIVString* text) {
    if (!::OpenClipboard(owner))
        return false;
    HANDLE block = ::GetClipboardData(CF_UNICODETEXT);
    const auto* units = block ? static_cast<const char16_t*>(::GlobalLock(block)) : nullptr;
    if (units) {
        const SIZE_T limit = ::GlobalSize(block) / sizeof(char16_t);
        const SIZE_T count = std::find(units, units + limit, u'\0') - units;
        *text = std::u16string(units, count).c_str();
        ::GlobalUnlock(block);
    }
    ::CloseClipboard();
    return units != nullptr;
}

} // namespace

void KIVEditCtrl::Copy() {
    if (IsReadOnly() || !model_.HasSelection())
        return;
    const int start = model_.SelectionStart();
    const int count = std::min(model_.SelectionLength(), model_.Length() - start);
    PutClipboardText(Owner(*this), static_cast<const char16_t*>(model_.Text()) + start, count);
}

// The selection is deleted only once the clipboard holds it, so that a
// clipboard held by another program never loses the user's text.
void KIVEditCtrl::Cut() {
    if (IsReadOnly() || !model_.HasSelection())
        return;
    const int start = model_.SelectionStart();
    const int count = std::min(model_.SelectionLength(), model_.Length() - start);
    if (!PutClipboardText(Owner(*this), static_cast<const char16_t*>(model_.Text()) + start, count))
        return;
    model_.DeleteSelected();
    Changed();
}

void KIVEditCtrl::Paste() {
    KIVString text;
    if (IsReadOnly() || !GetClipboardText(Owner(*this), &text))
        return;
    if (text.IsEmpty()) {
        ::MessageBeep(0);
        return;
    }
    model_.Paste(text);
    Changed();
}
