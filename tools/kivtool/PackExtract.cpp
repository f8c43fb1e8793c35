// "kivtool pack extract": unpacks one package with the setup's own reader.
#include "tools/kivtool/PackCommands.h"
#include "tools/kivtool/PackPackages.h"

#include "engine/Zipage.h"
#include "platform/Machine.h"
#include "platform/PathMap.h"
#include "platform/Windows.h"

#include <atomic>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <strings.h>
#include <unistd.h>

namespace {
const char kHelp[] =
    "usage: kivtool pack extract VOLUME OFFSET DEST\n"
    "\n"
    "Unpacks the package at OFFSET of VOLUME (a .zkiv file) into the folder DEST\n"
    "with the setup's reader, creating DEST when needed. DEST is a host path, or a\n"
    "path on the machine (C:\\...) of $KIV_MACHINE. Every file and folder is made\n"
    "inside DEST: a folder link in DEST that leads out of it is refused. Shows a\n"
    "progress bar when the output is a terminal; Ctrl-C stops after the file being\n"
    "written.\n";

std::atomic<unsigned char> cancelRequested{0};
const std::atomic<unsigned char> neverPaused{0};

struct Progress {
    bool terminal = false;
    unsigned long long total = 0; // from the member headers; 0 when unknown
    unsigned long long done = 0;
    unsigned long long files = 0;
    int shownPercent = -1;
} progress;

void Show() {
    if (!progress.terminal)
        return;
    int percent = progress.total ? static_cast<int>(progress.done * 100 / progress.total) : 0;
    if (percent > 100)
        percent = 100;
    if (percent == progress.shownPercent)
        return;
    progress.shownPercent = percent;
    char bar[41];
    for (int i = 0; i < 40; ++i)
        bar[i] = i < percent * 40 / 100 ? '#' : '.';
    bar[40] = 0;
    std::printf("\r[%s] %3d%%  %llu files", bar, percent, progress.files);
    std::fflush(stdout);
}

void OnBytes(int count) {
    progress.done += static_cast<unsigned long long>(count);
    Show();
}

void OnName(const char*) {
    progress.files++;
    Show();
}

void OnInterrupt(int) {
    cancelRequested.store(1);
}

std::u16string Wide(const std::string& utf8) {
    char16_t wide[MAX_PATH * 2];
    if (MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide, MAX_PATH * 2) <= 0)
        return u"";
    return wide;
}

bool IsMachinePath(const std::string& path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

// Splits a volume's Windows path into its folder and base name ("archive").
bool SplitVolume(const std::string& windowsPath, std::u16string* folder, std::u16string* baseName) {
    std::size_t slash = windowsPath.rfind('\\');
    std::size_t dot = windowsPath.size() >= 5 ? windowsPath.size() - 5 : std::string::npos;
    if (slash == std::string::npos || dot == std::string::npos || dot <= slash + 1 ||
        strcasecmp(windowsPath.c_str() + dot, ".zkiv") != 0)
        return false;
    *folder = Wide(windowsPath.substr(0, slash));
    *baseName = Wide(windowsPath.substr(slash + 1, dot - slash - 1));
    return !folder->empty() && !baseName->empty();
}

// The package's size from its member headers, in volumes whose headers hold
// sizes; 0 (unknown) for others.
unsigned long long PackageSize(const PackVolume& volume, const PackPackageInfo& package) {
    unsigned long long total = 0;
    if (volume.Marked())
        for (const PackMemberInfo& member : package.members)
            total += member.size;
    return total;
}

// Checks that the volume opens and that offset starts a package; gives the
// package's size for the progress bar. Exit status 1 with a message, or 0.
int CheckPackage(const std::string& volumePath, std::uint32_t offset, unsigned long long* total) {
    PackVolume volume;
    PackRequest request{volumePath, {offset}, ""};
    std::vector<PackPackageInfo> packages;
    std::string error;
    if (!volume.Open(volumePath))
        return PackError("extract", volume.Error());
    if (!ReadRequestedPackages(volume, request, &packages, &error))
        return PackError("extract", error);
    *total = PackageSize(volume, packages.front());
    return 0;
}

// DEST is the person's own choice: this process may write there, also on
// the host, which is otherwise read-only to it. Whatever links DEST holds,
// nothing is written outside it. Its host path comes from the same mapping
// as its members' paths.
bool ConfineToDestination(const std::u16string& dest) {
    char utf8[MAX_PATH * 3];
    std::string host;
    unsigned error = 0;
    if (WideCharToMultiByte(CP_UTF8, 0, dest.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr) <=
            0 ||
        !PathMap::ToHost(utf8, &host, &error))
        return false;
    Machine::AllowHostChanges(host);
    Machine::ConfineWrites(host);
    return true;
}

} // namespace

