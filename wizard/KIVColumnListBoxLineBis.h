// KIVColumnListBoxLineBis: a line of the custom page's component list, with
// a check box that stands for one component. A click on the box toggles it
// and tells the page, which updates the component's size column and the
// space needed.
#pragma once

#include "setup/SetupRecords.h"
#include "toolkit/controls/KIVColumnListBoxLine.h"

#include <functional>

class KIVColumnListBoxLineBis : public KIVColumnListBoxLine {
public:
    // Told after a toggle, with the line.
    using ToggleListener = std::function<void(KIVColumnListBoxLineBis&)>;

    KIVColumnListBoxLineBis(KIVListBoxCtrl* owner, const char16_t* text, bool hasCheckBox,
                            Component* component, ToggleListener listener);
    ~KIVColumnListBoxLineBis() override;

    void OnClick(int x) override;
    Component* GetComponent() const { return component_; }

private:
    Component* component_;
    ToggleListener listener_;
};
