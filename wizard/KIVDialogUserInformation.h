// KIVDialogUserInformation: the page of the user's name and company. The
// description says which of the two fields are offered; both are read back
// on Next and Back, shown or not, without any check.
#pragma once

#include "wizard/KIVDialogConfirmCancel.h"

class KIVDialogUserInformation : public KIVDialogConfirmCancel {
public:
    static constexpr LONG kTemplate = 12;
    static constexpr LONG kUserName = 1000;
    static constexpr LONG kCompany = 1001;
    static constexpr LONG kExplanation = 1003;
    static constexpr LONG kCompanyLabel = 1005;
    static constexpr LONG kUserNameLabel = 1006;
    static constexpr int kTextBothFields = 129;

    explicit KIVDialogUserInformation(CWnd* parent) : KIVDialogConfirmCancel(parent, kTemplate) {}

    void OnInitControls() override;
    void OnNext() override;
    bool TakeResponse(const SetupResponse& response, KIVString* refusal) override;
    void OnBack() override;
    // The first field the page shows.
    LONG StartFocus() const override;

private:
    void ReadFields();
};
