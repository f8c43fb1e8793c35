#include "wizard/KIVDialogLanguage.h"

#include "setup/SetupLanguage.h"
#include "setup/SetupTexts.h"
#include "toolkit/KIVUtf8.h"
#include "toolkit/controls/KIVListBoxCtrl.h"

namespace {

struct LanguageLine {
    std::int32_t code;
    int picture;
    int text;
};

// In the order the lines are listed.
constexpr LanguageLine kLines[4] = {
    {kLanguageEnglish, 201, 106},
    {kLanguageFrench, 202, 107},
    {kLanguageGerman, 204, 109},
    {kLanguageJapanese, 203, 108},
};

} // namespace

KIVDialogLanguage::KIVDialogLanguage(CWnd* parent) : KIVDialogConfirmCancel(parent, kTemplate) {}

KIVDialogLanguage::~KIVDialogLanguage() = default;

KIVListBoxCtrl* KIVDialogLanguage::List() const {
    return dynamic_cast<KIVListBoxCtrl*>(GetControl(kList));
}

void KIVDialogLanguage::OnInitControls() {
    KIVDialogConfirmCancel::OnInitControls();
    KIVInstallApp& app = App();
    SetControlText(kHeading,
                   FormatTextArguments(app.GetText(kTextHeading),
                                       {KIVString(app.state.description.applicationName)}));
    KIVListBoxCtrl* list = List();
    if (!list)
        return;
    for (int i = 0; i < 4; ++i)
        lines_[i] = std::make_unique<KIVListBoxLineFlag>(list, kLines[i].picture,
                                                         app.GetText(kLines[i].text));
    list->SetFont(kListFont);
    list->SetLineHeight(lines_[0]->GetHeight());
    const std::int32_t available = app.state.description.availableLanguages;
    int shown = 0;
    for (int i = 0; i < 4; ++i) {
        if (!(available & kLines[i].code))
            continue;
        list->AddLine(lines_[i].get());
        if (kLines[i].code == app.state.currentLanguage)
            list->Select(shown);
        shownCodes_[shown++] = kLines[i].code;
    }
}

void KIVDialogLanguage::OnNext() {
    const KIVListBoxCtrl* list = List();
    int selected = -1;
    if (list && !list->GetSelection().empty())
        selected = list->GetSelection().front();
    App().state.currentLanguage = selected >= 0 && selected < 4 && shownCodes_[selected]
                                      ? shownCodes_[selected]
                                      : kLanguageEnglish;
    EndDialog(kNext);
}

// The response's language, selected when the page lists it.
bool KIVDialogLanguage::TakeResponse(const SetupResponse& response, KIVString* refusal) {
    KIVListBoxCtrl* list = List();
    if (!response.language || !list)
        return true;
    const KIVString name = KIVWideFromUtf8(*response.language);
    for (int shown = 0; shown < 4 && shownCodes_[shown]; ++shown)
        if (name.CompareNoCase(LanguageName(shownCodes_[shown])) == 0) {
            list->Select(shown);
            return true;
        }
    *refusal = u"the language \"" + name + u"\" is not offered";
    return false;
}

void KIVDialogLanguage::OnControlNotify(int kind, int id, int value, bool flag) {
    if (kind == KIVListBoxCtrl::kNotifySelection && id == kList)
        return;
    KIVDialogConfirmCancel::OnControlNotify(kind, id, value, flag);
}
