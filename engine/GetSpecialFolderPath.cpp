#include "engine/GetSpecialFolderPath.h"

#include "platform/ShlObj.h"
#include "platform/Windows.h"

#include <algorithm>

namespace {

constexpr int kPathSize = MAX_PATH;

void CopyWide(const WCHAR* text, char16_t* path) {
    int length = 0;
    while (length < kPathSize - 1 && text[length])
        ++length;
    std::copy(text, text + length, path);
    path[length] = 0;
}

void CopyAnsi(const char* text, char16_t* path) {
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, path, kPathSize) == 0)
        path[0] = 0; // too long for the buffer: no name rather than a cut one
}

// The name of a STRRET in path; a wide text is freed with the allocator.
void TakeName(STRRET& name, LPCITEMIDLIST pidl, IMalloc* malloc, char16_t* path) {
    switch (name.uType) {
    case STRRET_WSTR:
        CopyWide(name.pOleStr, path);
        malloc->Free(name.pOleStr);
        break;
    case STRRET_OFFSET:
        CopyAnsi(reinterpret_cast<const char*>(pidl) + name.uOffset, path);
        break;
    case STRRET_CSTR:
        name.cStr[MAX_PATH - 1] = 0;
        CopyAnsi(name.cStr, path);
        break;
    }
}

} // namespace

bool GetSpecialFolderPath(int csidl, char16_t* path) {
    path[0] = 0;
    IMalloc* malloc = nullptr;
    IShellFolder* desktop = nullptr;
    if (SHGetMalloc(&malloc) != S_OK)
        return false;
    if (SHGetDesktopFolder(&desktop) != S_OK) {
        malloc->Release();
        return false;
    }
    LPITEMIDLIST pidl = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, csidl, &pidl) == S_OK) {
        STRRET name{};
        if (desktop->GetDisplayNameOf(pidl, SHGDN_FORPARSING, &name) == S_OK)
            TakeName(name, pidl, malloc, path);
        malloc->Free(pidl);
    }
    desktop->Release();
    malloc->Release();
    return path[0] != 0;
}
