#include "engine/GetSpecialFolderPath.h"

#include "engine/DisplayNamePath.h"

#include "platform/ShlObj.h"

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
            TakeDisplayNamePath(name, pidl, malloc, path);
        malloc->Free(pidl);
    }
    desktop->Release();
    malloc->Release();
    return path[0] != 0;
}
