// The fixture of the setup program's tests: a copy of the example product's
// medium on a fresh machine, and the real Setup.exe run on it headless under
// an input script, as a person would click through it. Helpers reach each
// page and look at what the run left on the machine.
#pragma once

#include "HostFiles.h"
#include "KivtoolRun.h"
#include "TestMachine.h"
#include "platform/PeImageBuilder.h"
#include "platform/Windows.h"
#include "setup/SetupDescription.h"
#include "setup/SetupState.h"

#include <chrono>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace setup_test {

namespace fs = std::filesystem;

// The pages' layout identifiers, as input scripts name them.
enum Page {
    kLanguagePage = 17,
    kWelcomePage = 10,
    kLicencePage = 11,
    kUserPage = 12,
    kSetupTypePage = 13,
    kCustomPage = 14,
    kProgressPage = 16,
    kCompletePage = 15
};

// The exit codes 1602, 1603 and 3010 as a process's exit status holds them
// (the low byte).
constexpr int kCancelledStatus = 1602 & 0xFF;
constexpr int kFailedStatus = 1603 & 0xFF;
constexpr int kRestartNeededStatus = 3010 & 0xFF;

// The message boxes' caption: the toolkit application's name.
inline const char kBox[] = "wait-window \"Kiv installer\"\n";

class SetupProgramTest : public ::testing::Test {
protected:
    explicit SetupProgramTest(const MachineSettings& settings = MachineSettings())
        : machine(settings), root(machine.Root()), medium(root / "medium") {
        fs::copy(KIV_EXAMPLE_MEDIUM, medium, fs::copy_options::recursive);
    }

