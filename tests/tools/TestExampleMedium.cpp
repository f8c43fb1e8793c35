// The medium of the example product Orrery Planetarium, as the build made it
// in build/examples/product/medium: its volumes and description pass
// kivtool's checks, its pictures decode at their sizes, and kivtool install
// puts the product on a fresh machine (files, the versioned shared library,
// registry keys, shortcuts, uninstall record), where the program does its
// job, until kivtool uninstall takes it all away again.
#include "InstallCommandTest.h"
#include "platform/Machine.h"
#include "platform/WinBase.h"
#include "platform/WinVer.h"
#include "setup/LoadJpegFitted.h"
#include "setup/SetupDescription.h"
#include "toolkit/KIVString.h"

#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

const std::string kProduct = "C:\\Program Files\\Kiv software\\Orrery";
const std::string kLibrary = "C:\\Windows\\System32\\KivOrbit.dll";
const char kLanguages[][9] = {"English", "French", "German", "Japanese"};

// Each test reads its own copy of the medium: a setup holds the volumes it
// reads open without sharing, as on Windows, so two at once on one medium
// would keep each other out.
class ExampleMediumTest : public ::testing::Test {
protected:
    ExampleMediumTest()
        : medium(fs::path(machine.Root()) / "medium"), files(medium / "Setup files") {
        fs::copy(KIV_EXAMPLE_MEDIUM, medium, fs::copy_options::recursive);
    }
    KivtoolRun Kivtool(const std::string& arguments) const {
        return RunKivtool(arguments, "KIV_MACHINE='" + machine.Root() + "'");
    }
    KivtoolRun Install(const std::string& options = "") const {
        return Kivtool("install '" + medium.string() + "' " + options);
    }
    std::string Product(const std::string& relative) const {
        return machine.DriveC("Program Files/Kiv software/Orrery/" + relative);
    }
    // Unpacks a package of a volume into C:\<folder>; false when kivtool fails.
    bool Extract(const std::string& volume, std::uint32_t offset, const std::string& folder) const {
        const KivtoolRun run = Kivtool("pack extract '" + (files / volume).string() + "' " +
                                       std::to_string(offset) + " 'C:\\" + folder + "'");
        EXPECT_EQ(run.status, 0) << run.output;
        return run.status == 0;
    }
    // The description in the medium's setup package, unpacked to C:\Setup.
    void LoadDescription() {
        const std::string volume = ReadHostFile(files / "archive.zkiv");
        ASSERT_GE(volume.size(), 4u);
        std::uint32_t setupOffset = 0;
        for (int i = 3; i >= 0; --i)
            setupOffset = setupOffset << 8 | static_cast<unsigned char>(volume[i]);
        ASSERT_TRUE(Extract("archive.zkiv", setupOffset, "Setup"));
        std::FILE* file = std::fopen(machine.DriveC("Setup/config.ini").c_str(), "rb");
        ASSERT_NE(file, nullptr);
        ASSERT_TRUE(LoadSetupDescription(description, file));
        std::fclose(file);
    }
    // Starts a program of the machine and waits for its exit code (0xDEAD
    // when it did not start).
    DWORD RunOnMachine(std::string command) const {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process;
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process))
            return 0xDEAD;
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
        DWORD code = 0xDEAD;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return code;
    }
    const InstallEntry& Entry(const char* name) const {
        for (const auto& entry : description.installEntries)
            if (std::string(entry->entryName) == name)
                return *entry;
        ADD_FAILURE() << "no install entry " << name;
        return *description.installEntries.front();
    }

    TestMachine machine;
    const fs::path medium, files;
    SetupDescription description;
};

std::string Utf16BigEndian(const std::string& ascii) {
    std::string wide;
    for (char c : ascii)
        wide += std::string(1, '\0') + c;
    return wide;
}

} // namespace

// The medium's layout: two volumes that kivtool verifies with the packed
// description, the copied folder, and per language the compiled resources
// and the licence in UTF-16 (big-endian, with its mark).
TEST_F(ExampleMediumTest, TheMediumPassesKivtoolsChecks) {
    LoadDescription();
    const std::string config = machine.DriveC("Setup/config.ini");
    KivtoolRun checked = Kivtool("config check '" + config + "'");
    EXPECT_EQ(checked.status, 0) << checked.output;
    EXPECT_EQ(ReadHostFile(config).find("@OFFSET_"), std::string::npos);
    EXPECT_EQ(ReadHostFile(config).find("@SIZE_"), std::string::npos);
    EXPECT_TRUE(description.multiVolume);
    for (const char* volume : {"archive.zkiv", "archive1.zkiv"}) {
        KivtoolRun verified =
            Kivtool("pack verify '" + (files / volume).string() + "' --config '" + config + "'");
        EXPECT_EQ(verified.status, 0) << volume << "\n" << verified.output;
    }
    EXPECT_EQ(Entry("Samples").volume, 2);
    EXPECT_FALSE(Entry("Charts").packed);
    EXPECT_EQ(Entry("Charts").size,
              static_cast<std::int32_t>(fs::file_size(medium / "Charts/spring.txt") +
                                        fs::file_size(medium / "Charts/autumn.txt")));
    for (const char* language : kLanguages) {
        const fs::path folder = files / "Languages" / language;
        for (const char* extension : {".erf", ".erb", ".erd", ".erm", ".era", ".ers"})
            EXPECT_TRUE(fs::exists(folder / ("Setup" + std::string(extension)))) << folder;
        const std::string licence = ReadHostFile(folder / "licence.txt");
        EXPECT_EQ(licence.substr(0, 2), "\xFE\xFF") << language;
        EXPECT_EQ(licence.size() % 2, 0u) << language;
    }
    EXPECT_NE(ReadHostFile(files / "Languages/English/licence.txt")
                  .find(Utf16BigEndian("LICENCE AGREEMENT\r\n")),
              std::string::npos);
    EXPECT_NE(ReadHostFile(files / "Languages/Japanese/licence.txt").find("\x4F\x7F\x75\x28"),
              std::string::npos)
        << "使用 in UTF-16BE";
}

