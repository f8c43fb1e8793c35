#include "toolkit/KIVLanguageSetting.h"

#include "platform/WinError.h"
#include "toolkit/KIVRegistry.h"

#include <cstring>

namespace {

// Opens each level in turn with its own access, closing the levels passed;
// false, with nothing left open, when one cannot be opened.
bool OpenLevels(const char* const* names, const REGSAM* access, int count, HKEY* keyOut,
                const char16_t* registryFile) {
    HKEY key = HKEY_LOCAL_MACHINE;
    for (int i = 0; i < count; ++i) {
        HKEY next = nullptr;
        const LONG result = KIVRegOpenKey(key, names[i], 0, access[i], &next, registryFile);
        if (key != HKEY_LOCAL_MACHINE)
            KIVRegCloseKey(key, registryFile);
        if (result != ERROR_SUCCESS)
            return false;
        key = next;
    }
    *keyOut = key;
    return true;
}

} // namespace

std::string KIVReadLanguageSetting(const char* applicationName, const char* versionName,
                                   const char16_t* registryFile) {
    const char* const names[] = {"SOFTWARE", "Kiv software", applicationName, versionName};
    const REGSAM access[] = {KEY_READ, KEY_READ, KEY_READ, KEY_READ};
    HKEY key = nullptr;
    if (!OpenLevels(names, access, 4, &key, registryFile))
        return std::string();
    std::string language;
    for (DWORD index = 0;; ++index) {
        char name[256] = {};
        BYTE data[256] = {};
        DWORD nameSize = sizeof name - 1, dataSize = sizeof data - 1, type = 0;
        if (KIVRegEnumValue(key, index, name, &nameSize, nullptr, &type, data, &dataSize,
                            registryFile) != ERROR_SUCCESS)
            break;
        if (std::strcmp(name, "Language") == 0) {
            language.assign(reinterpret_cast<const char*>(data),
                            strnlen(reinterpret_cast<const char*>(data), dataSize));
            break;
        }
    }
    KIVRegCloseKey(key, registryFile);
    return language;
}

void KIVWriteLanguageSetting(const char* applicationName, const char* versionName, const char* name,
                             const char16_t* registryFile) {
    const char* const names[] = {"SOFTWARE", "Kiv software", applicationName, versionName};
    // Without the application's key nothing is written: the writing opens
    // below would make the first two levels and leave them empty.
    const REGSAM read[] = {KEY_READ, KEY_READ, KEY_READ};
    HKEY key = nullptr;
    if (!OpenLevels(names, read, 3, &key, registryFile))
        return;
    KIVRegCloseKey(key, registryFile);
    const REGSAM access[] = {KEY_WRITE, KEY_WRITE, KEY_READ, KEY_WRITE};
    if (!OpenLevels(names, access, 4, &key, registryFile))
        return;
    KIVRegSetValue(key, "Language", 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                   static_cast<DWORD>(std::strlen(name) + 1), registryFile);
    KIVRegCloseKey(key, registryFile);
}
