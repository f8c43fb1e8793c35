// Fuzz target: the archive reader over a whole volume. The input is written
// as the main archive of a scratch machine, opened, and the package named at
// its start and the one right after it are unpacked into a scratch folder.
// Everything else on the machine must stay as it was, to the last file: the
// whole machine folder is listed with sizes and change times before and
// after, and every path the reader recorded must lie in the destination.
#include "engine/InstalledFileList.h"
#include "engine/Zipage.h"
#include "platform/Machine.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sys/stat.h>

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

// Every entry of the machine but the volume itself and the destination, with
// what a write would change: its kind, size and change time.
std::set<std::string> Listing(const std::string& root) {
    namespace fs = std::filesystem;
    const fs::path volume = root + "/drive_c/Setup files/archive.zkiv";
    const fs::path destination = root + "/drive_c/Out";
    std::set<std::string> entries;
    std::error_code ignored;
    for (fs::recursive_directory_iterator it(root, ignored), end; it != end;
         it.increment(ignored)) {
        if (it->path() == volume || it->path() == destination)
            continue;
        struct stat info;
        if (lstat(it->path().c_str(), &info) != 0)
            continue;
        std::string entry = it->path().string() + " " + std::to_string(info.st_mode);
        if (!S_ISDIR(info.st_mode)) // a folder's time moves with the destination's
            entry += " " + std::to_string(info.st_size) + " " +
                     std::to_string(info.st_mtim.tv_sec) + "." +
                     std::to_string(info.st_mtim.tv_nsec);
        entries.insert(entry);
    }
    return entries;
}

bool AllInDestination(const InstalledFileList& files) {
    const char prefix[] = "C:\\Out\\";
    for (int i = 0; i < files.GetSize(); ++i)
        if (std::strncmp(files.GetAt(i), prefix, sizeof prefix - 1) != 0)
            return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string root = MachineRoot();
    {
        std::ofstream out(root + "/drive_c/Setup files/archive.zkiv",
                          std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    static const std::set<std::string> before = Listing(root);
    Zipage zip;
    std::atomic<unsigned char> cancel{0}, pause{0};
    InstalledFileList files;
    if (zip.OpenArchive(u"C:\\Setup files", u"C:\\Setup files", u"archive", false) == 0) {
        zip.ExtractPackage(u"C:\\Out", zip.ReadSetupPackageOffset(), nullptr, nullptr, &cancel,
                           &pause, &files, 0);
        zip.ExtractPackage(u"C:\\Out", 4, nullptr, nullptr, &cancel, &pause, &files, 0);
    }
    zip.CloseVolumes();
    // Nothing may ever land outside the destination folder.
    if (!AllInDestination(files))
        std::abort();
    std::error_code ignored;
    std::filesystem::remove_all(root + "/drive_c/Out", ignored);
    if (Listing(root) != before)
        std::abort();
    return 0;
}
