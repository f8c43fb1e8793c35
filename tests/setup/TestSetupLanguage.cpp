#include "SetupTestText.h"
#include "TestMachine.h"
#include "setup/SetupLanguage.h"
#include "setup/SetupState.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

MachineSettings German() {
    MachineSettings settings;
    settings.languageId = 0x0407;
    return settings;
}

// A distribution in C:\Disk1 whose program is Setup.exe on a German system,
// with a usable folder for each language in the set.
class SetupLanguageTest : public ::testing::Test {
protected:
    SetupLanguageTest() : machine(German()) { SetProgramPath(state, u"C:\\Disk1\\Setup.exe"); }

    void MakeFolders(std::int32_t languages) {
        for (std::int32_t code : {1, 2, 4, 8}) {
            if (!(languages & code))
                continue;
            const std::string folder =
                machine.DriveC("Disk1/Setup files/Languages/") + Narrow(LanguageName(code));
            std::filesystem::create_directories(folder);
            std::ofstream(folder + "/Setup.era") << "resources";
        }
    }

    TestMachine machine;
    SetupState state;
};

} // namespace

TEST(SetupLanguage, StartLanguageFromThePrimaryLanguage) {
    // German, Swiss German, French, Canadian French, Japanese, English, Spanish, none.
    const std::pair<LANGID, std::int32_t> cases[] = {
        {0x0407, kLanguageGerman},  {0x0807, kLanguageGerman},   {0x040C, kLanguageFrench},
        {0x0C0C, kLanguageFrench},  {0x0411, kLanguageJapanese}, {0x0409, kLanguageEnglish},
        {0x0C0A, kLanguageEnglish}, {0x0000, kLanguageEnglish}};
    for (const auto& [id, code] : cases)
        EXPECT_EQ(StartLanguage(id), code) << id;
}

TEST_F(SetupLanguageTest, GermanSystemWithoutGermanFolderStartsInEnglish) {
    EXPECT_EQ(ChooseStartLanguage(state), 0);
    MakeFolders(kLanguageEnglish | kLanguageFrench);
    EXPECT_EQ(ChooseStartLanguage(state), kLanguageEnglish);
    EXPECT_EQ(state.currentLanguage, kLanguageEnglish);
    MakeFolders(kLanguageGerman);
    EXPECT_EQ(ChooseStartLanguage(state), kLanguageGerman);
    EXPECT_EQ(Narrow(state.resourceBasePath), "Setup files\\Languages\\German\\Setup");
}

TEST_F(SetupLanguageTest, UnavailableLanguagesAreRemoved) {
    MakeFolders(kLanguageEnglish | kLanguageFrench);
    state.currentLanguage = kLanguageFrench;
    state.description.availableLanguages = 15 | 16;
    ReduceAvailableLanguages(state);
    EXPECT_EQ(state.description.availableLanguages, kLanguageEnglish | kLanguageFrench);
    EXPECT_EQ(Narrow(state.languageFolder), "C:\\Disk1\\Setup files\\Languages\\French");
}

TEST_F(SetupLanguageTest, ReductionKeepsTheCurrentLanguage) {
    MakeFolders(kLanguageEnglish | kLanguageFrench);
    // The current language is not offered: it stays current, with its paths.
    state.description.availableLanguages = kLanguageFrench | kLanguageJapanese;
    state.currentLanguage = kLanguageGerman;
    ReduceAvailableLanguages(state);
    EXPECT_EQ(state.currentLanguage, kLanguageGerman);
    EXPECT_EQ(state.description.availableLanguages, kLanguageFrench);
    EXPECT_EQ(Narrow(state.languageFolder), "C:\\Disk1\\Setup files\\Languages\\German");

    // Nothing usable listed: the set is left empty and the current language stays.
    state.description.availableLanguages = kLanguageJapanese;
    ReduceAvailableLanguages(state);
    EXPECT_EQ(state.description.availableLanguages, 0);
    EXPECT_EQ(state.currentLanguage, kLanguageGerman);
}

TEST_F(SetupLanguageTest, SwitchingOnlyWhenTheLanguageChanged) {
    state.currentLanguage = kLanguageEnglish;
    SetLanguagePaths(state, kLanguageEnglish);
    KIVString path;
    EXPECT_FALSE(SwitchLanguage(state, kLanguageEnglish, &path));
    EXPECT_TRUE(path.IsEmpty());
    state.currentLanguage = kLanguageJapanese;
    EXPECT_TRUE(SwitchLanguage(state, kLanguageEnglish, &path));
    EXPECT_EQ(Narrow(path), "C:\\Disk1\\Setup files\\Languages\\Japanese\\Setup");
    EXPECT_EQ(Narrow(state.languageFolder), "C:\\Disk1\\Setup files\\Languages\\Japanese");
}