// The side image and the two logos, with their masks, unpacked from the
// medium and decoded by the setup's own loader at their full sizes; the
// masks are grey, showing the picture's middle and hiding its corners.
TEST_F(ExampleMediumTest, TheSetupPicturesDecodeAtTheirSizes) {
    LoadDescription();
    ASSERT_TRUE(Extract("archive.zkiv", Entry("SideImage").packageOffset, "Jpegs\\Resources"));
    ASSERT_TRUE(Extract("archive.zkiv", Entry("Logos").packageOffset, "Jpegs\\Logos"));
    struct Picture {
        const char* base;
        int width, height, maxWidth, maxHeight;
    };
    for (const Picture& picture :
         {Picture{"Resources\\leftimage", 113, 353, 113, 353},
          Picture{"Logos\\talvic4", 360, 120, 800, 800}, Picture{"Logos\\kiv", 150, 62, 150, 62}})
        for (const char* kind : {"_rgb.jpg", "_alp.jpg"}) {
            const KIVString path =
                KIVString(u"C:\\Jpegs\\") + KIVString(picture.base) + KIVString(kind);
            std::vector<unsigned char> pixels;
            int width = picture.maxWidth, height = picture.maxHeight;
            ASSERT_TRUE(LoadJpegFitted(path, &pixels, &height, &width)) << picture.base << kind;
            EXPECT_EQ(width, picture.width) << picture.base << kind;
            EXPECT_EQ(height, picture.height) << picture.base << kind;
            if (std::string(kind) != "_alp.jpg")
                continue;
            const std::size_t middle =
                3 * (static_cast<std::size_t>(height / 2) * width + width / 2);
            EXPECT_GT(pixels[middle], 240) << picture.base << ": the middle shows";
            EXPECT_LT(pixels[0], 16) << picture.base << ": a corner lets the background through";
            EXPECT_NEAR(pixels[middle], pixels[middle + 2], 4) << picture.base << ": grey";
        }
}

// A typical installation in English, on a machine where another product
// already shares the orbit library.
TEST_F(ExampleMediumTest, ATypicalInstallationPutsTheProductInPlace) {
    HKEY counts;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", &counts),
              ERROR_SUCCESS);
    DWORD one = 1, count = 0, size = 4;
    RegSetValueExA(counts, kLibrary.c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4);

    const KivtoolRun run = Install("--user 'Caroline Herschel' --company 'Slough Observatory'");
    ASSERT_EQ(run.status, 0) << run.output;
    for (const char* file : {"Orrery.exe", "Docs/readme.txt", "Docs/manual.html",
                             "Charts/spring.txt", "Welcome/Welcome.exe"})
        EXPECT_TRUE(fs::exists(Product(file))) << file;
    EXPECT_FALSE(fs::exists(Product("Samples"))) << "samples are for a custom setup";
    EXPECT_FALSE(fs::exists(Product("Docs/Handbuch.html"))) << "the German manual in English";

    DWORD handle = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(kLibrary.c_str(), &handle));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoA(kLibrary.c_str(), 0, block.size(), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010004u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    RegQueryValueExA(counts, kLibrary.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&count),
                     &size);
    EXPECT_EQ(count, 2u);
    RegCloseKey(counts);

    const std::string keys =
        Kivtool("reg export --utf8 'HKEY_LOCAL_MACHINE\\Software\\Kiv software\\Orrery\\1.4'")
            .output;
    EXPECT_NE(keys.find("\"InstallDir\"=\"C:\\\\Program Files\\\\Kiv software\\\\Orrery\""),
              std::string::npos)
        << keys;
    EXPECT_NE(keys.find("\"User\"=\"Caroline Herschel\""), std::string::npos) << keys;
    EXPECT_NE(keys.find("\"Company\"=\"Slough Observatory\""), std::string::npos) << keys;
    EXPECT_NE(keys.find("\"Planets\"=dword:00000008"), std::string::npos) << keys;
    EXPECT_NE(Kivtool("reg export --utf8 'HKEY_CURRENT_USER\\Software\\Kiv software\\Orrery'")
                  .output.find("\"Language\"=\"English\""),
              std::string::npos);

    const std::string record = ReadHostFile(Product(".uninstallinfos.log"));
    EXPECT_NE(record.find(kProduct + "\\\\Orrery.exe\r\n"), std::string::npos) << record;
    EXPECT_NE(record.find(kProduct + "\\Orrery report.txt\r\n"), std::string::npos) << record;
    EXPECT_NE(record.find("HKEY_LOCAL_MACHINE\\Software\\Kiv software\\Orrery\\1.4\r\n"),
              std::string::npos)
        << record;
}

