#include "engine/ShellFolderValue.h"

#include "platform/WinError.h"
#include "toolkit/KIVString.h"

namespace {
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
}

bool ReadShellFolderValue(HKEY root, const char* valueName, KIVString* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, kShellFolders, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    char buffer[260] = {};
    // One byte is kept back so that a value stored without its terminator
    // still ends inside the buffer.
    DWORD size = sizeof buffer - 1;
    const LSTATUS status =
        RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || buffer[0] == 0)
        return false;
    *path = buffer;
    return true;
}
