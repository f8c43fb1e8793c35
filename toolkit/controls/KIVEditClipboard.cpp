// An edit field's clipboard: copy, cut and paste through the desktop's
// clipboard.
#include "toolkit/controls/KIVEditCtrl.h"

#include "toolkit/KIVClipboardText.h"
#include "toolkit/KIVDialog.h"

#include <algorithm>

namespace {

HWND Owner(const KIVControl& control) {
    return control.GetDialog() ? control.GetDialog()->GetSafeHwnd() : nullptr;
}

} // namespace

void KIVEditCtrl::Copy() {
    if (IsReadOnly() || !model_.HasSelection())
        return;
    const int start = model_.SelectionStart();
    const int count = std::min(model_.SelectionLength(), model_.Length() - start);
    KIVPutClipboardText(Owner(*this), static_cast<const char16_t*>(model_.Text()) + start, count);
}

// The selection is deleted only once the clipboard holds it, so that a
// clipboard held by another program never loses the user's text.
void KIVEditCtrl::Cut() {
    if (IsReadOnly() || !model_.HasSelection())
        return;
    const int start = model_.SelectionStart();
    const int count = std::min(model_.SelectionLength(), model_.Length() - start);
    if (!KIVPutClipboardText(Owner(*this), static_cast<const char16_t*>(model_.Text()) + start,
                             count))
        return;
    model_.DeleteSelected();
    Changed();
}

void KIVEditCtrl::Paste() {
    KIVString text;
    if (IsReadOnly() || !KIVGetClipboardText(Owner(*this), &text))
        return;
    if (text.IsEmpty()) {
        ::MessageBeep(0);
        return;
    }
    model_.Paste(text);
    Changed();
}
