// The fixture of the wizard's tests: a fresh machine with a medium whose
// language folders hold the compiled language resources, the driver begun
// on its Setup.exe, and the setup application with the real pages. A test
// may script the pages' results instead of showing them, or look at each
// page the flow shows, and the orderly exit is counted instead of ending the
// test's process.
#pragma once

#include "HostFiles.h"
#include "TestMachine.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "setup/SetupLanguage.h"
#include "toolkit/controls/KIVButtonCtrl.h"
#include "wizard/KIVDialogConfirmCancel.h"
#include "wizard/KIVSetupWizard.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace wizard_test {

namespace fs = std::filesystem;

class TestWizard : public KIVSetupWizard {
public:
    using KIVSetupWizard::KIVSetupWizard;

    INT_PTR RunPage(SetupPage page) override {
        shown.push_back(page);
        if (inspect)
            return inspect(page);
        if (!scripted)
            return KIVSetupWizard::RunPage(page);
        if (results.empty())
            return kPageCancelled;
        const INT_PTR result = results.front();
        results.pop_front();
        if (page == SetupPage::kSetupType && result == kPageNext)
            state.setupTypeNumber = nextSetupType;
        if (page == SetupPage::kLanguage && result == kPageNext && nextLanguage)
            state.currentLanguage = nextLanguage;
        return result;
    }
    void RunSequence() { RunPageSequence(); }

    bool scripted = false;
    // When set, runs in the place of each page the flow shows; its result.
    std::function<INT_PTR(SetupPage)> inspect;
    std::deque<INT_PTR> results;
    std::int32_t nextSetupType = kSetupTypical; // what a scripted setup type page chooses
    std::int32_t nextLanguage = 0;              // what a scripted language page chooses
    std::vector<SetupPage> shown;
    int exits = 0;

protected:
    void EndProcess(int) override { ++exits; }
};

class WizardTest : public ::testing::Test {
protected:
    WizardTest() {
        auto backend = std::make_unique<HeadlessBackend>();
        display = backend.get();
        SetDisplayBackend(std::move(backend));
        const std::string program = machine.DriveC("Medium/Setup.exe");
        WriteHostFile(program, "");
        for (const char* language : {"English", "French", "German", "Japanese"})
            for (const char* extension : {".erf", ".erb", ".erd", ".erm", ".era", ".ers"}) {
                const fs::path to = machine.DriveC(std::string("Medium/Setup files/Languages/") +
                                                   language + "/Setup" + extension);
                fs::create_directories(to.parent_path());
                fs::copy_file(fs::path(KIV_RESOURCES_DIR) / language /
                                  (std::string("Setup") + extension),
                              to, fs::copy_options::overwrite_existing);
            }
        Machine::SetProgramPath(program);
        EXPECT_TRUE(driver.Begin(u"C:\\Medium\\Setup.exe"));
        auto& d = driver.state.description;
        std::snprintf(d.applicationName, sizeof d.applicationName, "Orrery");
        d.availableLanguages = 15;
        driver.state.variables.longAppName = u"Orrery Planetarium";
        app = std::make_unique<TestWizard>(driver, driver.state.resourceBasePath);
        app->CreateMainWindow();
        app->LoadSizeUnits();
    }
    ~WizardTest() override {
        app.reset();
        Machine::SetProgramPath("");
        Pump();
    }

    void SetOption(int k, std::int32_t value) {
        driver.state.description.options[k].number = value;
    }

    // A page made from its real layout, modeless and shown.
    template <typename Page> static std::unique_ptr<Page> OpenPage() {
        auto page = std::make_unique<Page>(nullptr);
        EXPECT_TRUE(page->Create(KIVDialogConfirmCancel::kPageStyle | WS_VISIBLE, 0));
        return page;
    }

    static void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    TestMachine machine;
    HeadlessBackend* display = nullptr;
    SetupDriver driver;
    std::unique_ptr<TestWizard> app;
};

// Pages made from the real layouts, modeless on the headless screen.
class WizardPageTest : public WizardTest {
protected:
    template <typename Page> std::unique_ptr<Page> Open() { return OpenPage<Page>(); }
    static std::u16string Text(const KIVDialog& page, LONG id) {
        const KIVControl* control = page.GetControl(id);
        return control ? std::u16string(static_cast<const char16_t*>(control->GetText()))
                       : u"(missing)";
    }
    static bool Checked(const KIVDialog& page, LONG id) {
        const auto* box = dynamic_cast<const KIVButtonCtrl*>(page.GetControl(id));
        return box && box->GetCheckedState() != 0;
    }
    // A user's click on a button, a check box or a radio button.
    static void Press(KIVDialog& page, LONG id) {
        if (auto* button = dynamic_cast<KIVButtonCtrl*>(page.GetControl(id)))
            button->Click();
    }
    // The product's program in the installation folder, as a finished
    // installation leaves it.
    void InstallProduct() {
        driver.state.variables.installDst = u"C:\\Program Files\\Orrery";
        driver.state.variables.exeName = u"Orrery";
        WriteHostFile(machine.DriveC("Program Files/Orrery/Orrery.exe"), "MZ");
    }
    // The setup goes on in language, as after the language page.
    void SpeakLanguage(std::int32_t language) {
        const std::int32_t before = driver.state.currentLanguage;
        driver.state.currentLanguage = language;
        KIVString path;
        if (SwitchLanguage(driver.state, before, &path)) {
            ASSERT_TRUE(app->LoadLanguage(path, nullptr));
        }
        app->LoadSizeUnits();
    }
};

} // namespace wizard_test
