// How the pages look on the headless screen: every text a person reads
// stands out from its background, and a medium without setup pictures gives
// the side image's column to the page's text.
#include "TextContrast.h"
#include "WizardFixture.h"
#include "setup/SetupImagePlacement.h"
#include "setup/SetupLanguage.h"
#include "toolkit/KIVMessageBoxDlg.h"
#include "toolkit/controls/KIVColumnListBoxCtrl.h"
#include "wizard/KIVDialogCustomSetup.h"
#include "wizard/KIVDialogInstall.h"
#include "wizard/KIVDialogLanguage.h"
#include "wizard/KIVDialogSetupComplete.h"
#include "wizard/KIVDialogSetupType.h"
#include "wizard/KIVDialogSoftwareLicense.h"
#include "wizard/KIVDialogUserInformation.h"
#include "wizard/KIVListBoxLineFlag.h"

#include <cstdlib>
#include <cstring>
#include <string>

using namespace wizard_test;
using text_contrast::ExpectReadableText;

namespace {

class PageLookTest : public WizardPageTest {
protected:
    PageLookTest() {
        auto component = std::make_unique<Component>();
        std::strcpy(component->name, "Program");
        component->languages = 15;
        component->selected = true;
        auto type = std::make_unique<SetupType>();
        std::strcpy(type->name, "Custom");
        type->components.push_back(component.get());
        driver.state.description.components.push_back(std::move(component));
        driver.state.description.setupTypes.push_back(std::move(type));
        driver.state.setupTypeNumber = kSetupCustom;
        InstallProduct(); // the completion page offers to start it
        SetOption(kOptionOfferStartProduct, 1);
    }
    template <typename Page> std::unique_ptr<Page> Open() {
        auto page = std::make_unique<Page>(nullptr);
        EXPECT_TRUE(page->Create(KIVDialogConfirmCancel::kPageStyle | WS_VISIBLE, 0));
        Pump();
        return page;
    }
    template <typename Page> void ExpectPageReadable(const char* name, int texts) {
        auto page = Open<Page>();
        EXPECT_GE(ExpectReadableText(*page, name), texts) << name;
        if (const char* folder = std::getenv("KIV_SCREENSHOT_DIR")) {
            const std::string file =
                std::string(folder) + "/" + std::to_string(app->LanguageId()) + "-" + name + ".png";
            EXPECT_TRUE(display->SaveScreen(file));
        }
    }
    void UseLanguage(std::int32_t language) {
        const std::int32_t previous = driver.state.currentLanguage;
        driver.state.currentLanguage = language;
        KIVString resources;
        if (SwitchLanguage(driver.state, previous, &resources))
            app->LoadLanguage(resources, nullptr);
        app->LoadSizeUnits();
    }
    void GiveSideImage() {
        auto picture = std::make_unique<KIVBitmapFrame>();
        picture->width = kLeftImageSize.cx;
        picture->height = kLeftImageSize.cy;
        picture->pixels.assign(4 * static_cast<std::size_t>(picture->width) * picture->height, 0);
        app->images.leftImage = std::move(picture);
    }
};

} // namespace

// In each language, since the texts, their lengths and the fonts differ.
TEST_F(PageLookTest, EveryPageDrawsItsTextsReadablyInEveryLanguage) {
    int number = 0; // the toolkit's number of the language
    for (std::int32_t language :
         {kLanguageEnglish, kLanguageFrench, kLanguageGerman, kLanguageJapanese}) {
        UseLanguage(language);
        ASSERT_EQ(app->LanguageId(), number++);
        SCOPED_TRACE("language bit " + std::to_string(language));
        ExpectPageReadable<KIVDialogLanguage>("language page", 4);
        ExpectPageReadable<KIVDialogInstall>("welcome page", 5);
        ExpectPageReadable<KIVDialogSoftwareLicense>("licence page", 7);
        ExpectPageReadable<KIVDialogUserInformation>("user page", 5);
        ExpectPageReadable<KIVDialogSetupType>("setup type page", 8);
        ExpectPageReadable<KIVDialogCustomSetup>("custom page", 7);
        ExpectPageReadable<KIVDialogSetupComplete>("completion page", 4);
    }
}

