// The install worker's procedure over a description made in the test and a
// volume written from the layout: which entries it installs, what it
// records, and how a cancel and the cancel question stop it.
#include "PackedEntries.h"
#include "TestMachine.h"
#include "engine/VolumeBytes.h"
#include "setup/SetupDriver.h"

#include "platform/Windows.h"

#include <cstring>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {

SetupDriver* current = nullptr;
// More than the reader's writer holds ahead of what it has written, so that
// a cancel reported during the member finds it unfinished.
constexpr std::size_t kBigSize = 8000000;
std::atomic<int> bytesSeen{0};

// The progress page's byte callback; cancels once the last entry's big
// member is under way, as a user confirming Cancel would.
void CancelDuringBig(int count) {
    if ((bytesSeen += count) > 300000)
        current->worker.cancelRequested.store(1);
}

class InstallProcedureTest : public MachineTest {
protected:
    void SetUp() override {
        VolumeBytes volume;
        small = volume.Package(1);
        volume.Member("small.txt", ZlibStream("small"));
        big = volume.Package(1);
        volume.Member("big.bin", ZlibStream(std::string(kBigSize, 'b')));
        volume.Trailer();
        fs::create_directories(machine.DriveC("Medium"));
        ASSERT_TRUE(volume.Save(machine.DriveC("Medium/archive.zkiv")));
        ASSERT_EQ(driver.zip.OpenArchive(u"C:\\Medium", u"C:\\Medium", u"archive", false), 0);
        driver.state.variables.installDst = u"C:\\Dest";
        driver.stagingFolder = u"C:\\Staging";
        driver.state.currentLanguage = 1;
        current = &driver;
        bytesSeen = 0;
    }

    InstallEntry* Entry(const char* folder, std::int32_t offset) {
        return AddPackedEntry(driver, folder, offset);
    }
    Component* AddComponent(std::vector<InstallEntry*> entries, std::int32_t languages = 1) {
        auto component = std::make_unique<Component>();
        component->languages = languages;
        component->entries = std::move(entries);
        driver.state.description.components.push_back(std::move(component));
        return driver.state.description.components.back().get();
    }
    void Choose(std::vector<Component*> components) {
        auto type = std::make_unique<SetupType>();
        type->components = std::move(components);
        driver.state.description.setupTypes.push_back(std::move(type));
        driver.state.chosenSetupType = driver.state.description.setupTypes.back().get();
    }
    std::string Folder(int index) const { return driver.lists.folders.GetAt(index); }

    SetupDriver driver;
    std::uint32_t small = 0, big = 0;
};

} // namespace

TEST_F(InstallProcedureTest, ChosenComponentsAreInstalledEntryByEntry) {
    InstallEntry* shared = Entry("Shared", small);
    InstallEntry* runOnly = Entry("Tools", small);
    runOnly->notInstalled = true;
    runOnly->run = true;
    InstallEntry* mac = Entry("Mac", small);
    mac->platform = 0;
    Component* first = AddComponent({shared, runOnly, mac});
    Component* second = AddComponent({shared});
    Component* french = AddComponent({Entry("French", small)}, 2);
    Component* unselected = AddComponent({Entry("Off", small)});
    unselected->selected = false;
    Component* empty = AddComponent({});
    Choose({first, second, french, unselected, empty});

    driver.InstallProcedure(nullptr, nullptr);
    EXPECT_EQ(driver.worker.finished.load(), 1);
    EXPECT_EQ(driver.worker.resultCode.load(), kInstallSucceeded);
    ASSERT_EQ(driver.lists.folders.GetSize(), 2) << "a shared entry is installed twice";
    EXPECT_EQ(Folder(0), "C:\\Dest\\Shared");
    EXPECT_EQ(Folder(1), "C:\\Dest\\Shared");
    EXPECT_EQ(driver.lists.files.GetSize(), 2);
    EXPECT_EQ(driver.runList, (std::vector<const InstallEntry*>{runOnly}));
    EXPECT_FALSE(fs::exists(machine.DriveC("Dest/French")));
    EXPECT_FALSE(fs::exists(machine.DriveC("Dest/Off")));
    EXPECT_FALSE(fs::exists(machine.DriveC("Dest/Mac")));
}

TEST_F(InstallProcedureTest, AFailingEntryEndsWithItsMessage) {
    InstallEntry* broken = Entry("", 3); // no package starts there
    std::strcpy(broken->entryName, "Broken");
    Choose({AddComponent({Entry("Before", small), broken, Entry("After", small)})});
    driver.InstallProcedure(nullptr, nullptr);
    EXPECT_EQ(driver.worker.resultCode.load(), kInstallExtractFailed);
    EXPECT_NE(KIVString(driver.worker.errorText).Find(u"Broken"), -1);
    EXPECT_EQ(driver.FailedEntry(), broken);
    EXPECT_EQ(driver.lists.folders.GetSize(), 1);
    EXPECT_FALSE(fs::exists(machine.DriveC("Dest/After")));
}

// A cancel confirmed while the last entry is unpacked: the package stops,
// the staged system files are still installed, the registry keys are not
// written, and the result is the cancel, not a failure.
TEST_F(InstallProcedureTest, CancelDuringTheLastEntry) {
    InstallEntry* system = Entry("", small); // a system file, staged by this setup
    system->system = true;
    Choose({AddComponent({system, Entry("One", small), Entry("Two", big)})});
    driver.state.description.registryKeys.emplace_back();
    std::strcpy(driver.state.description.registryKeys.back().keyPath,
                "HKEY_LOCAL_MACHINE\\Software\\Never");

    driver.InstallProcedure(CancelDuringBig, nullptr);
    EXPECT_EQ(driver.worker.resultCode.load(), kInstallCancelled);
    EXPECT_TRUE(driver.worker.errorText.IsEmpty());
    EXPECT_LT(fs::file_size(machine.DriveC("Dest/Two/big.bin")), kBigSize);
    EXPECT_EQ(driver.lists.folders.GetSize(), 3) << "the cut entry's folder is recorded";
    EXPECT_TRUE(fs::exists(machine.DriveC("Windows/System32/small.txt")));
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Never", 0, KEY_READ, &key),
              ERROR_SUCCESS);
}

// While the cancel question is open the worker starts nothing; No lets it go
// on where it stopped.
TEST_F(InstallProcedureTest, TheOpenQuestionHoldsTheWorker) {
    Choose({AddComponent({Entry("One", small), Entry("Two", small)})});
    driver.worker.questionOpen.store(1);
    std::thread worker([this] { driver.InstallProcedure(nullptr, nullptr); });
    Sleep(100);
    EXPECT_FALSE(fs::exists(machine.DriveC("Dest/One")));
    EXPECT_EQ(driver.worker.finished.load(), 0);
    driver.worker.questionOpen.store(0);
    worker.join();
    EXPECT_EQ(driver.worker.resultCode.load(), kInstallSucceeded);
    EXPECT_TRUE(fs::exists(machine.DriveC("Dest/Two/small.txt")));
}

TEST_F(InstallProcedureTest, ASetupTypeWithoutComponentsWritesTheKeysOnly) {
    Choose({});
    driver.state.description.registryKeys.emplace_back();
    std::strcpy(driver.state.description.registryKeys.back().keyPath,
                "HKEY_LOCAL_MACHINE\\Software\\Only keys");
    EXPECT_EQ(driver.RunInstallation(nullptr, nullptr), kInstallSucceeded);
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Only keys", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(driver.lists.registryKeys.GetSize(), 1);
}
