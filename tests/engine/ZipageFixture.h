// A machine with a "Setup files" folder and a reader, for the reader's tests.
#pragma once

#include "TestMachine.h"
#include "VolumeBytes.h"
#include "engine/InstalledFileList.h"
#include "engine/Zipage.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// What the callbacks saw, in order: "name:<name>" and "bytes:<count>".
inline std::vector<std::string>& ZipageEvents() {
    static std::vector<std::string> events;
    return events;
}

class ZipageTest : public MachineTest {
protected:
    void SetUp() override {
        std::filesystem::create_directories(machine.DriveC("Setup files"));
        ZipageEvents().clear();
    }

    static void OnBytes(int count) { ZipageEvents().push_back("bytes:" + std::to_string(count)); }
    static void OnName(const char* name) { ZipageEvents().push_back(std::string("name:") + name); }

    std::string Host(const std::string& relative) const { return machine.DriveC(relative); }
    bool Save(const VolumeBytes& volume, const std::string& relative = "Setup files/archive.zkiv") {
        return volume.Save(Host(relative));
    }
    int OpenMain() {
        return zip.OpenArchive(u"C:\\Setup files", u"C:\\Setup files", u"archive", false);
    }
    int Extract(std::int32_t offset, int volumeIndex = 0) {
        return zip.ExtractPackage(u"C:\\Out", offset, OnBytes, OnName, &cancel, &pause, &files,
                                  volumeIndex);
    }

    bool Exists(const std::string& relative) const {
        return std::filesystem::exists(Host(relative));
    }
    std::string Read(const std::string& relative) const {
        std::ifstream in(Host(relative), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    Zipage zip;
    std::atomic<unsigned char> cancel{0};
    std::atomic<unsigned char> pause{0};
    InstalledFileList files;
};

// Data that compresses well but is not one repeated byte.
inline std::string TextData(std::size_t size) {
    std::string data;
    data.reserve(size);
    for (std::size_t i = 0; data.size() < size; ++i)
        data += "line " + std::to_string(i) + " of the member text\n";
    data.resize(size);
    return data;
}
