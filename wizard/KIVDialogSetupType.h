// KIVDialogSetupType: the setup type page. Typical, Compact and Custom are
// offered as the description defines them; the installation folder is
// typed in or browsed for. Next checks the folder and the disk space, except
// for Custom, whose page comes next and checks them itself.
#pragma once

#include "wizard/KIVDialogInstallFolder.h"

class KIVDialogSetupType : public KIVDialogInstallFolder {
public:
    static constexpr LONG kTemplate = 13;
    static constexpr LONG kTypical = 1002;
    static constexpr LONG kCompact = 1000;
    static constexpr LONG kCustom = 1001;

    explicit KIVDialogSetupType(CWnd* parent) : KIVDialogInstallFolder(parent, kTemplate) {}

    void OnInitControls() override;
    void OnNext() override;
    bool TakeResponse(const SetupResponse& response, KIVString* refusal) override;
    void OnBack() override;
    void OnControlNotify(int kind, int id, int value, bool flag) override;
    // The checked setup type.
    LONG StartFocus() const override;

private:
    void ReadPage();
};

// The radio buttons of the setup types, by setup type number.
constexpr LONG kSetupTypeRadios[3] = {KIVDialogSetupType::kTypical, KIVDialogSetupType::kCompact,
                                      KIVDialogSetupType::kCustom};
// Enables the control of each setup type the description defines ("Typical",
// "Compact", "Custom", compared exactly), after disabling all three.
void EnableDefinedSetupTypes(KIVDialog& page, const SetupDescription& description);