// Why the reader stopped, naming the member where it can.
std::string ZipageFailureText(const ZipageFailure& failure, const std::string& dest) {
    std::string member = "member '" + HostName(failure.name) + "'";
    switch (failure.kind) {
    case ZipageFailure::kVolume:
        return "the reader cannot open the volume";
    case ZipageFailure::kPackage:
        return "the package is damaged at member " + std::to_string(failure.member) +
               ": a link or header lies outside the volume, or a name is 260 bytes or longer "
               "(see 'kivtool pack verify')";
    case ZipageFailure::kName:
        return member + " is refused: its name would leave " + dest;
    case ZipageFailure::kUnspellable:
        return member + " is refused: its name is no text in the machine's code page " +
               std::to_string(GetACP()) + ", so no path could name its file again";
    case ZipageFailure::kCreate:
        return member + " cannot be created in " + dest;
    case ZipageFailure::kWrite:
        return member + " was cut short: the disk took fewer bytes than written";
    case ZipageFailure::kData:
        return member + " is damaged: its compressed data is corrupt or ends early (its file "
                        "was removed)";
    case ZipageFailure::kInflate:
        return "inflate cannot start";
    case ZipageFailure::kRecordFull:
        return member + " is refused: the list of installed files is full";
    case ZipageFailure::kNone:
        break;
    }
    return "the package cannot be unpacked";
}

int RunPackExtract(const PackArgs& args) {
    if (WantsHelp(args)) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    std::uint32_t offset = 0;
    if (args.size() != 3)
        return PackUsageError("extract", "needs VOLUME OFFSET DEST", kHelp);
    if (!ParsePackOffset(args[1], &offset))
        return PackUsageError("extract", "'" + args[1] + "' is not a package offset", kHelp);
    std::u16string folder, baseName;
    if (!SplitVolume(PathMap::ToWindows(args[0]), &folder, &baseName))
        return PackUsageError("extract", "'" + args[0] + "' is not a .zkiv volume", kHelp);
    std::u16string dest = Wide(IsMachinePath(args[2]) ? args[2] : PathMap::ToWindows(args[2]));
    if (args[2].empty() || dest.empty())
        return PackUsageError("extract", "'" + args[2] + "' is not a folder path", kHelp);
    for (char16_t& c : dest)
        if (c == u'/')
            c = u'\\';

    unsigned long long total = 0;
    if (int status = CheckPackage(args[0], offset, &total))
        return status;
    if (!ConfineToDestination(dest))
        return PackUsageError("extract", "'" + args[2] + "' is not a folder path", kHelp);
    Zipage zip;
    if (zip.OpenArchive(folder.c_str(), folder.c_str(), baseName.c_str(), false) != 0)
        return PackError("extract", "the reader cannot open " + args[0]);
    progress.terminal = isatty(STDOUT_FILENO);
    progress.total = total;
    std::signal(SIGINT, OnInterrupt);
    int result = zip.ExtractPackage(dest.c_str(), static_cast<int>(offset), OnBytes, OnName,
                                    &cancelRequested, &neverPaused, nullptr, 0);
    std::signal(SIGINT, SIG_DFL);
    if (progress.terminal)
        std::printf("\n");
    if (result != 0)
        return PackError("extract", "cannot unpack the package at " + args[1] + ": " +
                                        ZipageFailureText(zip.LastFailure(), args[2]));
    if (cancelRequested.load())
        return PackError("extract", "cancelled");
    std::printf("%llu files, %llu bytes into %s\n", progress.files, progress.done, args[2].c_str());
    return 0;
}
