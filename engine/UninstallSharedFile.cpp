#include "engine/UninstallSharedFile.h"

#include "platform/WinBase.h"
#include "platform/WinError.h"
#include "platform/WinReg.h"
#include "toolkit/KIVAnsiName.h"

#include <cctype>

namespace {

const char kSharedDllsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

std::string FileName(const std::string& path) {
    return std::string(KIVAnsiName::Leaf(KIVAnsiName::Normal(path)));
}

std::string SystemPath(const std::string& name) {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string() : KIVAnsiName::Join(folder, name);
}

// The positive use count of path, or 0 when there is none.
DWORD UseCount(HKEY key, const std::string& path) {
    DWORD type = 0, count = 0, size = sizeof count;
    if (!key ||
        RegQueryValueExA(key, path.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&count),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof count || static_cast<LONG>(count) <= 0)
        return 0;
    return count;
}

void LowerCount(HKEY key, const std::string& path, DWORD count, UninstallRun& run) {
    const DWORD lowered = count - 1;
    const std::string others =
        std::to_string(lowered) + " other program" + (lowered == 1 ? "" : "s");
    if (!run.DryRun()) {
        const LSTATUS status =
            RegSetValueExA(key, path.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&lowered),
                           sizeof lowered);
        if (status != ERROR_SUCCESS)
            return run.Failed(path, "lowering its SharedDLLs count", status);
    }
    run.Kept(path, "shared: still used by " + others + " (SharedDLLs count " +
                       std::to_string(count) + " -> " + std::to_string(lowered) + ")");
}

void RemoveLastUse(HKEY key, const std::string& path, UninstallRun& run) {
    if (!run.DryRun()) {
        const LSTATUS status = RegDeleteValueA(key, path.c_str());
        if (status != ERROR_SUCCESS)
            return run.Failed(path, "removing its SharedDLLs count", status);
        if (!DeleteFileA(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
            return run.Failed(path, "removing the file", GetLastError());
    }
    run.Removed(path, "shared: its SharedDLLs count reached 0");
}

// The SharedDLLs key opened to read and set counts, or null when it does not
// exist; false when it exists but cannot be opened.
bool OpenCounts(const std::string& path, HKEY* key, UninstallRun& run) {
    *key = nullptr;
    const LSTATUS opened =
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDllsKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key);
    if (opened != ERROR_SUCCESS)
        *key = nullptr;
    if (opened == ERROR_SUCCESS || opened == ERROR_FILE_NOT_FOUND)
        return true;
    run.Failed(path, "opening the SharedDLLs counts", opened);
    return false;
}

} // namespace

bool IsStagedSystemFile(const std::string& path, const std::string& installFolder) {
    const std::string folder = KIVAnsiName::Parent(path);
    const std::string name = KIVAnsiName::Key(FileName(folder));
    return !folder.empty() && name == "TEMPORARYFILES" &&
           !KIVAnsiName::IsInside(path, installFolder);
}

void UninstallCountedFile(const SharedFileUse& shared, UninstallRun& run) {
    HKEY key = nullptr;
    if (!OpenCounts(shared.path, &key, run))
        return;
    const DWORD count = UseCount(key, shared.path);
    if (count == 1 && shared.countBefore == 0)
        RemoveLastUse(key, shared.path, run);
    else if (count > shared.countBefore && shared.countBefore > 0)
        LowerCount(key, shared.path, count, run);
    else if (shared.countBefore > 0)
        run.Kept(shared.path, "shared: the setup had not counted its use yet");
    else
        run.Kept(shared.path, "shared: no SharedDLLs count, other programs may use it");
    if (key)
        RegCloseKey(key);
}

void UninstallSharedFile(const std::string& stagedPath, UninstallRun& run) {
    const std::string path = SystemPath(FileName(stagedPath));
    if (path.empty())
        return run.Kept(stagedPath, "the system folder is unknown");
    HKEY key = nullptr;
    if (!OpenCounts(path, &key, run))
        return;
    const DWORD count = UseCount(key, path);
    if (count == 0)
        run.Kept(path, "shared: no SharedDLLs count, other programs may use it");
    else if (count == 1)
        RemoveLastUse(key, path, run);
    else
        LowerCount(key, path, count, run);
    if (key)
        RegCloseKey(key);
}