    // Runs Setup.exe under the script; its exit status (3: the script failed).
    int RunSetup(const std::string& script, const std::string& arguments = "") {
        WriteHostFile(root / "run.script", script);
        return RunSetupOn(root, arguments, "KIV_SCRIPT='" + (root / "run.script").string() + "' ");
    }
    // Runs Setup.exe with arguments and no script on the machine at
    // machineRoot; its exit status.
    int RunSetupOn(const fs::path& machineRoot, const std::string& arguments,
                   const std::string& environment = "") {
        const std::string command = "cd '" + root.string() + "' && KIV_MACHINE='" +
                                    machineRoot.string() + "' KIV_DISPLAY=headless " + environment +
                                    "timeout 120 '" + (medium / "Setup.exe").string() + "' " +
                                    arguments + " > '" + (root / "setup.log").string() + "' 2>&1";
        const int status = std::system(command.c_str());
        output = ReadHostFile(root / "setup.log");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The script's lines from the start up to the page given (the language
    // page's choice kept, the licence accepted).
    static std::string Through(Page page) {
        std::string script = "wait-window #17\n";
        if (page == kLanguagePage)
            return script;
        script += "key Return\nwait-window #10\n";
        if (page == kWelcomePage)
            return script;
        script += "key Return\nwait-window #11\n";
        if (page == kLicencePage)
            return script;
        script += "click #1501\nkey Return\nwait-window #12\n";
        if (page == kUserPage)
            return script;
        return script + "key Return\nwait-window #13\n";
    }
    // From the setup type page on to Finish.
    static std::string FinishTypical() {
        return "key Return\nwait-window #15 60000\nclick #1100\n";
    }

    // The medium's description, unpacked on the machine once.
    const SetupDescription& Description() {
        if (!description) {
            const std::string volume = ReadHostFile(medium / "Setup files/archive.zkiv");
            std::uint32_t offset = 0;
            for (int i = 3; i >= 0 && volume.size() >= 4; --i)
                offset = offset << 8 | static_cast<unsigned char>(volume[i]);
            const KivtoolRun run =
                Kivtool("pack extract '" + (medium / "Setup files/archive.zkiv").string() + "' " +
                        std::to_string(offset) + " 'C:\\SetupPackage'");
            EXPECT_EQ(run.status, 0) << run.output;
            description = std::make_unique<SetupDescription>();
            std::FILE* file = std::fopen(machine.DriveC("SetupPackage/config.ini").c_str(), "rb");
            EXPECT_TRUE(file && LoadSetupDescription(*description, file));
            if (file)
                std::fclose(file);
        }
        return *description;
    }
    // The size of a component of the medium's description, as the custom
    // page computes it.
    std::int32_t ComponentSize(const std::string& name) {
        for (const auto& component : Description().components)
            if (name == component->name)
                return ComputeComponentSize(*component);
        ADD_FAILURE() << "no component " << name;
        return 0;
    }
    // What a Typical installation in English needs, as the setup type page
    // computes it.
    std::int64_t TypicalSize() {
        std::int64_t size = 0;
        for (const auto& type : Description().setupTypes)
            if (std::string(type->name) == "Typical")
                for (const Component* component : type->components)
                    if (component->languages & 1)
                        size += ComputeComponentSize(*component);
        return size;
    }

    KivtoolRun Kivtool(const std::string& arguments) const {
        return RunKivtool(arguments, "KIV_MACHINE='" + root.string() + "'");
    }
    fs::path Product(const std::string& relative = "") const {
        return machine.DriveC("Program Files/Kiv software/Orrery/" + relative);
    }
    fs::path Staging() const {
        return machine.DriveC("Documents and Settings/User/Local Settings/Temp/TemporaryFiles");
    }
    std::string ProductKey() const {
        return Kivtool("reg query 'HKEY_LOCAL_MACHINE\\Software\\Kiv software\\Orrery\\1.4'")
            .output;
    }
    // Nothing of the product on the machine, and no staging folder left.
    void ExpectNothingInstalled() const {
        EXPECT_FALSE(fs::exists(Product())) << output;
        EXPECT_FALSE(fs::exists(Staging())) << output;
        EXPECT_EQ(ProductKey().find("InstallDir"), std::string::npos);
    }

    TestMachine machine;
    fs::path root;
    fs::path medium;
    std::string output; // what the setup wrote to stdout and stderr
    std::unique_ptr<SetupDescription> description;
};

inline bool WaitForFile(const fs::path& path) {
    for (int i = 0; i < 300 && !fs::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return fs::exists(path);
}

// Drive C: stated at half of what a Typical installation needs, computed
// from the medium: the product's size differs between build types.
class SmallDiskTest : public SetupProgramTest {
protected:
    SmallDiskTest() {
        const std::int64_t typical = TypicalSize();
        EXPECT_GT(typical, 0);
        MachineSettings settings;
        EXPECT_TRUE(Machine::LoadSettings(root.string(), &settings));
        settings.freeSpace['C'] = static_cast<std::uint64_t>(typical / 2);
        EXPECT_TRUE(Machine::SaveSettings(root.string(), settings));
    }
};

// The system library held by another program: replaced at the restart the
// setup asks for. The holder lets go once the question is on screen (the
// script's screenshot), as the restart would end it.
class InUseTest : public SetupProgramTest {
protected:
    // Held until the file release appears (by default the screenshot of the
    // restart question).
    void HoldLibrary(const std::string& release = "question.png") {
        WriteHostFile(machine.DriveC("Windows/System32/KivOrbit.dll"), kOld);
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        holder = fork();
        if (holder == 0) {
            HANDLE held = CreateFileA("C:\\Windows\\System32\\KivOrbit.dll", GENERIC_READ,
                                      FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            (void)!write(ready[1], "x", 1);
            WaitForFile(root / release);
            CloseHandle(held);
            _exit(0);
        }
        char byte = 0;
        ASSERT_EQ(read(ready[0], &byte, 1), 1);
        close(ready[0]);
        close(ready[1]);
    }
    void TearDown() override {
        if (holder > 0)
            waitpid(holder, nullptr, 0);
    }
    std::string Library() const {
        return ReadHostFile(machine.DriveC("Windows/System32/KivOrbit.dll"));
    }

    const std::string kOld = PeImageBuilder::Image(
        true, {{16, 1, 0x0409, PeImageBuilder::VersionBlock(0x00010000, 0, {})}});
    pid_t holder = -1;
};

} // namespace setup_test
