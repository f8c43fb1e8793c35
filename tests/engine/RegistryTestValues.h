// Registry values made and looked for by the uninstaller's tests.
#pragma once

#include "platform/Windows.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

inline void SetValue(HKEY root, const char* key, const char* name, const char* data) {
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyA(root, key, &opened), ERROR_SUCCESS);
    RegSetValueExA(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                   static_cast<DWORD>(std::strlen(data) + 1));
    RegCloseKey(opened);
}

inline bool KeyExists(HKEY root, const char* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

inline bool ValueExists(HKEY root, const char* key, const char* name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    const bool found =
        RegQueryValueExA(opened, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(opened);
    return found;
}

} // namespace
