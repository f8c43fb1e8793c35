// A fresh machine of either family for the tests of the file installation,
// with host-side helpers to lay out files and read them back, and callbacks
// that record what the installation reported.
#pragma once

#include "TestMachine.h"
#include "toolkit/KIVSystem.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

// What the callbacks saw, in order: "name:<name>" and "bytes:<count>".
inline std::vector<std::string>& FileInstallEvents() {
    static std::vector<std::string> events;
    return events;
}

class FileInstallTest : public ::testing::TestWithParam<PlatformFamily> {
protected:
    void SetUp() override {
        MachineSettings settings;
        settings.family = GetParam();
        machine = std::make_unique<TestMachine>(settings);
        KIVResetPlatformFamily();
        FileInstallEvents().clear();
    }
    void TearDown() override { KIVResetPlatformFamily(); }

    static void OnBytes(int count) {
        FileInstallEvents().push_back("bytes:" + std::to_string(count));
    }
    static void OnName(const char* name) {
        FileInstallEvents().push_back(std::string("name:") + name);
    }

    bool IsNT() const { return GetParam() == PlatformFamily::NT; }
    std::string Host(const std::string& relative) const { return machine->DriveC(relative); }
    void Write(const std::string& relative, const std::string& bytes) const {
        std::filesystem::create_directories(std::filesystem::path(Host(relative)).parent_path());
        std::ofstream(Host(relative), std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string Read(const std::string& relative) const {
        std::ifstream in(Host(relative), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool Exists(const std::string& relative) const {
        return std::filesystem::exists(std::filesystem::symlink_status(Host(relative)));
    }

    std::unique_ptr<TestMachine> machine;
};

#define FILE_INSTALL_BOTH_FAMILIES(Suite)                                                          \
    INSTANTIATE_TEST_SUITE_P(                                                                      \
        BothFamilies, Suite, ::testing::Values(PlatformFamily::NT, PlatformFamily::Win9x),         \
        [](const auto& info) { return info.param == PlatformFamily::NT ? "NT" : "Win9x"; })
