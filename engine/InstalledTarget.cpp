#include "engine/InstalledTarget.h"

#include "platform/Windows.h"

bool IsInstalledTarget(const char16_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
