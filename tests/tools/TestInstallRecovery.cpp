// kivtool uninstall after kivtool install, end to end: a setup killed at
// several points of a real installation is undone from its journal; a file
// and a value of the user's own survive the uninstallation with their folder
// and key; and two products sharing a system file that the machine already
// counts each give back their own use of it.
#include "InstallCommandTest.h"

namespace {

class InstallRecoveryTest : public InstallCommandTest {
protected:
    // Runs kivtool install and kills it with SIGKILL once it has begun its
    // entry-th install entry, after waiting delay microseconds; what it
    // printed until then.
    std::string InstallKilled(int entry, int delay) {
        int output[2];
        if (pipe(output) != 0)
            return "no pipe";
        const pid_t child = fork();
        if (child == 0) {
            dup2(output[1], STDOUT_FILENO);
            dup2(output[1], STDERR_FILENO);
            close(output[0]);
            setenv("KIV_MACHINE", root.c_str(), 1);
            execl(KIVTOOL_PATH, "kivtool", "install", medium.c_str(), "--startup-shortcut",
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        close(output[1]);
        std::string text;
        char buffer[4096];
        int begun = 0;
        bool killed = false;
        for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) > 0;) {
            const std::string part(buffer, static_cast<std::size_t>(got));
            for (std::size_t at = 0; (at = part.find("installing ", at)) != std::string::npos; ++at)
                ++begun;
            text += part;
            if (!killed && begun >= entry) {
                usleep(static_cast<useconds_t>(delay));
                killed = kill(child, SIGKILL) == 0;
            }
        }
        close(output[0]);
        int status = 0;
        waitpid(child, &status, 0);
        return text;
    }

    std::string Registry() const {
        return RunKivtool("reg export --utf8", Environment(), true).output;
    }
    // The registry but for the key the description keeps (DONTUNINSTALL).
    std::string RegistryWithoutKeptKey() const {
        RunKivtool("reg delete 'HKEY_CURRENT_USER\\Software\\Kiv test'", Environment());
        return Registry();
    }

    // A second product on its own medium, with the same files and system
    // library as Talvic Studio, named Vantor.
    fs::path MakeSecondMedium() {
        const fs::path second = root / "medium2";
        fs::create_directories(second);
        fs::copy(medium, second, fs::copy_options::recursive);
        std::string config = ReadHostFile(work / "setup/config.ini");
        for (const auto& [from, to] :
             {std::pair<std::string, std::string>{"AppName Talvic\n", "AppName Vantor\n"},
              {"\"Talvic Studio\"", "\"Vantor Studio\""}})
            config.replace(config.find(from), from.size(), to);
        WriteHostFile(work / "setup2/config.ini", config);
        Pack(second / "Setup files/archive.zkiv", "--setup '" + (work / "setup2").string() + "'");
        return second;
    }
};

const std::string kLibraryKey = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

long SharedCount(const std::string& path) {
    HKEY key = nullptr;
    DWORD count = 0, size = sizeof count;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kLibraryKey.c_str(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return -1;
    const LSTATUS status = RegQueryValueExA(key, path.c_str(), nullptr, nullptr,
                                            reinterpret_cast<BYTE*>(&count), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? static_cast<long>(count) : -1;
}

} // namespace

// Killed as each install entry begins, and a little later while the last one
// is unpacked, the registry written, the shortcuts made or the record
// written: kivtool uninstall always gives back the fresh machine, the
// system library (new, so counted once by the setup) included.
TEST_P(InstallRecoveryTest, AKilledInstallationIsUndoneFromItsJournal) {
    const std::string drive = machine->DriveC();
    const auto fresh = DriveListing(drive);
    const std::string registry = Registry();
    const std::pair<int, int> points[] = {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, 3000}, {4, 20000}};
    int journals = 0;
    for (const auto& [entry, delay] : points) {
        const std::string printed = InstallKilled(entry, delay);
        journals += fs::exists(Product(".uninstallinfos.journal"));
        KivtoolRun removed = RunKivtool("uninstall '" + kBase + "'", Environment());
        EXPECT_EQ(removed.status, 0) << entry << "/" << delay << "\n" << printed << removed.output;
        EXPECT_EQ(DriveListing(drive), fresh) << entry << "/" << delay << "\n" << removed.output;
        EXPECT_EQ(RegistryWithoutKeptKey(), registry) << entry << "/" << delay;
    }
    EXPECT_GE(journals, 3) << "most kills land before the record is written";
}

// A file of the user's own in the installation folder and a value of the
// user's own in the product's key keep their folder and key; the product's
// own values and files go.
TEST_P(InstallRecoveryTest, TheUsersOwnFileAndValueSurviveWithTheirFolderAndKey) {
    ASSERT_EQ(Install().status, 0);
    WriteHostFile(Product("Samples/mine.txt"), "mine");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Kiv test\\Talvic Studio", 0,
                            KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    const DWORD mine = 7;
    RegSetValueExA(key, "Mine", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mine), sizeof mine);
    RegCloseKey(key);

    KivtoolRun removed = RunKivtool("uninstall '" + kBase + "'", Environment());
    EXPECT_EQ(removed.status, 0) << removed.output;
    EXPECT_EQ(ReadHostFile(Product("Samples/mine.txt")), "mine");
    EXPECT_FALSE(fs::exists(Product("app.exe")));
    EXPECT_FALSE(fs::exists(Product(".uninstallinfos.values")));
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Kiv test\\Talvic Studio", 0,
                            KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(key, "Mine", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_NE(RegQueryValueExA(key, "InstallDir", nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_NE(removed.output.find("not installed by this product"), std::string::npos)
        << removed.output;
}

// The machine counts one use of the library before either product comes;
// each product adds its own and each uninstallation gives only its own back.
TEST_P(InstallRecoveryTest, TwoProductsSharingACountedSystemFileEachGiveBackTheirUse) {
    const std::string library = SystemFolder() + "\\kivshared.dll";
    WriteHostFile(Host(library), Library(0x00010000));
    HKEY counts = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, kLibraryKey.c_str(), &counts), ERROR_SUCCESS);
    const DWORD one = 1;
    RegSetValueExA(counts, library.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                   sizeof one);
    RegCloseKey(counts);
    const fs::path second = MakeSecondMedium();
    const std::string secondBase = "C:\\Program Files\\Kiv software\\Vantor";

    ASSERT_EQ(Install().status, 0);
    KivtoolRun installed = RunKivtool("install '" + second.string() + "'", Environment());
    ASSERT_EQ(installed.status, 0) << installed.output;
    EXPECT_EQ(SharedCount(library), 3);

    KivtoolRun first = RunKivtool("uninstall '" + kBase + "'", Environment());
    EXPECT_EQ(first.status, 0) << first.output;
    EXPECT_EQ(SharedCount(library), 2);
    EXPECT_EQ(ReadHostFile(Host(library)), Library(0x00020000));
    EXPECT_NE(first.output.find("still used by 2 other programs"), std::string::npos)
        << first.output;
    EXPECT_TRUE(fs::exists(Host(secondBase + "\\app.exe")));

    KivtoolRun last = RunKivtool("uninstall '" + secondBase + "'", Environment());
    EXPECT_EQ(last.status, 0) << last.output;
    EXPECT_EQ(SharedCount(library), 1);
    EXPECT_TRUE(fs::exists(Host(library)));
    EXPECT_FALSE(fs::exists(Host(secondBase)));
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, InstallRecoveryTest,
                         ::testing::Values(PlatformFamily::NT, PlatformFamily::Win9x),
                         [](const auto& info) {
                             return info.param == PlatformFamily::NT ? "NT" : "Win9x";
                         });
