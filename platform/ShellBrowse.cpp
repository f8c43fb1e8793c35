// Item lists of file-system folders, their paths, and SHBrowseForFolderA,
// which runs the browser that the toolkit registered.
#include "platform/HostText.h"
#include "platform/SpecialFolderItem.h"
#include "platform/ui/FolderBrowserHook.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// Image indices of the shell's small icons: a closed folder and a disk.
constexpr int kFolderImage = 3;
constexpr int kDriveImage = 8;

bool IsFullPath(const std::u16string& path) {
    return path.size() >= 3 && path.size() < MAX_PATH && path[0] < 0x80 &&
           std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == u':' &&
           (path[2] == u'\\' || path[2] == u'/');
}

LPITEMIDLIST FileSystemItem(const std::u16string& path) {
    if (!IsFullPath(path))
        return nullptr;
    return SpecialFolderItem::Make(path, SpecialFolderItem::Kind::FileSystem);
}

// Copies text into a MAX_PATH buffer of the caller; false (buffer emptied)
// when it does not fit.
bool CopyAnsi(const std::string& ansi, LPSTR buffer) {
    if (ansi.size() >= MAX_PATH) {
        buffer[0] = '\0';
        return false;
    }
    std::memcpy(buffer, ansi.c_str(), ansi.size() + 1);
    return true;
}

void FillChoice(const std::u16string& path, LPBROWSEINFOA info) {
    const std::u16string name = SpecialFolderItem::DisplayName(path);
    if (info->pszDisplayName) {
        const std::string ansi = HostText::ToAnsi(HostText::FromWide(name.c_str()));
        // A name cut to the buffer, as the shell cuts it.
        const std::size_t length = std::min<std::size_t>(ansi.size(), MAX_PATH - 1);
        std::memcpy(info->pszDisplayName, ansi.data(), length);
        info->pszDisplayName[length] = '\0';
    }
    info->iImage = name.size() == 2 && name[1] == u':' ? kDriveImage : kFolderImage;
}

} // namespace

LPITEMIDLIST ILCreateFromPathW(LPCWSTR pszPath) {
    return pszPath ? FileSystemItem(pszPath) : nullptr;
}

LPITEMIDLIST ILCreateFromPathA(LPCSTR pszPath) {
    return pszPath ? FileSystemItem(HostText::ToWide(HostText::FromAnsi(pszPath))) : nullptr;
}

void ILFree(LPITEMIDLIST pidl) {
    IMalloc* malloc = nullptr;
    if (pidl && SHGetMalloc(&malloc) == S_OK)
        malloc->Free(pidl);
}

BOOL SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR pszPath) {
    if (!pszPath)
        return FALSE;
    std::u16string path;
    if (!SpecialFolderItem::Path(pidl, &path)) {
        pszPath[0] = '\0';
        return FALSE;
    }
    return CopyAnsi(HostText::ToAnsi(HostText::FromWide(path.c_str())), pszPath);
}

LPITEMIDLIST SHBrowseForFolderA(LPBROWSEINFOA lpbi) {
    const FolderBrowserHook browser = GetFolderBrowserHook();
    if (!lpbi || !browser)
        return nullptr;
    FolderBrowseRequest request;
    request.info = lpbi;
    if (lpbi->pidlRoot && !SpecialFolderItem::Path(lpbi->pidlRoot, &request.root))
        return nullptr;
    std::u16string chosen;
    if (!browser(request, &chosen))
        return nullptr;
    LPITEMIDLIST item = FileSystemItem(chosen);
    if (item)
        FillChoice(chosen, lpbi);
    return item;
}
