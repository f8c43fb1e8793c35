#include "engine/DisplayNamePath.h"

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
        path[0] = 0;
}

} // namespace

void TakeDisplayNamePath(STRRET& name, LPCITEMIDLIST pidl, IMalloc* malloc, char16_t* path) {
    path[0] = 0;
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
