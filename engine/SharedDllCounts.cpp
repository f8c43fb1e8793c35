#include "engine/SharedDllCounts.h"

#include "platform/WinError.h"

#include <limits>

namespace {

const char kSharedDllsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

} // namespace

SharedDllCounts::SharedDllCounts() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDllsKey, 0,
                      KEY_QUERY_VALUE | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, &key) == ERROR_SUCCESS)
        key_ = key;
}

SharedDllCounts::~SharedDllCounts() {
    if (key_)
        RegCloseKey(key_);
}

DWORD SharedDllCounts::Count(const char* libraryPath) const {
    DWORD type = 0, count = 0, size = sizeof count;
    if (!key_ ||
        RegQueryValueExA(key_, libraryPath, nullptr, &type, reinterpret_cast<BYTE*>(&count),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof count || static_cast<LONG>(count) <= 0)
        return 0;
    return count;
}

bool SharedDllCounts::Raise(const char* libraryPath) {
    const LONG uses = static_cast<LONG>(Count(libraryPath));
    // A count at its top stays there rather than turning negative.
    if (uses <= 0 || uses == std::numeric_limits<LONG>::max())
        return true;
    return Set(libraryPath, static_cast<DWORD>(uses + 1));
}

bool SharedDllCounts::CountNewFile(const char* libraryPath) {
    return !key_ || (Count(libraryPath) > 0 ? Raise(libraryPath) : Set(libraryPath, 1));
}

bool SharedDllCounts::Set(const char* libraryPath, DWORD count) {
    return RegSetValueExA(key_, libraryPath, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count),
                          sizeof count) == ERROR_SUCCESS;
}
