#include "TestMachine.h"
#include "toolkit/KIVFileFinder.h"
#include "toolkit/KIVSystem.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace {

class KIVFileFinderTest : public ::testing::TestWithParam<PlatformFamily> {
protected:
    void SetUp() override {
        MachineSettings settings;
        settings.family = GetParam();
        machine = std::make_unique<TestMachine>(settings);
        KIVResetPlatformFamily();
        std::filesystem::create_directories(machine->DriveC("Data/Sub"));
        std::ofstream(machine->DriveC("Data/one.txt")) << "1";
        std::ofstream(machine->DriveC("Data/two.ini")) << "2";
    }
    void TearDown() override { KIVResetPlatformFamily(); }

    // Every entry of a search: full path -> is a folder.
    static std::map<std::u16string, bool> Entries(const char16_t* pattern) {
        std::map<std::u16string, bool> entries;
        KIVFileFinder finder(pattern);
        KIVString path;
        bool isFolder = false;
        while (finder.Next(&path, &isFolder))
            entries[std::u16string(path)] = isFolder;
        return entries;
    }
    std::unique_ptr<TestMachine> machine;
};

TEST_P(KIVFileFinderTest, NextBuildsFullPathsAndTellsFolders) {
    std::map<std::u16string, bool> expected = {
        {u"C:\\Data\\.", true},   {u"C:\\Data\\..", true},       {u"C:\\Data\\one.txt", false},
        {u"C:\\Data\\Sub", true}, {u"C:\\Data\\two.ini", false},
    };
    EXPECT_EQ(Entries(u"C:\\Data\\*"), expected);
    // The later of the two separators ends the folder part.
    EXPECT_EQ(Entries(u"C:\\Data/*.txt"),
              (std::map<std::u16string, bool>{{u"C:\\Data/one.txt", false}}));
    EXPECT_EQ(Entries(u"C:/data\\ONE.TXT"),
              (std::map<std::u16string, bool>{{u"C:/data\\one.txt", false}}));
}

TEST_P(KIVFileFinderTest, CountAndClose) {
    KIVFileFinder all(u"C:\\Data\\*");
    EXPECT_EQ(all.Count(), 5);
    EXPECT_FALSE(all.Next(nullptr, nullptr)) << "the search stays at its end";
    KIVFileFinder missing(u"C:\\Nowhere\\*");
    EXPECT_EQ(missing.Count(), 0);

    KIVFileFinder closed(u"C:\\Data\\*.ini");
    EXPECT_TRUE(closed.Next(nullptr, nullptr));
    closed.Close();
    EXPECT_FALSE(closed.Next(nullptr, nullptr));
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, KIVFileFinderTest,
                         ::testing::Values(PlatformFamily::NT, PlatformFamily::Win9x),
                         [](const auto& info) {
                             return info.param == PlatformFamily::NT ? "NT" : "Win9x";
                         });

} // namespace
