// The pages made from the real layouts, modeless on the headless screen:
// what each shows from the description and the machine, what it stores on
// Next and Back, and how it validates.
#include "WizardFixture.h"
#include "platform/ui/DeviceInput.h"
#include "setup/SetupLanguage.h"
#include "toolkit/controls/KIVColumnListBoxCtrl.h"
#include "toolkit/controls/KIVListBoxCtrl.h"
#include "wizard/KIVDialogCustomSetup.h"
#include "wizard/KIVDialogLanguage.h"
#include "wizard/KIVDialogSetupComplete.h"
#include "wizard/KIVDialogSetupType.h"
#include "wizard/KIVDialogSoftwareLicense.h"
#include "wizard/KIVDialogUserInformation.h"

#include <cstring>

using namespace wizard_test;

namespace {

// The title of the modal window on top when the modal loop first idles; the
// window is then closed with Escape.
std::u16string& TitleSeen() {
    static std::u16string title;
    return title;
}

void ReadTitleAndEscape(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    HWND top = KIVDialog::ModalStack().back();
    char16_t title[64] = {};
    ::GetWindowTextW(top, title, 64);
    TitleSeen() = title;
    ::SetActiveWindow(top);
    ::SetFocus(top);
    DeviceInput::Key(VK_ESCAPE, true);
    DeviceInput::Key(VK_ESCAPE, false);
}

class WizardPagesTest : public WizardPageTest {
protected:
    void WriteAgreement(const std::string& bytes) {
        std::strcpy(driver.state.description.agreementFileName, "Licence.txt");
        WriteHostFile(machine.DriveC("Medium/Setup files/Languages/English/Licence.txt"), bytes);
    }
    Component* AddComponent(const char* name, std::int32_t languages, bool selected) {
        auto component = std::make_unique<Component>();
        std::strcpy(component->name, name);
        component->languages = languages;
        component->selected = selected;
        auto entry = std::make_unique<InstallEntry>();
        entry->platform = 1;
        entry->size =
            3000 * static_cast<std::int32_t>(driver.state.description.components.size() + 1);
        component->entries.push_back(entry.get());
        driver.state.description.installEntries.push_back(std::move(entry));
        driver.state.description.components.push_back(std::move(component));
        return driver.state.description.components.back().get();
    }
    // The title of the folder browser that the setup type page's Browse opens.
    std::u16string BrowserTitle() {
        auto page = Open<KIVDialogSetupType>();
        TitleSeen().clear();
        ::SetTimer(nullptr, 0, 1, &ReadTitleAndEscape);
        page->BrowseForFolder();
        return TitleSeen();
    }
    SetupType* AddSetupType(const char* name, std::vector<Component*> components = {}) {
        auto type = std::make_unique<SetupType>();
        std::strcpy(type->name, name);
        type->components = std::move(components);
        driver.state.description.setupTypes.push_back(std::move(type));
        return driver.state.description.setupTypes.back().get();
    }
};

} // namespace

TEST(AgreementTest, TheMarkIsSkippedAndAnOddLastByteDropped) {
    const unsigned char file[] = {0xFE, 0xFF, 0x00, 'O', 0x00, 'K', 0x30, 0x42, 0x00};
    EXPECT_EQ(std::u16string(DecodeAgreement(file, 8).data()), u"OK\u3042");
    EXPECT_EQ(std::u16string(DecodeAgreement(file, 9).data()), u"OK\u3042");
    EXPECT_EQ(std::u16string(DecodeAgreement(file, 2).data()), u"");
    EXPECT_EQ(std::u16string(DecodeAgreement(file, 1).data()), u"");
}

TEST_F(WizardPagesTest, TheLanguagePageListsTheAvailableLanguagesAndStoresTheChoiceOnNext) {
    driver.state.description.availableLanguages = kLanguageEnglish | kLanguageGerman;
    driver.state.currentLanguage = kLanguageGerman;
    auto page = Open<KIVDialogLanguage>();
    auto* list = dynamic_cast<KIVListBoxCtrl*>(page->GetControl(KIVDialogLanguage::kList));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetLineCount(), 2);
    EXPECT_EQ(std::u16string(list->GetLine(1)->GetText()), u"Deutsch");
    EXPECT_EQ(list->GetSelection(), std::vector<int>{1});
    EXPECT_NE(Text(*page, KIVDialogLanguage::kHeading).find(u"Orrery"), std::u16string::npos);
    list->Select(0);
    EXPECT_EQ(driver.state.currentLanguage, kLanguageGerman) << "nothing changes before Next";
    page->OnNext();
    EXPECT_EQ(driver.state.currentLanguage, kLanguageEnglish);
    EXPECT_TRUE(page->HasEnded());
}

