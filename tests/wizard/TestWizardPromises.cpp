// What the pages promise the user must hold: a custom setup cannot go on
// with nothing chosen, the last page offers only what is there to do, the
// texts name the product, sizes read as the language writes numbers, and
// the progress page's status line shows where a file goes.
#include "WizardFixture.h"
#include "setup/SetupTexts.h"
#include "toolkit/controls/KIVColumnListBoxCtrl.h"
#include "toolkit/resources/KIVTextPainter.h"
#include "wizard/KIVDialogCustomSetup.h"
#include "wizard/KIVDialogInstall.h"
#include "wizard/KIVDialogInstalling.h"
#include "wizard/KIVDialogSetupComplete.h"

#include <cstring>

using namespace wizard_test;

namespace {

class WizardPromisesTest : public WizardPageTest {
protected:
    static bool Visible(const KIVDialog& page, LONG id) {
        const KIVControl* control = page.GetControl(id);
        return control && control->IsVisible();
    }
    Component* AddComponent(const char* name, bool selected) {
        auto component = std::make_unique<Component>();
        std::strcpy(component->name, name);
        component->languages = 15;
        component->selected = selected;
        auto entry = std::make_unique<InstallEntry>();
        entry->platform = 1;
        entry->size = 3000;
        component->entries.push_back(entry.get());
        driver.state.description.installEntries.push_back(std::move(entry));
        driver.state.description.components.push_back(std::move(component));
        return driver.state.description.components.back().get();
    }
    void AddCustomType(std::vector<Component*> components) {
        auto type = std::make_unique<SetupType>();
        std::strcpy(type->name, "Custom");
        type->components = std::move(components);
        driver.state.description.setupTypes.push_back(std::move(type));
    }
    // The status line after the worker began entry and named a file of it.
    std::u16string StatusAfter(KIVDialogInstalling& page, const char* folder, bool system,
                               const char* name) {
        InstallEntry entry;
        std::strcpy(entry.destinationFolder, folder);
        entry.system = system;
        driver.onEntry(entry, u"");
        KIVDialogInstalling::AddStatusText(name);
        page.ShowPendingStatus();
        return Text(page, KIVDialogInstalling::kStatus);
    }
};

} // namespace

// [SECTION] The custom page

TEST_F(WizardPromisesTest, TheCustomPageKeepsNextDisabledWhileNothingIsChosen) {
    Component* program = AddComponent("Program", true);
    Component* samples = AddComponent("Samples", false);
    AddCustomType({program, samples});
    driver.state.variables.installDst = u"C:\\Program Files\\Orrery";
    auto page = Open<KIVDialogCustomSetup>();
    const KIVControl* next = page->GetControl(KIVDialogConfirmCancel::kNextButton);
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->IsEnabled());
    auto* first = static_cast<KIVColumnListBoxLine*>(page->List()->GetLine(0));
    auto* second = static_cast<KIVColumnListBoxLine*>(page->List()->GetLine(1));
    first->OnClick(page->List()->LineLeft() + 4);
    EXPECT_FALSE(next->IsEnabled()) << "nothing chosen";
    page->OnNext(); // Enter goes through here too
    EXPECT_FALSE(page->HasEnded());
    EXPECT_TRUE(program->selected) << "nothing is stored while Next waits";
    second->Toggle(); // the space bar's way
    EXPECT_TRUE(next->IsEnabled());
    page->OnNext();
    EXPECT_TRUE(page->HasEnded());
    EXPECT_FALSE(program->selected);
    EXPECT_TRUE(samples->selected);
}

TEST_F(WizardPromisesTest, ACustomPageOpeningWithNothingChosenWaitsAndRefusesAnEmptyResponse) {
    AddCustomType({AddComponent("Program", false)});
    auto page = Open<KIVDialogCustomSetup>();
    EXPECT_FALSE(page->GetControl(KIVDialogConfirmCancel::kNextButton)->IsEnabled());
    SetupResponse response;
    response.components = std::vector<std::string>{};
    KIVString refusal;
    EXPECT_FALSE(page->TakeResponse(response, &refusal));
    EXPECT_FALSE(refusal.IsEmpty());
}

// [SECTION] The completion page

