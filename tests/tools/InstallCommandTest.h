// The fixture of the kivtool install tests: a medium made with kivtool pack
// (volumes, a setup package with config.ini, a copied folder, language
// folders) for a product named Talvic Studio, on a fresh machine of either
// platform family.
#pragma once

#include "HostFiles.h"
#include "KivtoolRun.h"
#include "TestMachine.h"
#include "platform/PathMap.h"
#include "platform/PeImageBuilder.h"
#include "platform/Windows.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

inline std::string Library(std::uint32_t versionMS) {
    return PeImageBuilder::Image(true,
                                 {{16, 1, 0x0409, PeImageBuilder::VersionBlock(versionMS, 0, {})}});
}

inline const char kConfig[] = R"(Version 1.10
Company "Kiv software"
Copyright "(c) Kiv software"
Url "http://kiv.example/"
Mail support
Agreement licence.txt
AppName Talvic
LongAppName "Talvic Studio"
ExeName app
VersionText 4.0
Text11 -
Text12 -
Languages 3
Unused 0
MultiVolume 1
Number 0
Entries 5
predecomp 1
Entry 0 Program "" "" "" TRUE platformPC "" 0 0 @PROGRAM@ 2 100 0 0 0 0
-
Entry 1 System "" "" "" TRUE platformPC "" 0 1 @SYSTEM@ 2 100 0 0 0 0
-
Entry 2 Samples "" Samples "" TRUE platformPCMAC "" 0 0 @SAMPLES@ 3 100 0 0 0 0
-
Entry 3 Manuel "" Manuel "" TRUE platformPC "" 0 0 @MANUEL@ 2 100 0 0 0 0
-
Entry 4 Extras "" Extras "" copy platformPC Extras 0 0 0 1 100 1 0 1 0
skip.txt
Components 4
Component Program x 3 2 { 0 1 }
Component Samples x 3 1 { 2 }
Component Manuel x 2 1 { 3 }
Component Extras x 3 1 { 4 }
SetupTypes 3
Type Typical x 4 { 0 1 2 3 }
Type Compact x 1 { 0 }
Type Custom x 4 { 0 1 2 3 }
Shortcuts 1
Shortcut app.exe "Talvic Studio" 0
Uninstall 1
Path x Settings
Unused 0
Volumes 3
Volume x 0 archive
Volume x 0 archive1
Volume x 0 archive2
Registry begin
[HKEY_LOCAL_MACHINE\Software\Kiv test\<LONGAPPNAME>] WINREG
InstallDir 1 "<INSTALLDST>"
User 1 "<USERNAME>"
Build 4 263
[HKEY_CURRENT_USER\Software\Kiv test] DONTUNINSTALL
Language 1 <LANGUAGE>
[ENDREGBASE]
Options x 28
AltAgreement 0
FullScreen 0
ProgramGroup 1
StartProduct 0
Unused5 0
RegistryFile 0
RegistryName ""
StartupLink 0
UserPage 1
UserName 1
Company 1
UpdateMode 0
PreviousFile ""
Unused14 0
DeleteRegFile 0
SourcePath ""
Unused17 ""
LanguagePage 0
SetupTypePage 1
Unused20 ""
IntroPage 0
LicencePage 0
Install 1
ReadBack 0
Unused25 0
ReadBackUser 0
ReadBackCo 0
ReadBackDst 0
)";

class InstallCommandTest : public ::testing::TestWithParam<PlatformFamily> {
protected:
    void SetUp() override {
        MachineSettings settings;
        settings.family = GetParam();
        machine = std::make_unique<TestMachine>(settings);
        root = machine->Root();
        work = root / "work";
        medium = root / "medium";
        files = medium / "Setup files";
        MakeProduct();
        MakeMedium();
    }

    void MakeProduct() {
        WriteHostFile(work / "program/app.exe", "#!/bin/sh\nexit 0\n");
        WriteHostFile(work / "program/readme.txt", "read me\r\n");
        WriteHostFile(work / "system/kivshared.dll", Library(0x00020000));
        WriteHostFile(work / "samples/a.dat", std::string(70000, 's'));
        WriteHostFile(work / "manuel/manuel.txt", "manuel");
        WriteHostFile(medium / "Extras/notes.txt", "notes");
        WriteHostFile(medium / "Extras/skip.txt", "skip");
        WriteHostFile(medium / "Extras/tool.exe", "tool");
        WriteHostFile(medium / "Setup.exe", "");
        WriteHostFile(files / "Languages/English/Setup.era", "era");
        WriteHostFile(files / "Languages/French/Setup.era", "era");
    }

    // The offsets of the packages kivtool pack create wrote, by name.
    std::map<std::string, std::string> Pack(const fs::path& volume, const std::string& sources) {
        KivtoolRun run =
            RunKivtool("pack create '" + volume.string() + "' " + sources, Environment(), true);
        EXPECT_EQ(run.status, 0) << run.output;
        std::map<std::string, std::string> offsets;
        std::istringstream lines(run.output);
        for (std::string name, offset, rest; lines >> name >> offset && std::getline(lines, rest);)
            offsets[name] = offset;
        return offsets;
    }

    void MakeMedium() {
        auto first =
            Pack(files / "archive1.zkiv", "program='" + (work / "program").string() + "' system='" +
                                              (work / "system").string() + "' manuel='" +
                                              (work / "manuel").string() + "'");
        auto second =
            Pack(files / "archive2.zkiv", "samples='" + (work / "samples").string() + "'");
        std::string config = kConfig;
        const std::pair<const char*, std::string> marks[] = {{"@PROGRAM@", first["program"]},
                                                             {"@SYSTEM@", first["system"]},
                                                             {"@MANUEL@", first["manuel"]},
                                                             {"@SAMPLES@", second["samples"]}};
        for (const auto& [mark, offset] : marks)
            config.replace(config.find(mark), std::string(mark).size(), offset);
        WriteHostFile(work / "setup/config.ini", config);
        Pack(files / "archive.zkiv", "--setup '" + (work / "setup").string() + "'");
    }

    // Replaces the first "from" of the medium's config.ini and packs the
    // setup package again.
    void EditConfig(const std::string& from, const std::string& to) {
        std::string config = ReadHostFile(work / "setup/config.ini");
        ASSERT_NE(config.find(from), std::string::npos) << from;
        config.replace(config.find(from), from.size(), to);
        WriteHostFile(work / "setup/config.ini", config);
        Pack(files / "archive.zkiv", "--setup '" + (work / "setup").string() + "'");
    }

    std::string Environment() const { return "KIV_MACHINE='" + root.string() + "'"; }
    KivtoolRun Install(const std::string& options = "") {
        return RunKivtool("install '" + medium.string() + "' " + options, Environment());
    }

    std::string Host(const std::string& windowsPath) const {
        std::string host;
        unsigned error = 0;
        EXPECT_TRUE(PathMap::ToHost(windowsPath, &host, &error)) << windowsPath;
        return host;
    }
    std::string Product(const std::string& relative) const {
        return machine->DriveC("Program Files/Kiv software/Talvic/" + relative);
    }
    std::string SystemFolder() const {
        return GetParam() == PlatformFamily::NT ? "C:\\Windows\\System32" : "C:\\Windows\\System";
    }
    std::string Staging() const {
        char temporary[MAX_PATH];
        GetTempPathA(MAX_PATH, temporary);
        return std::string(temporary) + "TemporaryFiles";
    }

    std::unique_ptr<TestMachine> machine;
    fs::path root, work, medium, files;
};

inline const std::string kBase = "C:\\Program Files\\Kiv software\\Talvic";