TEST_F(WizardPagesTest, TheLicencePageShowsTheFileAndEndsTheSetupWhenDeclined) {
    WriteAgreement(std::string("\xFE\xFF\x00H\x00i\x00!", 8) + "x");
    auto page = Open<KIVDialogSoftwareLicense>();
    EXPECT_EQ(Text(*page, KIVDialogSoftwareLicense::kAgreement), u"Hi!");
    EXPECT_FALSE(page->GetControl(KIVDialogConfirmCancel::kNextButton)->IsEnabled());
    Press(*page, KIVDialogSoftwareLicense::kDecline);
    EXPECT_TRUE(page->GetControl(KIVDialogConfirmCancel::kNextButton)->IsEnabled());
    Press(*page, KIVDialogSoftwareLicense::kAccept);
    Press(*page, KIVDialogSoftwareLicense::kDecline);
    SendMessageW(*page, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(app->exits, 1) << "declined, Next ends the setup";

    auto second = Open<KIVDialogSoftwareLicense>();
    Press(*second, KIVDialogSoftwareLicense::kDecline);
    Press(*second, KIVDialogSoftwareLicense::kAccept);
    second->OnNext();
    EXPECT_EQ(app->exits, 1);
    EXPECT_TRUE(second->HasEnded());
}

TEST_F(WizardPagesTest, EnterBeforeAnyChoiceDoesNothingAndAMissingFileGivesTheDefaultText) {
    auto page = Open<KIVDialogSoftwareLicense>();
    const std::u16string agreement = Text(*page, KIVDialogSoftwareLicense::kAgreement);
    std::size_t names = 0;
    for (std::size_t at = 0;
         (at = agreement.find(u"Orrery Planetarium", at)) != std::u16string::npos; ++at)
        ++names;
    EXPECT_EQ(names, 2u) << "the long name in both places of the default agreement";
    EXPECT_EQ(agreement.find(u"%s"), std::u16string::npos);
    SendMessageW(*page, WM_KEYDOWN, VK_RETURN, 0);
    page->OnOK();
    EXPECT_EQ(app->exits, 0) << "Next is disabled";
    EXPECT_FALSE(page->HasEnded());

    SetOption(kOptionAlternativeAgreement, 1);
    auto alternative = Open<KIVDialogSoftwareLicense>();
    const std::u16string text = Text(*alternative, KIVDialogSoftwareLicense::kAgreement);
    names = 0;
    for (std::size_t at = 0; (at = text.find(u"Orrery Planetarium", at)) != std::u16string::npos;
         ++at)
        ++names;
    EXPECT_EQ(names, 4u);
}

TEST_F(WizardPagesTest, TheUserPageOffersTheFieldsOfTheDescriptionAndReadsBothBack) {
    driver.state.variables.userName = u"Ada";
    driver.state.variables.company = u"Engines Ltd";
    SetOption(kOptionUserNameField, 1);
    SetOption(kOptionCompanyField, 1);
    auto page = Open<KIVDialogUserInformation>();
    EXPECT_EQ(Text(*page, KIVDialogUserInformation::kUserName), u"Ada");
    EXPECT_EQ(Text(*page, KIVDialogUserInformation::kCompany), u"Engines Ltd");
    EXPECT_EQ(Text(*page, KIVDialogUserInformation::kExplanation),
              std::u16string(static_cast<const char16_t*>(app->GetText(129))));
    page->GetControl(KIVDialogUserInformation::kUserName)->SetText(u"");
    page->GetControl(KIVDialogUserInformation::kCompany)->SetText(u"Analytical");
    page->OnBack();
    EXPECT_EQ(driver.state.variables.userName, u"");
    EXPECT_EQ(driver.state.variables.company, u"Analytical");

    SetOption(kOptionCompanyField, 0);
    auto nameOnly = Open<KIVDialogUserInformation>();
    EXPECT_FALSE(nameOnly->GetControl(KIVDialogUserInformation::kCompany)->IsVisible());
    EXPECT_FALSE(nameOnly->GetControl(KIVDialogUserInformation::kCompanyLabel)->IsVisible());
    nameOnly->OnNext();
    EXPECT_EQ(driver.state.variables.company, u"")
        << "the hidden field gives its layout's (empty) text";
}

TEST_F(WizardPagesTest, TheSetupTypePageOffersTheDefinedTypesAndChecksTheFolderOnNext) {
    Component* program = AddComponent("Program", 15, true);
    AddSetupType("Typical", {program});
    AddSetupType("Custom", {program});
    driver.state.setupTypeNumber = kSetupCustom;
    driver.state.variables.installDst = u"C:\\Program Files\\Kiv software\\Orrery";
    auto page = Open<KIVDialogSetupType>();
    EXPECT_TRUE(page->GetControl(KIVDialogSetupType::kTypical)->IsEnabled());
    EXPECT_FALSE(page->GetControl(KIVDialogSetupType::kCompact)->IsEnabled());
    EXPECT_TRUE(Checked(*page, KIVDialogSetupType::kCustom));
    EXPECT_EQ(Text(*page, KIVDialogSetupType::kFolder), u"C:\\Program Files\\Kiv software\\Orrery");

    // Custom goes on at once: the custom page checks the folder.
    page->GetControl(KIVDialogSetupType::kFolder)->SetText(u"C:\\Elsewhere");
    page->OnNext();
    EXPECT_TRUE(page->HasEnded());
    EXPECT_EQ(driver.state.variables.installDst, u"C:\\Elsewhere");
    EXPECT_FALSE(std::filesystem::exists(machine.DriveC("Elsewhere")));

    // Typical checks it: the folder is made and the size fits.
    driver.state.setupTypeNumber = kSetupTypical;
    auto typical = Open<KIVDialogSetupType>();
    typical->OnNext();
    EXPECT_TRUE(typical->HasEnded());
    EXPECT_TRUE(std::filesystem::is_directory(machine.DriveC("Elsewhere")));
    EXPECT_EQ(driver.state.requiredSize, 3000);
    ASSERT_NE(driver.state.chosenSetupType, nullptr);
    EXPECT_STREQ(driver.state.chosenSetupType->name, "Typical");
}

TEST_F(WizardPagesTest, TheFolderBrowserIsTitledInTheLanguageOfTheSetup) {
    EXPECT_EQ(BrowserTitle(), u"Select folder");
    SpeakLanguage(kLanguageFrench);
    EXPECT_EQ(BrowserTitle(), u"Choisir un dossier");
    SpeakLanguage(kLanguageGerman);
    EXPECT_EQ(BrowserTitle(), u"Ordner auswählen");
    // A Western code page cannot spell the Japanese title: the browser
    // keeps its own (a wide text) rather than showing question marks.
    SpeakLanguage(kLanguageJapanese);
    EXPECT_EQ(BrowserTitle(), u"フォルダーの参照");
    MachineSettings japanese;
    ASSERT_TRUE(Machine::LoadSettings(machine.Root(), &japanese));
    japanese.codePage = 932;
    ASSERT_TRUE(Machine::SaveSettings(machine.Root(), japanese));
    ASSERT_TRUE(Machine::Use(machine.Root()));
    EXPECT_EQ(BrowserTitle(), u"フォルダーの選択");
}

TEST_F(WizardPagesTest, TheCustomPageListsTheComponentsOfTheLanguageWithTheirSizes) {
    Component* program = AddComponent("Program", 15, true);
    Component* samples = AddComponent("Samples", 15, false);
    Component* japanese = AddComponent("Japanese help", kLanguageJapanese, true);
    AddSetupType("Custom", {program, samples, japanese});
    driver.state.variables.installDst = u"C:\\Program Files\\Orrery";
    driver.state.setupTypeNumber = kSetupCustom;
    auto page = Open<KIVDialogCustomSetup>();
    KIVColumnListBoxCtrl* list = page->List();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetLineCount(), 2) << "the Japanese component is not offered in English";
    auto* first = static_cast<KIVColumnListBoxLine*>(list->GetLine(0));
    auto* second = static_cast<KIVColumnListBoxLine*>(list->GetLine(1));
    EXPECT_EQ(first->GetCell(1), app->SizeText(3000));
    EXPECT_EQ(second->GetCell(1), app->SizeText(0)) << "an unchecked component shows 0 bytes";
    EXPECT_EQ(Text(*page, KIVDialogCustomSetup::kNeededSpace),
              std::u16string(static_cast<const char16_t*>(app->SizeText(3000))));
    EXPECT_NE(Text(*page, KIVDialogCustomSetup::kFreeSpace), u"?");

    second->OnClick(list->LineLeft() + 30); // on the text, not the box
    EXPECT_FALSE(second->IsChecked());
    second->OnClick(list->LineLeft() + 4);
    EXPECT_TRUE(second->IsChecked());
    EXPECT_EQ(second->GetCell(1), app->SizeText(6000));
    EXPECT_EQ(page->NeededBytes(), 9000);
    first->OnClick(list->LineLeft() + 4);
    EXPECT_EQ(page->NeededBytes(), 6000);
    first->Toggle(); // the space bar's way
    first->Toggle();
    EXPECT_EQ(page->NeededBytes(), 6000);
    EXPECT_EQ(first->GetCell(1), app->SizeText(0));

    page->OnNext();
    EXPECT_TRUE(page->HasEnded());
    EXPECT_FALSE(program->selected);
    EXPECT_TRUE(samples->selected);
    EXPECT_TRUE(japanese->selected) << "a component not listed is not changed";
    EXPECT_EQ(driver.state.requiredSize, 6000);
}

