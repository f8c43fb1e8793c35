#include "engine/WriteRegistryKeys.h"

#include "engine/InstallJournal.h"
#include "engine/InstallObserver.h"
#include "engine/RegistryValueData.h"
#include "engine/RootKeyFromName.h"
#include "platform/WinError.h"
#include "toolkit/KIVAnsiName.h"
#include "toolkit/KIVRegistry.h"

#include <cstring>
#include <string>

namespace {

// Room to tell a substituted key path longer than 259 characters.
constexpr int kExpandedPathSize = 520;
constexpr std::size_t kMaxPathLength = RegistryKeyList::kPathSize - 1;

void CloseKey(HKEY key, const char16_t* registryFile) {
    if (key && !IsRootKey(key))
        KIVRegCloseKey(key, registryFile);
}

// Opens the root and creates or opens each level after it in turn. An
// unrecognised root is refused before any call: a null key would reach the
// registry file as the offset 0, at its very start.
bool CreateKeyPath(const char* path, const char16_t* registryFile, HKEY* keyOut) {
    const std::vector<std::string_view> names = KIVAnsiName::Components(path);
    HKEY key = RootKeyFromName(names.front());
    if (!key)
        return false;
    // A trailing separator adds no level.
    const std::size_t levels = names.size() - (names.back().empty() ? 1 : 0);
    for (std::size_t level = 1; level < levels; ++level) {
        const std::string name(names[level]);
        HKEY next = nullptr;
        const LONG result = KIVRegOpenKey(key, name.c_str(), 0, KEY_WRITE, &next, registryFile);
        if (result != ERROR_SUCCESS || next != key) // an empty level gives the key itself
            CloseKey(key, registryFile);
        if (result != ERROR_SUCCESS)
            return false;
        key = next;
    }
    *keyOut = key;
    return true;
}

bool SetValues(HKEY key, const RegistryKeyRecord& record, const char16_t* registryFile,
               const ExpandSetupText& expand, InstallJournal* journal) {
    for (const RegistryValueRecord& value : record.values) {
        RegistryValueData data;
        if (!FormRegistryValueData(value, expand, registryFile != nullptr, &data))
            return false;
        const char* name = std::strcmp(value.name, "<DEFAULT>") == 0 ? nullptr : value.name;
        if (journal)
            journal->Value(name ? name : "");
        if (KIVRegSetValue(key, name, 0, static_cast<DWORD>(value.type), data.bytes, data.size,
                           registryFile) != ERROR_SUCCESS)
            return false;
    }
    return true;
}

bool WriteKey(const RegistryKeyRecord& record, const char16_t* registryFile,
              const ExpandSetupText& expand, RegistryKeyList* writtenKeys, InstallJournal* journal,
              InstallObserver* observer) {
    char path[kExpandedPathSize];
    expand(record.keyPath, path, kExpandedPathSize);
    path[kExpandedPathSize - 1] = '\0';
    if (std::strlen(path) > kMaxPathLength)
        return false;
    if (record.dontUninstall)
        journal = nullptr;
    if (journal)
        journal->Key(path);
    HKEY key = nullptr;
    bool written = CreateKeyPath(path, registryFile, &key);
    if (written) {
        written = SetValues(key, record, registryFile, expand, journal);
        CloseKey(key, registryFile);
    }
    if (written && !record.dontUninstall)
        writtenKeys->Add(path);
    if (observer)
        observer->RegistryKeyWritten(path, written);
    return written;
}

} // namespace

bool WriteRegistryKeys(const std::vector<RegistryKeyRecord>& keys, const RegistryStoreChoice& store,
                       const ExpandSetupText& expand, RegistryKeyList* writtenKeys,
                       InstallJournal* journal, InstallObserver* observer) {
    // A missing name must not send the file's keys to the system registry
    // (the null store); the empty name is refused by the registry file.
    const char16_t* fileName = store.registryFileName ? store.registryFileName : u"";
    if (store.useRegistryFile && store.deleteRegistryFile)
        KIVDeleteRegistryFile(fileName);
    for (const RegistryKeyRecord& record : keys) {
        const bool toFile = store.useRegistryFile && !record.winreg;
        if (!WriteKey(record, toFile ? fileName : nullptr, expand, writtenKeys, journal, observer))
            return false;
    }
    return true;
}
