#include "TestMachine.h"
#include "platform/HostText.h"
#include "platform/WinBase.h"
#include "platform/WinUser.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {
std::string Host(const TestMachine& machine, std::string windowsPath) {
    for (char& c : windowsPath)
        if (c == '\\')
            c = '/';
    return machine.DriveC(windowsPath.substr(3));
}
} // namespace

TEST(Machine, CreateMakesTheTreeOfEachFamily) {
    MachineSettings nt;
    nt.userName = "Ann";
    TestMachine ntMachine(nt);
    EXPECT_EQ(MachineFolders::System(), "C:\\Windows\\System32");
    for (const std::string& folder : MachineFolders::All(nt))
        EXPECT_TRUE(fs::is_directory(Host(ntMachine, folder))) << folder;
    EXPECT_EQ(MachineFolders::Temp(), "C:\\Documents and Settings\\Ann\\Local Settings\\Temp");

    MachineSettings old;
    old.family = PlatformFamily::Win9x;
    TestMachine oldMachine(old);
    EXPECT_EQ(MachineFolders::System(), "C:\\Windows\\System");
    EXPECT_TRUE(fs::is_directory(oldMachine.DriveC("Windows/System")));
    EXPECT_TRUE(fs::is_directory(oldMachine.DriveC("Windows/Start Menu/Programs/Startup")));
}

TEST(Machine, SettingsRoundTripAndUseBumpsTheGeneration) {
    MachineSettings settings;
    settings.family = PlatformFamily::Win9x;
    settings.languageId = 0x0411;
    settings.codePage = 932;
    settings.screenWidth = 800;
    settings.screenHeight = 600;
    settings.administrator = false;
    settings.scale = 3;
    settings.registeredOwner = "Taro\nInjected=1";
    settings.registeredOrganization = "Org";
    TestMachine machine(settings);
    MachineSettings loaded;
    ASSERT_TRUE(Machine::LoadSettings(machine.Root(), &loaded));
    EXPECT_EQ(loaded.family, PlatformFamily::Win9x);
    EXPECT_EQ(loaded.languageId, 0x0411u);
    EXPECT_EQ(loaded.codePage, 932u);
    EXPECT_EQ(loaded.screenWidth, 800);
    EXPECT_FALSE(loaded.administrator);
    EXPECT_EQ(loaded.scale, 3);
    EXPECT_EQ(loaded.registeredOwner, "TaroInjected=1");
    EXPECT_EQ(loaded.registeredOrganization, "Org");

    unsigned before = Machine::Generation();
    EXPECT_TRUE(Machine::Use(machine.Root()));
    EXPECT_EQ(Machine::Generation(), before + 1);
    EXPECT_FALSE(Machine::Use(machine.Root() + "/nothing-here"));
}

TEST(Machine, BadSettingsFilesAreRefused) {
    TestMachine machine;
    // A CR within a text could never be saved back: such a file is damage.
    for (const char* line : {"codepage=437", "family=OS2", "screen=0x10", "language=zz", "scale=9",
                             "scale=-1", "scale=two", "owner=A\rB", "user=ada\r\r"}) {
        std::ofstream(machine.Root() + "/machine.ini") << line << "\n";
        MachineSettings loaded;
        EXPECT_FALSE(Machine::LoadSettings(machine.Root(), &loaded)) << line;
    }
}

TEST(SystemInfo, ReflectsTheFamilyAndSettings) {
    MachineSettings settings;
    settings.screenWidth = 1280;
    settings.screenHeight = 1024;
    settings.languageId = 0x040C;
    {
        TestMachine machine(settings);
        EXPECT_EQ(GetVersion(), 0x0A280105u);
        EXPECT_LT(GetVersion(), 0x80000000u);
        EXPECT_EQ(GetUserDefaultLangID(), 0x040C);
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
        EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
    }
    settings.family = PlatformFamily::Win9x;
    TestMachine old(settings);
    EXPECT_GE(GetVersion(), 0x80000000u);
    EXPECT_EQ(GetVersion() & 0xFFFF, 0x0A04u);
}

TEST_F(MachineTest, FolderQueriesReturnLengthOrNeededSize) {
    char buffer[MAX_PATH];
    EXPECT_EQ(GetWindowsDirectoryA(buffer, MAX_PATH), 10u);
    EXPECT_STREQ(buffer, "C:\\Windows");
    char small[5] = "xxxx";
    EXPECT_EQ(GetWindowsDirectoryA(small, 5), 11u);
    EXPECT_STREQ(small, "xxxx");
    WCHAR wide[MAX_PATH];
    EXPECT_EQ(GetSystemDirectoryW(wide, MAX_PATH), 19u);
    EXPECT_EQ(std::u16string(wide), u"C:\\Windows\\System32");
    DWORD length = GetTempPathA(MAX_PATH, buffer);
    EXPECT_EQ(length, std::string(buffer).size());
    EXPECT_EQ(buffer[length - 1], '\\');
}
