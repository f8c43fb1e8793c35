// KIVColumnListBoxLineBis: a line of the custom page's component list, with
// a check box that stands for one component. A click toggles it only on the
// box; the list then tells the page (kind 1), which updates the sizes.
#pragma once

#include "setup/SetupRecords.h"
#include "toolkit/controls/KIVColumnListBoxLine.h"

class KIVColumnListBoxLineBis : public KIVColumnListBoxLine {
public:
    KIVColumnListBoxLineBis(KIVListBoxCtrl* owner, const char16_t* text, bool hasCheckBox,
                            Component* component);
    ~KIVColumnListBoxLineBis() override;

    void OnClick(int x) override;
    Component* GetComponent() const { return component_; }

private:
    Component* component_;
};
