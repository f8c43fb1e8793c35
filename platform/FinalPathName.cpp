// The final path of an open file or folder: GetFinalPathNameByHandle.
#include "platform/FileObject.h"
#include "platform/HostPath.h"
#include "platform/HostText.h"
#include "platform/PathMap.h"
#include "platform/WinBase.h"

#include <cerrno>
#include <climits>
#include <string>
#include <unistd.h>

namespace {

// Where the descriptor's file is now, with every link resolved: the host
// keeps that for each open descriptor, so a rename or a changed link after
// the open does not mislead.
bool HostFinalPath(const FileObject& file, std::string* hostPath) {
    const std::string link = "/proc/self/fd/" + std::to_string(file.Descriptor());
    char resolved[PATH_MAX];
    ssize_t length = readlink(link.c_str(), resolved, sizeof resolved);
    if (length <= 0 || length == static_cast<ssize_t>(sizeof resolved)) {
        SetLastError(length < 0 ? HostPath::ErrorFromErrno(errno, file.HostPath())
                                : static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
        return false;
    }
    hostPath->assign(resolved, static_cast<std::size_t>(length));
    return true;
}

// The Windows form of the handle's final path, in UTF-8; false with the last
// error set.
bool FinalPath(HANDLE handle, DWORD flags, std::string* path) {
    const DWORD volume = flags & ~FILE_NAME_OPENED;
    if (volume != VOLUME_NAME_DOS && volume != VOLUME_NAME_NONE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    std::shared_ptr<FileObject> file = KernelObject::LookupAs<FileObject>(handle);
    if (!file) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    std::string host;
    if (!HostFinalPath(*file, &host))
        return false;
    const std::string windows = PathMap::ToWindows(host); // "C:\folder\file"
    *path = volume == VOLUME_NAME_DOS ? "\\\\?\\" + windows : windows.substr(2);
    return true;
}

} // namespace

DWORD GetFinalPathNameByHandleW(HANDLE hFile, LPWSTR lpszFilePath, DWORD cchFilePath,
                                DWORD dwFlags) {
    std::string path;
    if (!FinalPath(hFile, dwFlags, &path))
        return 0;
    return HostText::ReturnW(path, lpszFilePath, cchFilePath);
}

DWORD GetFinalPathNameByHandleA(HANDLE hFile, LPSTR lpszFilePath, DWORD cchFilePath,
                                DWORD dwFlags) {
    std::string path;
    if (!FinalPath(hFile, dwFlags, &path))
        return 0;
    return HostText::ReturnA(path, lpszFilePath, cchFilePath);
}