// A list line that is neither selected nor under the mouse reads as well as
// any label (it once looked disabled).
TEST_F(PageLookTest, TheLinesNotChosenInTheLanguageListAreDarkInk) {
    auto page = Open<KIVDialogLanguage>();
    auto* list = dynamic_cast<KIVListBoxCtrl*>(page->GetControl(KIVDialogLanguage::kList));
    ASSERT_NE(list, nullptr);
    ASSERT_GE(list->GetLineCount(), 2);
    const int other = list->GetSelection().empty() || list->GetSelection()[0] != 0 ? 0 : 1;
    RECT text = list->LineRect(other);
    auto* line = dynamic_cast<KIVListBoxLineFlag*>(list->GetLine(other));
    ASSERT_NE(line, nullptr);
    text.left = line->TextLeft(text); // the name, not the flag beside it
    const auto ink = text_contrast::MeasureInk(*page, text);
    EXPECT_GE(ink.Ratio(), 7.0) << std::hex << ink.ink << " on " << ink.background;
}

TEST_F(PageLookTest, WithoutASideImageThePageTextTakesItsColumn) {
    auto page = Open<KIVDialogUserInformation>();
    const KIVControl* picture = page->GetControl(KIVDialogConfirmCancel::kSideImage);
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->IsVisible());
    const RECT heading = page->GetControl(1010)->GetRect();
    EXPECT_EQ(heading.left, 12);
    EXPECT_EQ(heading.right, 548) << "the right margin stays";
    const RECT field = page->GetControl(1000)->GetRect();
    EXPECT_EQ(field.left, 12);
    EXPECT_GT(field.right - field.left, 440 - 137) << "the field widens with the page";
    const RECT next = page->GetControl(KIVDialogConfirmCancel::kNextButton)->GetRect();
    EXPECT_EQ(next.left, 338) << "the command buttons keep their places";
    // The heading's ink is drawn where the empty column was.
    EXPECT_GE(text_contrast::MeasureInk(*page, RECT{12, 12, 125, 34}).Ratio(), 4.5);
    ExpectReadableText(*page, "user page without a picture");
}

TEST_F(PageLookTest, WithASideImageThePageKeepsItsLayout) {
    GiveSideImage();
    auto page = Open<KIVDialogUserInformation>();
    EXPECT_TRUE(page->GetControl(KIVDialogConfirmCancel::kSideImage)->IsVisible());
    EXPECT_EQ(page->GetControl(1010)->GetRect().left, 137);
    EXPECT_EQ(page->GetControl(1000)->GetRect().right, 440);
    EXPECT_EQ(page->PixelAt(60, 100), 0u) << "the picture is drawn in its column";
}

// The setup type page, its radio buttons and their indented descriptions,
// spread over the whole width (KIV_SCREENSHOT_DIR keeps a picture).
TEST_F(PageLookTest, WithoutASideImageTheSetupTypePageKeepsItsIndentsAndItsBrowseButton) {
    auto page = Open<KIVDialogSetupType>();
    const RECT typical = page->GetControl(1002)->GetRect();
    const RECT description = page->GetControl(1012)->GetRect();
    EXPECT_EQ(typical.left, 12);
    EXPECT_GT(description.left, typical.left + 12) << "the description stays indented";
    const RECT field = page->GetControl(1302)->GetRect();
    const RECT browse = page->GetControl(1300)->GetRect();
    EXPECT_LT(field.right, browse.left) << "the widened field ends before Browse";
    EXPECT_EQ(browse.right, 548);
    ExpectReadableText(*page, "setup type page without a picture");
    if (const char* folder = std::getenv("KIV_SCREENSHOT_DIR")) {
        EXPECT_TRUE(display->SaveScreen(std::string(folder) + "/page-without-side-image.png"));
    }
}

// The component list's name column takes the room the page gives the list,
// with or without the side image: no empty column is left beside the size
// column, and the columns need no scroll bar.
TEST_F(PageLookTest, TheComponentNamesTakeTheWidthOfTheList) {
    for (const bool picture : {false, true}) {
        if (picture)
            GiveSideImage();
        SCOPED_TRACE(picture ? "with a side image" : "without a side image");
        auto page = Open<KIVDialogCustomSetup>();
        const KIVColumnListBoxCtrl* list = page->List();
        ASSERT_NE(list, nullptr);
        const RECT area = list->LinesArea();
        EXPECT_EQ(list->TotalColumnWidth(), area.right - area.left);
        EXPECT_EQ(list->GetColumnWidth(1), KIVDialogCustomSetup::kSizeWidth);
        EXPECT_FALSE(list->HasHorizontalBar());
        const int placeWidth = 457 - 137; // the list's place in the layout
        if (picture)
            EXPECT_EQ(list->GetRect().right - list->GetRect().left, placeWidth);
        else
            EXPECT_GT(list->GetColumnWidth(0), placeWidth) << "the widened list's room";
    }
}
