// Fuzz target: the archive reader over a whole volume. The input is written
// as the main archive of a scratch machine, opened, and the package named at
// its start and the one right after it are unpacked into a scratch folder.
#include "engine/InstalledFileList.h"
#include "engine/Zipage.h"
#include "platform/Machine.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

namespace {
std::string& Root() {
    static std::string root;
    return root;
}

std::string MachineRoot() {
    static std::string root = [] {
        char pattern[] = "/tmp/kiv-fuzz-zipage-XXXXXX";
        std::string made = mkdtemp(pattern) ? pattern : "/tmp/kiv-fuzz-zipage";
        std::string error;
        if (!Machine::Create(made, MachineSettings(), &error) || !Machine::Use(made))
            std::abort();
        std::filesystem::create_directories(made + "/drive_c/Setup files");
        Root() = made;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(Root(), ignored);
        });
        return made;
    }();
    return root;
}

std::set<std::string> TopFolders(const std::string& root) {
    std::set<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(root + "/drive_c", ignored))
        names.insert(entry.path().filename().string());
    return names;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string root = MachineRoot();
    static const std::set<std::string> before = TopFolders(root);
    {
        std::ofstream out(root + "/drive_c/Setup files/archive.zkiv",
                          std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    Zipage zip;
    std::atomic<unsigned char> cancel{0}, pause{0};
    InstalledFileList files;
    if (zip.OpenArchive(u"C:\\Setup files", u"C:\\Setup files", u"archive", false) == 0) {
        zip.ExtractPackage(u"C:\\Out", zip.ReadSetupPackageOffset(), nullptr, nullptr, &cancel,
                           &pause, &files, 0);
        zip.ExtractPackage(u"C:\\Out", 4, nullptr, nullptr, &cancel, &pause, &files, 0);
    }
    zip.CloseVolumes();
    std::error_code ignored;
    std::filesystem::remove_all(root + "/drive_c/Out", ignored);
    // Nothing may ever land outside the destination folder.
    if (TopFolders(root) != before)
        std::abort();
    return 0;
}
