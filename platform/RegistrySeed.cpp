#include "platform/RegistrySeed.h"

#include "platform/HostText.h"
#include "platform/RegistryStore.h"
#include "platform/RegistryText.h"

namespace RegistrySeed {
namespace {

constexpr const char* kCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kNtCurrentVersion = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kShellFolders = "Explorer\\Shell Folders";

// Settings and folder names are UTF-8 host text; the registry keeps them in
// its text form, terminated.
bool SetText(RegistryStore& store, RegKeyId key, const char* name, const std::string& utf8) {
    std::string data = store.WideText() ? RegistryText::Bytes(HostText::ToWide(utf8) + u'\0')
                                        : HostText::ToAnsi(utf8) + '\0';
    return store.SetValue(key, name, REG_SZ, data) == ERROR_SUCCESS;
}

bool Create(RegistryStore& store, RegKeyId root, const std::string& path, RegKeyId* key) {
    return store.CreatePath(root, path, key) == ERROR_SUCCESS;
}

} // namespace

bool Seed(RegistryStore& store, const MachineSettings& settings) {
    const RegKeyId machine = RegistryStore::RootId(HKEY_LOCAL_MACHINE);
    const RegKeyId user = RegistryStore::RootId(HKEY_CURRENT_USER);
    RegKeyId version = 0, owner = 0, shared = 0, commonShell = 0, userShell = 0;
    bool nt = settings.family == PlatformFamily::NT;
    if (!Create(store, machine, kCurrentVersion, &version) ||
        !Create(store, machine, nt ? kNtCurrentVersion : kCurrentVersion, &owner) ||
        !Create(store, version, kShellFolders, &commonShell) ||
        !Create(store, version, "SharedDLLs", &shared) ||
        !Create(store, user,
                std::string("Software\\Microsoft\\Windows\\CurrentVersion\\") + kShellFolders,
                &userShell))
        return false;
    return SetText(store, version, "ProgramFilesDir", MachineFolders::ProgramFiles(settings)) &&
           SetText(store, owner, "RegisteredOwner", settings.registeredOwner) &&
           SetText(store, owner, "RegisteredOrganization", settings.registeredOrganization) &&
           SetText(store, commonShell, "Common Programs",
                   MachineFolders::CommonPrograms(settings)) &&
           SetText(store, commonShell, "Common Startup", MachineFolders::CommonStartup(settings)) &&
           SetText(store, userShell, "Programs", MachineFolders::UserPrograms(settings)) &&
           SetText(store, userShell, "Startup", MachineFolders::UserStartup(settings));
}

} // namespace RegistrySeed
