#include "wizard/KIVColumnListBoxLineBis.h"

#include "toolkit/controls/KIVListBoxCtrl.h"

KIVColumnListBoxLineBis::KIVColumnListBoxLineBis(KIVListBoxCtrl* owner, const char16_t* text,
                                                 bool hasCheckBox, Component* component,
                                                 ToggleListener listener)
    : KIVColumnListBoxLine(owner, text, hasCheckBox), component_(component),
      listener_(std::move(listener)) {}

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
    if (listener_)
        listener_(*this);
}
