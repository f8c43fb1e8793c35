// The pages by keyboard alone: where each page opens the focus, the licence
// accepted with Tab and the arrows or Space, Enter on the focused button or
// on Next, and Back refused on the first page the sequence shows.
#include "WizardFixture.h"
#include "platform/ui/DeviceInput.h"
#include "setup/SetupLanguage.h"
#include "toolkit/controls/KIVButtonCtrl.h"
#include "toolkit/controls/KIVColumnListBoxCtrl.h"
#include "toolkit/controls/KIVListBoxCtrl.h"
#include "wizard/KIVDialogCustomSetup.h"
#include "wizard/KIVDialogInstall.h"
#include "wizard/KIVDialogLanguage.h"
#include "wizard/KIVDialogSetupComplete.h"
#include "wizard/KIVDialogSetupType.h"
#include "wizard/KIVDialogSoftwareLicense.h"
#include "wizard/KIVDialogUserInformation.h"

#include <cstring>

using namespace wizard_test;

namespace {

using Licence = KIVDialogSoftwareLicense;
constexpr LONG kNext = KIVDialogConfirmCancel::kNextButton;
constexpr LONG kBack = KIVDialogConfirmCancel::kBackButton;

class WizardKeysTest : public WizardTest {
protected:
    // The page made active, so that the keys reach it.
    template <typename Page> std::unique_ptr<Page> Activate() {
        auto page = OpenPage<Page>();
        SetActiveWindow(*page);
        Pump();
        return page;
    }
    static void Keys(std::initializer_list<int> keys) {
        for (int key : keys) {
            DeviceInput::Key(key, true);
            DeviceInput::Key(key, false);
        }
        Pump();
    }
    static LONG Focused(const KIVDialog& page) {
        const KIVControl* control = page.FocusedControl();
        return control ? control->GetId() : 0;
    }
    static bool Checked(const KIVDialog& page, LONG id) {
        const auto* button = dynamic_cast<const KIVButtonCtrl*>(page.GetControl(id));
        return button && button->IsChecked();
    }
    static bool Enabled(const KIVDialog& page, LONG id) {
        const KIVControl* control = page.GetControl(id);
        return control && control->IsEnabled();
    }
    void DefineSetupType(const char* name) {
        auto type = std::make_unique<SetupType>();
        std::strcpy(type->name, name);
        driver.state.description.setupTypes.push_back(std::move(type));
    }
};

} // namespace

TEST_F(WizardKeysTest, EachPageOpensWithTheFocusWhereAPersonStarts) {
    driver.state.currentLanguage = kLanguageEnglish;
    auto language = Activate<KIVDialogLanguage>();
    EXPECT_EQ(Focused(*language), KIVDialogLanguage::kList);
    Keys({VK_DOWN});
    const auto* list =
        dynamic_cast<KIVListBoxCtrl*>(language->GetControl(KIVDialogLanguage::kList));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetSelection(), std::vector<int>{1}) << "Down moves the selection";

    SetOption(kOptionCompanyField, 1);
    EXPECT_EQ(Focused(*Activate<KIVDialogUserInformation>()), KIVDialogUserInformation::kCompany);
    SetOption(kOptionUserNameField, 1);
    driver.state.variables.userName = u"Ada";
    auto user = Activate<KIVDialogUserInformation>();
    EXPECT_EQ(Focused(*user), KIVDialogUserInformation::kUserName);
    SendMessageW(*user, WM_CHAR, 'Z', 0);
    EXPECT_NE(
        std::u16string(user->GetControl(KIVDialogUserInformation::kUserName)->GetText()).find(u'Z'),
        std::u16string::npos);

    DefineSetupType("Typical");
    DefineSetupType("Custom");
    driver.state.setupTypeNumber = kSetupCustom;
    auto type = Activate<KIVDialogSetupType>();
    EXPECT_EQ(Focused(*type), KIVDialogSetupType::kCustom);
    Keys({VK_UP});
    EXPECT_EQ(Focused(*type), KIVDialogSetupType::kTypical) << "Compact is not offered";
    EXPECT_TRUE(Checked(*type, KIVDialogSetupType::kTypical));

    auto custom = Activate<KIVDialogCustomSetup>();
    ASSERT_NE(custom->List(), nullptr);
    EXPECT_EQ(custom->FocusedControl(), custom->List());
    EXPECT_EQ(Focused(*Activate<Licence>()), Licence::kAgreement);
    EXPECT_EQ(Focused(*Activate<KIVDialogInstall>()), kNext);
    EXPECT_EQ(Focused(*Activate<KIVDialogSetupComplete>()), KIVDialogSetupComplete::kFinish);
}

