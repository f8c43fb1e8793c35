#include "toolkit/KIVControlLookup.h"

#include "platform/ui/script/ControlLookup.h"
#include "toolkit/KIVDialog.h"

#include <mutex>

namespace {

bool FindInDialog(HWND top, int id, ScriptControl* found) {
    auto* dialog = dynamic_cast<KIVDialog*>(CWnd::FromHandlePermanent(top));
    const KIVControl* control = dialog ? dialog->GetControl(id) : nullptr;
    if (!control || !control->IsVisible())
        return false;
    const RECT& rect = control->GetRect();
    POINT topLeft{rect.left, rect.top};
    ::ClientToScreen(top, &topLeft);
    found->screen = RECT{topLeft.x, topLeft.y, topLeft.x + rect.right - rect.left,
                         topLeft.y + rect.bottom - rect.top};
    found->text = static_cast<const char16_t*>(control->GetText());
    return true;
}

} // namespace

void KIVRegisterControlLookup() {
    static std::once_flag registered;
    std::call_once(registered, [] { SetControlLookup(&FindInDialog); });
}
