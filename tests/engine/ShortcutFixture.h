// A fresh machine whose thread has initialised the component-object library,
// with host-side helpers to read back the links the shortcut code made and to
// change the "Shell Folders" values it reads.
#pragma once

#include "TestMachine.h"
#include "engine/InstallObserver.h"
#include "platform/ShellLinkFile.h"
#include "platform/ShlObj.h"
#include "platform/Windows.h"
#include "toolkit/KIVString.h"
#include "toolkit/KIVSystem.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

// Keeps the links an engine step made and those it left out.
class LinkRecorder : public InstallObserver {
public:
    void RegistryKeyWritten(const char*, bool) override {}
    void SystemFileInstalled(const char*, SystemFileAction) override {}
    void ReplacementScheduled(const char*, const char*) override {}
    void ProgramGroupMade(const char16_t*) override { ++groups; }
    void ShortcutMade(const char16_t* link, const char*) override { made.emplace_back(link); }
    void ShortcutLeftOut(const char16_t* link, const char* target) override {
        leftOut.emplace_back(KIVString(link), target);
    }

    int groups = 0; // group folders made
    std::vector<KIVString> made;
    std::vector<std::pair<KIVString, std::string>> leftOut;
};

class ShortcutTest : public MachineTest {
protected:
    static constexpr const char* kShellFolders =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    static constexpr const char* kCommonPrograms =
        "Documents and Settings/All Users/Start Menu/Programs/";
    static constexpr const char* kUserPrograms = "Documents and Settings/User/Start Menu/Programs/";

    void SetUp() override {
        KIVResetPlatformFamily();
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
    }
    void TearDown() override {
        CoUninitialize();
        KIVResetPlatformFamily();
    }

    // Puts a file at a path below C: ("/" separated), as an installation would.
    void Install(const std::string& relative) const {
        std::filesystem::create_directories(
            std::filesystem::path(machine.DriveC(relative)).parent_path());
        std::ofstream(machine.DriveC(relative)) << "installed";
    }
    bool Exists(const std::string& relative) const {
        return std::filesystem::exists(std::filesystem::symlink_status(machine.DriveC(relative)));
    }
    // The link at a path below C:, read with the platform's reader; a file
    // that is not a link reads as an empty one and fails the test.
    ShellLinkData ReadLink(const std::string& relative) const {
        std::ifstream in(machine.DriveC(relative), std::ios::binary);
        const std::vector<BYTE> bytes{std::istreambuf_iterator<char>(in), {}};
        ShellLinkData link;
        EXPECT_TRUE(ShellLinkFile::Read(bytes.data(), bytes.size(), &link)) << relative;
        return link;
    }
    static void SetShellFolder(HKEY root, const char* name, const char* value) {
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(root, kShellFolders, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
        if (value)
            RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                           static_cast<DWORD>(std::strlen(value) + 1));
        else
            RegDeleteValueA(key, name);
        RegCloseKey(key);
    }
};