TEST_F(WizardKeysTest, TheLicenceIsAcceptedFromTheTextWithTabAnArrowAndEnter) {
    auto page = Activate<Licence>();
    Keys({VK_TAB});
    EXPECT_EQ(Focused(*page), Licence::kAccept) << "the first choice while none is made";
    EXPECT_FALSE(Checked(*page, Licence::kAccept));
    Keys({VK_RETURN});
    EXPECT_FALSE(page->HasEnded()) << "Next is disabled until a choice is made";
    Keys({VK_DOWN});
    EXPECT_TRUE(Checked(*page, Licence::kDecline));
    EXPECT_TRUE(Enabled(*page, kNext)) << "the arrow chooses as a click does";
    Keys({VK_UP, VK_RETURN});
    EXPECT_TRUE(page->Accepted());
    EXPECT_TRUE(page->HasEnded());
    EXPECT_EQ(app->exits, 0);
}

TEST_F(WizardKeysTest, TheAcceptanceIsShownAgainWhenTheUserComesBack) {
    auto first = Activate<Licence>();
    Keys({VK_TAB, VK_SPACE});
    EXPECT_TRUE(Checked(*first, Licence::kAccept));
    // Tab passes the unchecked choice; Enter on the focused Back goes back.
    Keys({VK_TAB});
    EXPECT_EQ(Focused(*first), kBack);
    Keys({VK_RETURN});
    EXPECT_TRUE(first->HasEnded());
    EXPECT_EQ(app->exits, 0);

    auto again = Activate<Licence>();
    EXPECT_TRUE(Checked(*again, Licence::kAccept));
    EXPECT_FALSE(Checked(*again, Licence::kDecline));
    EXPECT_TRUE(Enabled(*again, kNext));
    Keys({VK_RETURN});
    EXPECT_TRUE(again->HasEnded());
    EXPECT_EQ(app->exits, 0) << "accepted, Enter went forward";
}

TEST_F(WizardKeysTest, BackIsDisabledOnTheFirstPageTheSequenceShows) {
    std::vector<std::pair<SetupPage, bool>> back; // each page and its Back
    app->inspect = [&](SetupPage page) -> INT_PTR {
        std::unique_ptr<KIVDialogConfirmCancel> shown;
        if (page == SetupPage::kLanguage)
            shown = OpenPage<KIVDialogLanguage>();
        else if (page == SetupPage::kIntroduction)
            shown = OpenPage<KIVDialogInstall>();
        else
            shown = OpenPage<Licence>();
        back.emplace_back(page, Enabled(*shown, kBack));
        return page == SetupPage::kLicence ? kPageCancelled : kPageNext;
    };
    SetOption(kOptionLanguagePage, 0);
    SetOption(kOptionIntroductionPage, 1);
    SetOption(kOptionLicencePage, 1);
    app->RunSequence();
    const std::vector<std::pair<SetupPage, bool>> withoutLanguage{{SetupPage::kIntroduction, false},
                                                                  {SetupPage::kLicence, true}};
    EXPECT_EQ(back, withoutLanguage);

    back.clear();
    SetOption(kOptionLanguagePage, 1);
    app->RunSequence();
    const std::vector<std::pair<SetupPage, bool>> withLanguage{{SetupPage::kLanguage, false},
                                                               {SetupPage::kIntroduction, true},
                                                               {SetupPage::kLicence, true}};
    EXPECT_EQ(back, withLanguage);
}
