// Fuzz target: the archive reader over a whole volume. The input is written
// as the main archive of a scratch machine, opened, and the package named at
// its start and the one right after it are unpacked into two destinations in
// turn: a folder of drive C:, and a host folder outside the machine confined
// as "kivtool pack extract" confines its own. Each destination holds planted
// links first: a folder link and a file link to a folder outside both, and a
// hard link to a file there. Everything else must stay as it was, to the last
// file: the machine and the outside folder are listed with sizes and change
// times before and after, and every path the reader recorded must lie in the
// destination.
#include "engine/InstalledFileList.h"
#include "engine/Zipage.h"
#include "platform/Machine.h"
#include "platform/PathMap.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sys/stat.h>

namespace {
namespace fs = std::filesystem;

struct Destination {
    std::string host;     // the folder on the host
    std::u16string path;  // as the reader is given it
    std::string prefix;   // of every path it records
    std::string confined; // the folder writes are confined to, or empty
};

std::string& Base() {
    static std::string base;
    return base;
}

// <base>/machine, <base>/outside with its canary, <base>/host-out.
std::string MakeBase() {
    char pattern[] = "/tmp/kiv-fuzz-zipage-XXXXXX";
    std::string made = mkdtemp(pattern) ? pattern : "/tmp/kiv-fuzz-zipage";
    std::string error;
    const std::string root = made + "/machine";
    if (!Machine::Create(root, MachineSettings(), &error) || !Machine::Use(root))
        std::abort();
    fs::create_directories(root + "/drive_c/Setup files");
    fs::create_directories(made + "/outside");
    std::ofstream(made + "/outside/canary.txt") << "canary";
    Base() = made;
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(Base(), ignored);
    });
    return made;
}

Destination Destined(const std::string& host, bool confined) {
    const std::string windows = PathMap::ToWindows(host);
    return {host, std::u16string(windows.begin(), windows.end()), windows + "\\",
            confined ? host : std::string()};
}

// Every entry but the volume and the destinations, with what a write would
// change: its kind, size and change time.
std::set<std::string> Listing(const std::string& base) {
    const fs::path volume = base + "/machine/drive_c/Setup files/archive.zkiv";
    const std::set<fs::path> skipped = {volume, base + "/machine/drive_c/Out", base + "/host-out"};
    std::set<std::string> entries;
    std::error_code ignored;
    for (fs::recursive_directory_iterator it(base, ignored), end; it != end;
         it.increment(ignored)) {
        if (skipped.count(it->path()))
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

void PlantLinks(const std::string& folder, const std::string& outside) {
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    fs::create_directory_symlink(outside, folder + "/a", ignored);
    fs::create_symlink(outside + "/canary.txt", folder + "/b", ignored);
    fs::create_hard_link(outside + "/canary.txt", folder + "/c", ignored);
}

bool AllIn(const InstalledFileList& files, const std::string& prefix) {
    for (int i = 0; i < files.GetSize(); ++i)
        if (std::strncmp(files.GetAt(i), prefix.c_str(), prefix.size()) != 0)
            return false;
    return true;
}

void ExtractInto(const Destination& destination) {
    PlantLinks(destination.host, Base() + "/outside");
    Machine::ConfineWrites(destination.confined);
    Zipage zip;
    std::atomic<unsigned char> cancel{0}, pause{0};
    InstalledFileList files;
    if (zip.OpenArchive(u"C:\\Setup files", u"C:\\Setup files", u"archive", false) == 0) {
        zip.ExtractPackage(destination.path.c_str(), zip.ReadSetupPackageOffset(), nullptr, nullptr,
                           &cancel, &pause, &files, 0);
        zip.ExtractPackage(destination.path.c_str(), 4, nullptr, nullptr, &cancel, &pause, &files,
                           0);
    }
    zip.CloseVolumes();
    Machine::ConfineWrites("");
    if (!AllIn(files, destination.prefix))
        std::abort();
    std::error_code ignored;
    fs::remove_all(destination.host, ignored);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string base = MakeBase();
    static const Destination destinations[] = {Destined(base + "/machine/drive_c/Out", false),
                                               Destined(base + "/host-out", true)};
    {
        std::ofstream out(base + "/machine/drive_c/Setup files/archive.zkiv",
                          std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    static const std::set<std::string> before = Listing(base);
    for (const Destination& destination : destinations)
        ExtractInto(destination);
    if (Listing(base) != before)
        std::abort();
    return 0;
}