// The program group holds the program and the manual; lnkinfo, a reader of
// .LNK files that is not ours, finds their targets.
TEST_F(ExampleMediumTest, TheShortcutsLeadToTheProgramAndTheManual) {
    ASSERT_EQ(Install("--startup-shortcut").status, 0);
    std::set<std::string> links;
    for (const auto& entry : fs::recursive_directory_iterator(machine.DriveC()))
        if (entry.path().extension() == ".LNK")
            links.insert(entry.path().parent_path().filename().string() + "/" +
                         entry.path().filename().string());
    EXPECT_EQ(links, (std::set<std::string>{"Orrery/Orrery.LNK", "Orrery/Orrery manual.LNK",
                                            "Orrery/Read me.LNK", "Startup/Orrery.LNK"}));
    const fs::path manual = machine.DriveC(
        "Documents and Settings/All Users/Start Menu/Programs/Orrery/Orrery manual.LNK");
    FILE* pipe = popen(("lnkinfo '" + manual.string() + "' 2>&1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string shown;
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        shown.append(buffer, got);
    EXPECT_EQ(pclose(pipe), 0) << shown;
    EXPECT_NE(shown.find(kProduct + "\\Docs\\manual.html"), std::string::npos) << shown;
}

// Orrery.exe, started on the machine, writes the table of the planets beside
// itself; on 2000-01-01 the Earth stood at its epoch longitude. The welcome
// program that the setup runs at its end leaves its note. What both wrote
// goes with the product when it is uninstalled.
TEST_F(ExampleMediumTest, TheProgramsRunOnTheMachineAndDoTheirJob) {
    const KivtoolRun installed = Install("--json");
    ASSERT_EQ(installed.status, 0);
    EXPECT_NE(installed.output.find("\"runEntries\": [\"Welcome\"]"), std::string::npos)
        << installed.output;
    EXPECT_EQ(RunOnMachine("\"" + kProduct + "\\Orrery.exe\" 2000-01-01"), 0u);
    const std::string report = ReadHostFile(Product("Orrery report.txt"));
    EXPECT_NE(report.find("the planets on 2000-01-01\r\n"), std::string::npos) << report;
    EXPECT_NE(report.find("Earth      1.00 AU  longitude 100.46 degrees\r\n"), std::string::npos)
        << report;
    EXPECT_NE(report.find("Neptune"), std::string::npos) << report;
    EXPECT_EQ(RunOnMachine(kProduct + "\\Welcome\\Welcome.exe"), 0u);
    EXPECT_EQ(ReadHostFile(Product("Welcome/welcome.txt")).rfind("Welcome to Orrery", 0), 0u);

    EXPECT_EQ(Kivtool("uninstall '" + kProduct + "'").status, 0);
    EXPECT_FALSE(fs::exists(Product(""))) << "what the programs wrote and the folder are gone";
}

// German users get the German manual; Compact leaves out the documentation.
TEST_F(ExampleMediumTest, TheLanguageAndTheSetupTypeChooseTheComponents) {
    ASSERT_EQ(Install("--language german").status, 0);
    EXPECT_TRUE(fs::exists(Product("Docs/Handbuch.html")));
    ASSERT_EQ(Kivtool("uninstall '" + kProduct + "'").status, 0);
    ASSERT_EQ(Install("--type compact").status, 0);
    EXPECT_TRUE(fs::exists(Product("Orrery.exe")));
    EXPECT_FALSE(fs::exists(Product("Docs")));
    EXPECT_FALSE(fs::exists(Product("Charts")));
}

// Install with the start-up shortcut, uninstall: the drive and the registry
// are the fresh machine's again. The shared library, new on this machine,
// was counted once by the setup and goes with that one use.
TEST_F(ExampleMediumTest, UninstallLeavesTheMachineAsItWas) {
    const std::string drive = machine.DriveC();
    const auto before = DriveListing(drive);
    const std::string registryBefore = Kivtool("reg export --utf8").output;
    ASSERT_EQ(Install("--startup-shortcut").status, 0);
    ASSERT_TRUE(fs::exists(machine.DriveC("Windows/System32/KivOrbit.dll")));

    const KivtoolRun removed = Kivtool("uninstall '" + kProduct + "'");
    EXPECT_EQ(removed.status, 0) << removed.output;
    EXPECT_EQ(DriveListing(drive), before) << removed.output;
    EXPECT_EQ(Kivtool("reg export --utf8").output, registryBefore);
}