TEST_F(WizardPromisesTest, TheCompletionPageOffersFinishAloneAndEscapeAsksNothing) {
    InstallProduct();
    auto page = Open<KIVDialogSetupComplete>();
    const KIVControl* cancel = page->GetControl(KIVDialogConfirmCancel::kCancelButton);
    const KIVControl* finish = page->GetControl(KIVDialogSetupComplete::kFinish);
    ASSERT_NE(cancel, nullptr);
    ASSERT_NE(finish, nullptr);
    EXPECT_FALSE(cancel->IsVisible());
    EXPECT_FALSE(page->HasControl(KIVDialogConfirmCancel::kNextButton)) << "no way back or on";
    EXPECT_EQ(finish->GetRect().right, cancel->GetRect().right) << "Finish takes Cancel's place";
    // A cancel question would wait here for an answer that never comes.
    SendMessageW(*page, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(page->HasEnded());
    EXPECT_EQ(app->exits, 0);

    Press(*page, KIVDialogSetupComplete::kLaunch);
    SendMessageW(*page, WM_CLOSE, 0, 0);
    EXPECT_TRUE(page->HasEnded());
    EXPECT_TRUE(app->choices.launch) << "the close box finishes with the boxes as checked";
}

TEST_F(WizardPromisesTest, TheCompletionPageOffersToStartOnlyAProgramThatWasInstalled) {
    SetOption(kOptionOfferStartProduct, 1);
    SetOption(kOptionStartupShortcut, 1);
    driver.state.variables.installDst = u"C:\\Program Files\\Orrery";
    driver.state.variables.exeName = u"Orrery";
    auto missing = Open<KIVDialogSetupComplete>();
    EXPECT_FALSE(Visible(*missing, KIVDialogSetupComplete::kLaunch));
    EXPECT_FALSE(Visible(*missing, KIVDialogSetupComplete::kLaunchLabel));
    EXPECT_FALSE(Visible(*missing, KIVDialogSetupComplete::kStartup));
    EXPECT_FALSE(app->choices.startupShortcut);

    InstallProduct();
    auto installed = Open<KIVDialogSetupComplete>();
    EXPECT_TRUE(Visible(*installed, KIVDialogSetupComplete::kLaunch));
    EXPECT_TRUE(Checked(*installed, KIVDialogSetupComplete::kStartup));
    EXPECT_TRUE(app->choices.startupShortcut);
}

// [SECTION] Texts that name the product

TEST_F(WizardPromisesTest, TheWelcomeAndProgressPagesNameTheProductInEveryLanguage) {
    for (const std::int32_t language :
         {kLanguageEnglish, kLanguageFrench, kLanguageGerman, kLanguageJapanese}) {
        SpeakLanguage(language);
        auto welcome = Open<KIVDialogInstall>();
        const std::u16string greeting = Text(*welcome, KIVDialogInstall::kGreeting);
        EXPECT_NE(greeting.find(u"Orrery Planetarium"), std::u16string::npos)
            << "language " << language;
        EXPECT_EQ(greeting.find(u'<'), std::u16string::npos) << "language " << language;
        welcome->DestroyWindow();

        auto progress = Open<KIVDialogInstalling>();
        EXPECT_NE(Text(*progress, KIVDialogInstalling::kWaitText).find(u"Orrery Planetarium"),
                  std::u16string::npos)
            << "language " << language;
        progress->DestroyWindow();
    }
}

// French elides "de" before a vowel: the product's name must never follow it.
TEST_F(WizardPromisesTest, FrenchTextsNeverPutTheNameAfterAnElidableWord) {
    SpeakLanguage(kLanguageFrench);
    for (int number = 100; number <= 150; ++number) {
        const std::u16string text(static_cast<const char16_t*>(app->GetText(number)));
        for (const char16_t* elidable : {u" de %s", u" le %s", u" la %s", u" que %s"})
            EXPECT_EQ(text.find(elidable), std::u16string::npos) << "text " << number;
    }
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(FormatSetupText(101, u"Orrery"))),
              u"Contrat de licence du logiciel Orrery");
}

// [SECTION] Sizes

TEST_F(WizardPromisesTest, SizesUseTheDecimalSeparatorAndUnitsOfTheLanguage) {
    const double size = 17.43 * 1024;
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(app->SizeText(size))), u"17.43 KB");
    SpeakLanguage(kLanguageFrench);
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(app->SizeText(size))), u"17,43 Ko");
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(SizeTextOf(2.5 * 1048576))), u"2,50 Mo");
    SpeakLanguage(kLanguageGerman);
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(app->SizeText(size))), u"17,43 KB");
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(app->SizeText(900))), u"900 Byte");
}

// [SECTION] The progress page's status line

TEST_F(WizardPromisesTest, TheStatusLineShowsThePathInTheInstallationFolder) {
    auto page = Open<KIVDialogInstalling>();
    EXPECT_EQ(StatusAfter(*page, "Data\\Stars", false, "f712.dat"), u"Data\\Stars\\f712.dat");
    EXPECT_EQ(StatusAfter(*page, "", false, "Orrery.exe"), u"Orrery.exe");
    EXPECT_EQ(StatusAfter(*page, "Docs", false, "Guide\\index.html"), u"Docs\\Guide\\index.html");
    EXPECT_EQ(StatusAfter(*page, "System", true, "orbit.dll"), u"orbit.dll")
        << "a system file does not go below the installation folder";
}

TEST_F(WizardPromisesTest, ATooLongStatusPathIsCutInTheMiddleToTheLabelsWidth) {
    auto page = Open<KIVDialogInstalling>();
    const KIVControl* status = page->GetControl(KIVDialogInstalling::kStatus);
    ASSERT_NE(status, nullptr);
    ASSERT_NE(status->GetFont(), nullptr);
    const int width = status->GetRect().right - status->GetRect().left;
    std::string folder = "Data";
    for (int i = 0; i < 12; ++i)
        folder += "\\Constellation" + std::to_string(i);
    const std::u16string shown = StatusAfter(*page, folder.c_str(), false, "f712.dat");
    ASSERT_NE(shown.find(u"..."), std::u16string::npos) << "the path is too wide to fit";
    EXPECT_EQ(shown.rfind(u"Data\\Const", 0), 0u) << "the start stays";
    EXPECT_EQ(shown.substr(shown.size() - 8), u"f712.dat") << "the name stays";
    const int drawn = KIVTextPainter::MeasureText(*status->GetFont(), shown.c_str(),
                                                  static_cast<int>(shown.size()));
    EXPECT_LE(drawn, width);
    EXPECT_GT(drawn, width - 2 * status->GetFont()->Advance(u'W')) << "no more is cut than needed";
}
