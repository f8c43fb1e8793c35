// The page sequence with scripted page results: which pages are shown in
// which order for the description's options, Back and Next across skipped
// pages, Cancel, the language switch before the introduction, and the
// setup type installed when no page chooses one.
#include "WizardFixture.h"
#include "setup/SetupLanguage.h"

#include <cstring>

using namespace wizard_test;

namespace {

using P = SetupPage;

class PageSequenceTest : public WizardTest {
protected:
    PageSequenceTest() {
        app->scripted = true;
        for (int k : {kOptionLanguagePage, kOptionIntroductionPage, kOptionLicencePage,
                      kOptionUserInformationPage, kOptionSetupTypePage})
            SetOption(k, 1);
    }
    void Run(std::initializer_list<INT_PTR> results) {
        app->results.assign(results.begin(), results.end());
        app->RunSequence();
    }
    void AddSetupType(const char* name) {
        auto type = std::make_unique<SetupType>();
        std::strcpy(type->name, name);
        driver.state.description.setupTypes.push_back(std::move(type));
    }
};

} // namespace

TEST_F(PageSequenceTest, NextWalksEveryShownPageThenTheRegistryOnlyRun) {
    Run({14, 14, 14, 14, 14});
    EXPECT_EQ(app->shown, (std::vector<P>{P::kLanguage, P::kIntroduction, P::kLicence,
                                          P::kUserInformation, P::kSetupType}));
    EXPECT_TRUE(app->results.empty());
}

TEST_F(PageSequenceTest, CustomGoesThroughTheCustomPageAndBackFromItToTheSetupType) {
    app->nextSetupType = kSetupCustom;
    Run({14, 14, 14, 14, 14, 13, 14, 14});
    EXPECT_EQ(app->shown, (std::vector<P>{P::kLanguage, P::kIntroduction, P::kLicence,
                                          P::kUserInformation, P::kSetupType, P::kCustom,
                                          P::kSetupType, P::kCustom}));
}

TEST_F(PageSequenceTest, BackSkipsHiddenPagesBackwardsAndPassesThemForwardAgain) {
    SetOption(kOptionUserInformationPage, 0);
    Run({14, 14, 14, 13, 13, 14, 14, 14});
    EXPECT_EQ(app->shown, (std::vector<P>{P::kLanguage, P::kIntroduction, P::kLicence,
                                          P::kSetupType, P::kLicence, P::kIntroduction,
                                          P::kLicence, P::kSetupType}));

    // Without the licence page too, Back from the setup type page lands on
    // the hidden states, which move on forward: the setup type page again.
    app->shown.clear();
    SetOption(kOptionLicencePage, 0);
    SetOption(kOptionLanguagePage, 0);
    SetOption(kOptionIntroductionPage, 0);
    Run({13, 14});
    EXPECT_EQ(app->shown, (std::vector<P>{P::kSetupType, P::kSetupType}));
}

TEST_F(PageSequenceTest, CancelOrBackOnTheLanguagePageStopsTheSequence) {
    Run({14, 14, 2});
    EXPECT_EQ(app->shown, (std::vector<P>{P::kLanguage, P::kIntroduction, P::kLicence}));
    app->shown.clear();
    Run({13});
    EXPECT_EQ(app->shown, (std::vector<P>{P::kLanguage}));
    app->shown.clear();
    Run({14, 13, 13});
    EXPECT_EQ(app->shown, (std::vector<P>{P::kLanguage, P::kIntroduction, P::kLanguage}));
}

TEST_F(PageSequenceTest, FinishCountsAsNext) {
    Run({1, 1, 14, 1, 2});
    EXPECT_EQ(app->shown.size(), 5u);
}

TEST_F(PageSequenceTest, ALanguageChosenOnTheLanguagePageBringsItsResources) {
    SetOption(kOptionIntroductionPage, 0);
    SetOption(kOptionLicencePage, 0);
    SetOption(kOptionUserInformationPage, 0);
    SetOption(kOptionSetupTypePage, 0);
    app->nextLanguage = kLanguageGerman;
    Run({14});
    EXPECT_EQ(app->LanguageId(), 2); // the toolkit's number for German
    EXPECT_NE(driver.state.languageFolder.Find(u"German"), -1);
}

TEST_F(PageSequenceTest, WithoutTheSetupTypePageTheTypicalSetupTypeIsInstalled) {
    for (int k : {kOptionLanguagePage, kOptionIntroductionPage, kOptionLicencePage,
                  kOptionUserInformationPage, kOptionSetupTypePage})
        SetOption(k, 0);
    SetOption(kOptionInstall, 1);
    AddSetupType("Compact");
    AddSetupType("Typical");
    driver.state.variables.installDst = u"C:\\Dest";
    driver.stagingFolder = u"C:\\Staging";
    Run({2}); // the progress page ends as after a cancel
    ASSERT_NE(driver.state.chosenSetupType, nullptr);
    EXPECT_STREQ(driver.state.chosenSetupType->name, "Typical");
    EXPECT_EQ(app->shown, (std::vector<P>{P::kInstalling}));
}
