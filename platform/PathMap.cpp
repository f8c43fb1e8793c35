// Windows paths on the emulated machine <-> host paths. Windows paths are
// handled as UTF-8 here; the "A" and "W" functions convert before calling.
#include "platform/PathMap.h"

#include "platform/CaseFold.h"
#include "platform/FolderNameCache.h"
#include "platform/Machine.h"
#include "platform/WinBase.h"

#include <cctype>
#include <dirent.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace PathMap {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Length in UTF-16 units, which is what MAX_PATH counts.
std::size_t WindowsLength(const std::string& utf8) {
    std::size_t length = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80)
            ++length;
        if (c >= 0xF0)
            ++length; // a surrogate pair
    }
    return length;
}

bool HasDrive(const std::string& path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

bool CurrentDirectory(std::string* windowsPath) {
    std::vector<char> buffer(4096);
    if (!getcwd(buffer.data(), buffer.size()))
        return false;
    *windowsPath = ToWindows(buffer.data());
    return true;
}

// Gives a path its drive: "C:x" and "\x" take the drive (and for "x" also
// the folder) of the current directory.
bool MakeAbsolute(const std::string& path, std::string* absolute) {
    if (HasDrive(path) && path.size() > 2 && IsSeparator(path[2])) {
        *absolute = path;
        return true;
    }
    if (HasDrive(path) && path.size() == 2) {
        *absolute = path + "\\";
        return true;
    }
    std::string current;
    if (!CurrentDirectory(&current))
        return false;
    if (HasDrive(path)) {
        bool sameDrive = std::toupper(static_cast<unsigned char>(path[0])) == current[0];
        *absolute = (sameDrive ? current : path.substr(0, 2)) + "\\" + path.substr(2);
    } else if (!path.empty() && IsSeparator(path[0])) {
        *absolute = current.substr(0, 2) + path;
    } else {
        *absolute = current + "\\" + path;
    }
    return true;
}

bool DriveBase(char letter, std::string* base) {
    char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    std::string folder = Machine::Current().Root() + "/drive_" + lower;
    struct stat info;
    if (lower == 'c' || (stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode))) {
        *base = folder;
        return true;
    }
    if (lower == 'z') {
        *base = "";
        return true;
    }
    return false;
}

bool ValidComponent(const std::string& name) {
    for (unsigned char c : name)
        if (c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' ||
            c == '*')
            return false;
    return true;
}

// The real name of the entry of folder that matches name without regard to
// case; name itself when it exists as given or not at all.
std::string RealName(const std::string& folder, const std::string& name, bool* exists) {
    std::string exact = folder + "/" + name;
    struct stat info;
    if (lstat(exact.c_str(), &info) == 0)
        return name;
    *exists = false;
    DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir)
        return name;
    std::string found;
    while (const dirent* entry = readdir(dir)) {
        std::string candidate = entry->d_name;
        // Several spellings may exist on the host: take the first in byte order
        // so that the choice does not depend on the listing order.
        if (CaseFold::Equal(candidate, name) && (found.empty() || candidate < found))
            found = candidate;
    }
    closedir(dir);
    if (found.empty())
        return name;
    *exists = true;
    return found;
}

