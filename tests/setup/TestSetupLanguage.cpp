#include "setup/SetupLanguage.h"
#include "setup/SetupState.h"
#include "TestMachine.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

MachineSettings WithLanguage(unsigned languageId) {
    MachineSettings settings;
    settings.languageId = languageId;
    return settings;
}

// A distribution in C:\Disk1 whose program is Setup.exe, with a usable
// folder for each language in the set.
class SetupLanguageTest : public ::testing::Test {
protected:
    explicit SetupLanguageTest(unsigned languageId = 0x0407) : machine(WithLanguage(languageId)) {
        SetProgramPath(state, u"C:\\Disk1\\Setup.exe");
    }

    void MakeFolders(std::int32_t languages) {
        for (std::int32_t code : {1, 2, 4, 8}) {
            if (!(languages & code))
                continue;
            char name[16];
            KIVString(LanguageName(code)).ToNarrow(name, sizeof name);
            const std::string folder = machine.DriveC("Disk1/Setup files/Languages/") + name;
            std::filesystem::create_directories(folder);
            std::ofstream(folder + "/Setup.era") << "resources";
        }
    }

    TestMachine machine;
    SetupState state;
};

std::string Narrow(const KIVString& text) {
    char narrow[400];
    text.ToNarrow(narrow, sizeof narrow);
    return narrow;
}

} // namespace

TEST(SetupLanguage, StartLanguageFromThePrimaryLanguage) {
    EXPECT_EQ(StartLanguage(0x0407), kLanguageGerman);
    EXPECT_EQ(StartLanguage(0x0807), kLanguageGerman); // Swiss German
    EXPECT_EQ(StartLanguage(0x040C), kLanguageFrench);
    EXPECT_EQ(StartLanguage(0x0C0C), kLanguageFrench);
    EXPECT_EQ(StartLanguage(0x0411), kLanguageJapanese);
    EXPECT_EQ(StartLanguage(0x0409), kLanguageEnglish);
    EXPECT_EQ(StartLanguage(0x0C0A), kLanguageEnglish); // Spanish
    EXPECT_EQ(StartLanguage(0x0000), kLanguageEnglish);
}

TEST_F(SetupLanguageTest, PathsOfALanguage) {
    EXPECT_EQ(Narrow(SetLanguagePaths(state, kLanguageFrench)), "Setup files\\Languages\\French\\Setup");
    EXPECT_EQ(Narrow(state.languageFolder), "C:\\Disk1\\Setup files\\Languages\\French");
    EXPECT_FALSE(CheckLanguage(state));
    MakeFolders(kLanguageFrench);
    EXPECT_TRUE(CheckLanguage(state));
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
    EXPECT_FALSE(ReduceAvailableLanguages(state));
    EXPECT_EQ(state.description.availableLanguages, kLanguageEnglish | kLanguageFrench);
    EXPECT_EQ(Narrow(state.languageFolder), "C:\\Disk1\\Setup files\\Languages\\French");

    // The current language is not offered: the first available one takes its place.
    state.description.availableLanguages = kLanguageFrench | kLanguageJapanese;
    state.currentLanguage = kLanguageGerman;
    EXPECT_TRUE(ReduceAvailableLanguages(state));
    EXPECT_EQ(state.currentLanguage, kLanguageFrench);
    EXPECT_EQ(state.description.availableLanguages, kLanguageFrench);

    // Nothing usable listed: the language in use stays, and is offered.
    state.description.availableLanguages = kLanguageJapanese;
    EXPECT_FALSE(ReduceAvailableLanguages(state));
    EXPECT_EQ(state.description.availableLanguages, kLanguageFrench);
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