TEST_F(WizardPagesTest, TheCompletionPageReadsItsBoxesOnlyOnFinish) {
    InstallProduct();
    SetOption(kOptionStartupShortcut, 1);
    auto page = Open<KIVDialogSetupComplete>();
    EXPECT_TRUE(app->choices.startupShortcut);
    EXPECT_TRUE(Checked(*page, KIVDialogSetupComplete::kStartup));
    EXPECT_FALSE(page->GetControl(KIVDialogSetupComplete::kLaunch)->IsVisible());
    EXPECT_FALSE(page->GetControl(KIVDialogSetupComplete::kRunPrograms)->IsVisible());
    SendMessageW(*page, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(page->HasEnded());
    EXPECT_TRUE(app->choices.startupShortcut) << "Enter does not read the boxes";

    auto finish = Open<KIVDialogSetupComplete>();
    Press(*finish, KIVDialogSetupComplete::kStartup);
    Press(*finish, KIVDialogSetupComplete::kFinish);
    EXPECT_TRUE(finish->HasEnded());
    EXPECT_FALSE(app->choices.startupShortcut);
    EXPECT_FALSE(app->choices.launch);
}

// Each box's text is a label beside it that names it: a click on the text
// or its mnemonic turns the box, unless the page hid the box.
TEST_F(WizardPagesTest, TheCompletionPagesTextsTurnTheirBoxes) {
    InstallProduct();
    SetOption(kOptionStartupShortcut, 1);
    auto page = Open<KIVDialogSetupComplete>();
    const RECT& text = page->GetControl(KIVDialogSetupComplete::kStartupLabel)->GetRect();
    const LPARAM at = MAKELPARAM(text.left + 40, text.top + 5);
    SendMessageW(*page, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(*page, WM_LBUTTONUP, 0, at);
    EXPECT_FALSE(Checked(*page, KIVDialogSetupComplete::kStartup));
    EXPECT_EQ(page->FocusedControl(), page->GetControl(KIVDialogSetupComplete::kStartup));
    SendMessageW(*page, WM_SYSKEYDOWN, 'W', 0);
    EXPECT_TRUE(Checked(*page, KIVDialogSetupComplete::kStartup));
    SendMessageW(*page, WM_SYSKEYDOWN, 'S', 0);
    EXPECT_FALSE(Checked(*page, KIVDialogSetupComplete::kLaunch)) << "the page hid that box";
    EXPECT_FALSE(page->HasEnded());
}
