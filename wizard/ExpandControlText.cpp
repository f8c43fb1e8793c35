#include "wizard/ExpandControlText.h"

#include "setup/SetupVariables.h"
#include "toolkit/KIVDialog.h"

#include <vector>

void ExpandControlText(KIVDialog& page, LONG id, const SetupState& state) {
    KIVControl* control = page.GetControl(id);
    if (!control)
        return;
    // Room for the whole text with a few long names in it.
    const int size = control->GetText().GetLength() + 4 * MAX_PATH;
    std::vector<char16_t> expanded(static_cast<std::size_t>(size));
    ExpandSetupVariables(state, control->GetText(), expanded.data(), size);
    control->SetText(expanded.data());
}
