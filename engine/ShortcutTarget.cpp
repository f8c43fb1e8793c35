#include "engine/ShortcutTarget.h"

#include "platform/ShellLinkFile.h"
#include "platform/Windows.h"

#include <vector>

namespace {
constexpr DWORD kLargestLink = 1u << 20;
} // namespace

std::string ShortcutTarget(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    DWORD high = 0, got = 0;
    const DWORD size = GetFileSize(file, &high);
    std::vector<BYTE> bytes(high == 0 && size <= kLargestLink ? size : 0);
    const bool read =
        !bytes.empty() && ReadFile(file, bytes.data(), size, &got, nullptr) && got == size;
    CloseHandle(file);
    ShellLinkData link;
    if (!read || !ShellLinkFile::Read(bytes.data(), bytes.size(), &link))
        return std::string();
    return link.ansiTargetPath;
}
