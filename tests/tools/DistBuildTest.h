// The fixture of the kivtool dist tests: a small product folder made in the
// test's machine root (a program folder, documentation, a folder copied
// from the medium), a project file for it, and helpers that build the
// medium and read back its description.
#pragma once

#include "InstallCommandTest.h" // DriveListing, ReadHostFile, RunKivtool
#include "setup/SetupDescription.h"

#include <map>
#include <random>

using namespace std::string_literals;

class DistBuildTest : public ::testing::Test {
protected:
    DistBuildTest() : root(machine.Root()), product(root / "product") {
        WriteHostFile(product / "app/App.exe", "#!/bin/sh\nexit 0\n");
        WriteHostFile(product / "app/readme.txt", "Read me first.\r\n");
        WriteHostFile(product / "docs/manual.txt", std::string(3000, 'm'));
        WriteHostFile(product / "docs/guide.txt", "The guide.\r\n");
        WriteHostFile(product / "extras/extra.txt", "An extra, copied.\r\n");
    }

    // The project's lines; tests change single lines by number.
    std::vector<std::string> Project() const {
        return {
            "# A small product",                                             // 1
            "[product]",                                                     // 2
            "company = Kiv software",                                        // 3
            "app-name = Talvic",                                             // 4
            "long-name = Talvic Studio 2",                                   // 5
            "exe-name = App",                                                // 6
            "version = 2.0",                                                 // 7
            "[medium]",                                                      // 8
            "languages = English",                                           // 9
            "[folder Program]",                                              // 10
            "source = product/app",                                          // 11
            "[folder Docs]",                                                 // 12
            "source = product/docs",                                         // 13
            "target = Docs",                                                 // 14
            "[folder Extras]",                                               // 15
            "source = product/extras",                                       // 16
            "target = Extras",                                               // 17
            "mode = copied",                                                 // 18
            "[component Program]",                                           // 19
            "folders = Program",                                             // 20
            "[component Documentation]",                                     // 21
            "folders = Docs, Extras",                                        // 22
            "[setup-types]",                                                 // 23
            "Typical = Program, Documentation",                              // 24
            "Compact = Program",                                             // 25
            "Custom = Program, Documentation",                               // 26
            "[shortcut Talvic]",                                             // 27
            "target = App.exe",                                              // 28
            "folder = Program",                                              // 29
            "[registry HKEY_LOCAL_MACHINE\\Software\\Kiv software\\Talvic]", // 30
            "value Folder = text <INSTALLDST>",                              // 31
            "value Runs = dword 3",                                          // 32
            "[options]",                                                     // 33
            "licence-page = no",                                             // 34
            "full-screen = no",                                              // 35
        };
    }

    fs::path WriteProject(const std::vector<std::string>& lines,
                          const std::string& name = "talvic.kivdist") const {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        WriteHostFile(root / name, text);
        return root / name;
    }

    KivtoolRun Kivtool(const std::string& arguments) const {
        return RunKivtool(arguments, "KIV_MACHINE='" + machine.Root() + "'");
    }

    KivtoolRun Build(const std::vector<std::string>& lines, const fs::path& out) const {
        return Kivtool("dist build '" + WriteProject(lines).string() + "' '" + out.string() +
                       "' --resources '" KIV_SOURCE_DIR "/resources'");
    }

    // The description of the medium's setup package, unpacked on the machine.
    void LoadDescription(const fs::path& medium, SetupDescription* description) const {
        const std::string volume = ReadHostFile(medium / "Setup files/archive.zkiv");
        ASSERT_GE(volume.size(), 4u);
        std::uint32_t offset = 0;
        for (int i = 3; i >= 0; --i)
            offset = offset << 8 | static_cast<unsigned char>(volume[i]);
        const KivtoolRun run =
            Kivtool("pack extract '" + (medium / "Setup files/archive.zkiv").string() + "' " +
                    std::to_string(offset) + " 'C:\\Setup'");
        ASSERT_EQ(run.status, 0) << run.output;
        std::FILE* file = std::fopen(machine.DriveC("Setup/config.ini").c_str(), "rb");
        ASSERT_NE(file, nullptr);
        ASSERT_TRUE(LoadSetupDescription(*description, file));
        std::fclose(file);
    }

    // A file of bytes that do not compress.
    void WriteNoise(const fs::path& path, std::size_t size, unsigned seed) const {
        std::mt19937 random(seed);
        std::string bytes(size, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random());
        WriteHostFile(path, bytes);
    }

    TestMachine machine;
    const fs::path root, product;
};
