// KIVDialogInstall: the introduction page. Its texts and pictures come from
// its layout, its greeting naming the product through the setup variables;
// its buttons are the base's.
#pragma once

#include "wizard/KIVDialogConfirmCancel.h"

class KIVDialogInstall : public KIVDialogConfirmCancel {
public:
    static constexpr LONG kTemplate = 10;
    static constexpr LONG kGreeting = 1001;
    explicit KIVDialogInstall(CWnd* parent) : KIVDialogConfirmCancel(parent, kTemplate) {}

    void OnInitControls() override;
};