bool ExistsAsGiven(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// Maps folder/name when folder exists as given (the path of nearly every
// file opened or made); false when the whole path must be walked. A folder
// whose names are remembered, with every folder above it watched, answers
// for a new name with no lookup; one whose names are remembered with one,
// of the folder; otherwise the path itself is looked up first.
// The folder's stat(), when it was looked up and is a folder, for the
// drive's confinement check.
struct FolderSeen {
    struct stat info;
    bool known = false;
};

bool InFolder(const std::string& folder, const std::string& name, std::string* hostPath,
              FolderSeen* seen) {
    std::string exact = folder + "/" + name;
    struct stat& info = seen->info;
    int folderState = -1; // not looked up yet; then 1 for a folder, 0 otherwise
    const FolderNameCache::Answer answer = FolderNameCache::AnswerUnlooked(folder, name, &info);
    if (answer == FolderNameCache::Answer::kAbsent) {
        seen->known = true;
        *hostPath = exact;
        return true;
    }
    if (answer == FolderNameCache::Answer::kMayHold) {
        folderState = 1;
        seen->known = true;
    } else if (FolderNameCache::Remembers(folder)) {
        folderState = lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        seen->known = folderState == 1;
        if (folderState == 1 && FolderNameCache::SurelyAbsent(folder, info, name)) {
            *hostPath = exact;
            return true;
        }
    }
    if (ExistsAsGiven(exact)) {
        *hostPath = exact;
        return true;
    }
    if (folderState == -1)
        folderState = lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    if (folderState == 0)
        return false;
    seen->known = true;
    bool found = true;
    *hostPath =
        folder + "/" +
        (FolderNameCache::MayHold(folder, info, name) ? RealName(folder, name, &found) : name);
    return true;
}

// "<root>/drive_x/rest" is "X:/rest".
bool DriveForm(const std::string& path, const std::string& root, std::string* windows) {
    std::string prefix = root + "/drive_";
    std::size_t at = prefix.size();
    if (path.size() <= at || path.compare(0, at, prefix) != 0 ||
        !std::isalpha(static_cast<unsigned char>(path[at])) ||
        (path.size() > at + 1 && path[at + 1] != '/'))
        return false;
    *windows =
        std::string(1, static_cast<char>(std::toupper(path[at]))) + ":" + path.substr(at + 1);
    return true;
}

bool MapPath(const std::string& windowsPath, std::string* hostPath, unsigned* error,
             FolderSeen* seen) {
    std::string absolute;
    if (windowsPath.size() >= 2 && IsSeparator(windowsPath[0]) && IsSeparator(windowsPath[1])) {
        *error = ERROR_INVALID_NAME; // network paths do not exist here
        return false;
    }
    if (WindowsLength(windowsPath) > MAX_PATH - 1) {
        *error = ERROR_FILENAME_EXCED_RANGE;
        return false;
    }
    if (windowsPath.empty() || !MakeAbsolute(windowsPath, &absolute)) {
        *error = windowsPath.empty() ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_NAME;
        return false;
    }
    if (WindowsLength(absolute) > MAX_PATH - 1) {
        *error = ERROR_FILENAME_EXCED_RANGE;
        return false;
    }
    std::string host;
    if (!HasDrive(absolute) || !DriveBase(absolute[0], &host)) {
        *error = HasDrive(absolute) ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_NAME;
        return false;
    }
    std::vector<std::string> components;
    std::size_t start = 2;
    while (start <= absolute.size()) {
        std::size_t end = start;
        while (end < absolute.size() && !IsSeparator(absolute[end]))
            ++end;
        std::string name = absolute.substr(start, end - start);
        if (name == "..") {
            if (!components.empty())
                components.pop_back();
        } else if (!name.empty() && name != ".") {
            if (!ValidComponent(name)) {
                *error = ERROR_INVALID_NAME;
                return false;
            }
            components.push_back(name);
        }
        start = end + 1;
    }
    // Most paths exist as given, or all but their last component do (a file
    // about to be made): then two lookups do instead of one per component,
    // and the folder's remembered names tell whether to list it.
    std::string exact = host, folder;
    for (const std::string& name : components) {
        folder = exact;
        exact += "/" + name;
    }
    if (components.size() > 1 && InFolder(folder, components.back(), hostPath, seen))
        return true;
    if (components.size() == 1 && ExistsAsGiven(exact)) {
        *hostPath = exact;
        return true;
    }
    bool exists = true;
    for (const std::string& name : components)
        host += "/" + (exists ? RealName(host, name, &exists) : name);
    *hostPath = host.empty() ? "/" : host;
    return true;
}

} // namespace

bool ToHost(const std::string& windowsPath, std::string* hostPath, unsigned* error,
            DriveConfinement::LastLink last) {
    FolderSeen seen;
    if (!MapPath(windowsPath, hostPath, error, &seen))
        return false;
    if (DriveConfinement::Escapes(*hostPath, last, seen.known ? &seen.info : nullptr)) {
        *error = ERROR_ACCESS_DENIED;
        return false;
    }
    return true;
}

bool OnMachineDrive(const std::string& hostPath) {
    // A mapped path has no "." or ".." left: one under a drive folder of
    // the root is told by its start, without normalising it.
    std::string windows;
    if (DriveForm(hostPath, Machine::Current().Root(), &windows))
        return windows[0] != 'Z';
    windows = ToWindows(hostPath);
    return !windows.empty() && windows[0] != 'Z';
}

bool Changeable(const std::string& hostPath) {
    return OnMachineDrive(hostPath) || Machine::HostChangesAllowed(hostPath);
}

std::string ToWindows(const std::string& hostPath) {
    std::error_code code;
    std::string path = std::filesystem::absolute(hostPath, code).lexically_normal().string();
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const std::string& root = Machine::Current().Root();
    std::string windows;
    if (!DriveForm(path, root, &windows)) {
        // The root may be reached through a symbolic link (a host path from
        // /proc/self/exe or realpath is resolved).
        std::string real = std::filesystem::weakly_canonical(root, code).string();
        if (code || !DriveForm(path, real, &windows))
            windows = "Z:" + path;
    }
    for (char& c : windows)
        if (c == '/')
            c = '\\';
    if (windows.size() == 2)
        windows += '\\';
    return windows;
}

} // namespace PathMap
