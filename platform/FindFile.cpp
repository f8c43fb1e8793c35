// Folder listings: FindFirstFile, FindNextFile, FindClose.
#include "platform/CodePageConverter.h"
#include "platform/FindObject.h"
#include "platform/HostText.h"
#include "platform/PathMap.h"
#include "platform/WinBase.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <type_traits>

namespace {

void Fill(const FindObject::Entry& entry, LPWIN32_FIND_DATAW data) {
    std::memset(data, 0, sizeof *data);
    data->dwFileAttributes = entry.attributes;
    data->ftCreationTime = entry.created;
    data->ftLastAccessTime = entry.accessed;
    data->ftLastWriteTime = entry.written;
    data->nFileSizeHigh = static_cast<DWORD>(entry.size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(entry.size);
    std::u16string name = HostText::ToWide(entry.name);
    std::size_t length = std::min<std::size_t>(name.size(), MAX_PATH - 1);
    std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(length), data->cFileName);
}

void Fill(const FindObject::Entry& entry, LPWIN32_FIND_DATAA data) {
    WIN32_FIND_DATAW wide;
    Fill(entry, &wide);
    std::memset(data, 0, sizeof *data);
    data->dwFileAttributes = wide.dwFileAttributes;
    data->ftCreationTime = wide.ftCreationTime;
    data->ftLastAccessTime = wide.ftLastAccessTime;
    data->ftLastWriteTime = wide.ftLastWriteTime;
    data->nFileSizeHigh = wide.nFileSizeHigh;
    data->nFileSizeLow = wide.nFileSizeLow;
    std::string name = HostText::ToAnsi(entry.name);
    std::size_t length = CodePageConverter::CutLength(CP_ACP, name, MAX_PATH - 1);
    std::memcpy(data->cFileName, name.data(), length);
}

// Splits "C:\folder\*.txt" into its folder and the pattern of its last part.
void SplitPattern(const std::string& path, std::string* folder, std::string* pattern) {
    std::size_t cut = path.find_last_of("\\/");
    bool drive =
        path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
    if (cut == std::string::npos) {
        *folder = drive ? path.substr(0, 2) : ".";
        *pattern = drive ? path.substr(2) : path;
    } else {
        *folder = path.substr(0, cut + 1);
        *pattern = path.substr(cut + 1);
    }
}

template <typename Data> HANDLE Start(const std::string& path, Data* data) {
    if (!data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (HostText::ToWide(path).size() > MAX_PATH - 1) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return INVALID_HANDLE_VALUE;
    }
    std::string folder, pattern, host;
    SplitPattern(path, &folder, &pattern);
    unsigned error = 0;
    if (!PathMap::ToHost(folder, &host, &error)) {
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    if (pattern.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    bool driveRoot = PathMap::ToWindows(host).size() == 3;
    bool ansi = std::is_same_v<Data, WIN32_FIND_DATAA>;
    std::shared_ptr<FindObject> find = FindObject::Start(host, pattern, driveRoot, ansi);
    if (!find)
        return INVALID_HANDLE_VALUE;
    Fill(*find->Next(), data);
    SetLastError(ERROR_SUCCESS);
    return KernelObject::Insert(find);
}

template <typename Data> BOOL Continue(HANDLE handle, Data* data) {
    std::shared_ptr<FindObject> find = KernelObject::LookupAs<FindObject>(handle);
    if (!find || !data) {
        SetLastError(find ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const FindObject::Entry* entry = find->Next();
    if (!entry) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    Fill(*entry, data);
    return TRUE;
}

} // namespace

HANDLE FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData) {
    if (!lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    return Start(HostText::FromWide(lpFileName), lpFindFileData);
}

HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
    if (!lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    return Start(HostText::FromAnsi(lpFileName), lpFindFileData);
}

BOOL FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData) {
    return Continue(hFindFile, lpFindFileData);
}

BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
    return Continue(hFindFile, lpFindFileData);
}

BOOL FindClose(HANDLE hFindFile) {
    if (!KernelObject::LookupAs<FindObject>(hFindFile) || !KernelObject::Remove(hFindFile)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
