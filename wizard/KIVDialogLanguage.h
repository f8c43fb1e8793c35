// KIVDialogLanguage: the language page. It lists the languages the medium
// carries, each with its flag, selects the current one, and on Next makes
// the selected language the current language (English when none is
// selected); the flow switches the resources before the next page.
#pragma once

#include "wizard/KIVDialogConfirmCancel.h"
#include "wizard/KIVListBoxLineFlag.h"

#include <memory>

class KIVListBoxCtrl;

class KIVDialogLanguage : public KIVDialogConfirmCancel {
public:
    static constexpr LONG kTemplate = 17;
    static constexpr LONG kHeading = 1000;
    static constexpr LONG kList = 1002;
    static constexpr int kTextHeading = 100;
    static constexpr int kListFont = 2;

    explicit KIVDialogLanguage(CWnd* parent);
    ~KIVDialogLanguage() override;

    void OnInitControls() override;
    void OnNext() override;
    bool TakeResponse(const SetupResponse& response, KIVString* refusal) override;
    void OnControlNotify(int kind, int id, int value, bool flag) override;
    LONG StartFocus() const override { return kList; }

private:
    KIVListBoxCtrl* List() const;

    // English, French, German, Japanese, whether shown or not.
    std::unique_ptr<KIVListBoxLineFlag> lines_[4];
    std::int32_t shownCodes_[4] = {};
};
