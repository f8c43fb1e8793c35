#include "engine/FileVersionOrder.h"

#include "platform/WinVer.h"

#include <cstdint>
#include <memory>
#include <new>

namespace {

// The file's version as one 64-bit number; false without version information.
bool ReadFileVersion(const char* path, std::uint64_t* version) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0)
        return false;
    std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[size]);
    LPVOID value = nullptr;
    UINT length = 0;
    if (!block || !GetFileVersionInfoA(path, 0, size, block.get()) ||
        !VerQueryValueA(block.get(), "\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO))
        return false;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    *version = static_cast<std::uint64_t>(fixed->dwFileVersionMS) << 32 | fixed->dwFileVersionLS;
    return true;
}

} // namespace

FileVersionOrder CompareFileVersions(const char* stagedPath, const char* targetPath) {
    std::uint64_t staged = 0, target = 0;
    if (!ReadFileVersion(stagedPath, &staged) || !ReadFileVersion(targetPath, &target))
        return FileVersionOrder::kUnknown;
    return staged > target ? FileVersionOrder::kNewer : FileVersionOrder::kNotNewer;
}
