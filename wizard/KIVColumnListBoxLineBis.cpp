#include "wizard/KIVColumnListBoxLineBis.h"

#include "toolkit/controls/KIVListBoxCtrl.h"

KIVColumnListBoxLineBis::KIVColumnListBoxLineBis(KIVListBoxCtrl* owner, const char16_t* text,
                                                 bool hasCheckBox, Component* component)
    : KIVColumnListBoxLine(owner, text, hasCheckBox), component_(component) {}

KIVColumnListBoxLineBis::~KIVColumnListBoxLineBis() = default;

// Only a click inside the check box's span toggles the line.
void KIVColumnListBoxLineBis::OnClick(int x) {
    if (!HasCheckBox())
        return;
    SetToggled(false);
    if (!HitsCheckBox(x))
        return;
    if (GetOwner())
        GetOwner()->ClearHoverLine();
    Toggle();
}
