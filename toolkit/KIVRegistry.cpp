// The system layer's registry functions: the system registry (one platform
// call each) or the registry file of the given name.
#include "toolkit/KIVRegistry.h"

#include "toolkit/KIVRegistryFile.h"

LONG KIVRegOpenKey(HKEY parent, const char* subKey, DWORD options, REGSAM access, HKEY* keyOut,
                   const char16_t* registryFile) {
    if (!registryFile) {
        if (access == KEY_WRITE)
            return RegCreateKeyA(parent, subKey, keyOut);
        return RegOpenKeyExA(parent, subKey, options, access, keyOut);
    }
    return KIVRegistryFile(registryFile).OpenKey(parent, subKey, access, keyOut);
}

LONG KIVRegEnumValue(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* reserved,
                     DWORD* type, BYTE* data, DWORD* dataSize, const char16_t* registryFile) {
    if (!registryFile)
        return RegEnumValueA(key, index, name, nameSize, reserved, type, data, dataSize);
    return KIVRegistryFile(registryFile)
        .EnumValue(key, index, name, nameSize ? *nameSize : 0, reinterpret_cast<char*>(data),
                   dataSize ? *dataSize : 0);
}

LONG KIVRegSetValue(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize, const char16_t* registryFile) {
    if (!registryFile)
        return RegSetValueExA(key, valueName, reserved, type, data, dataSize);
    return KIVRegistryFile(registryFile)
        .SetValue(key, valueName, reinterpret_cast<const char*>(data), dataSize);
}

LONG KIVRegCloseKey(HKEY key, const char16_t* registryFile) {
    if (!registryFile)
        return RegCloseKey(key);
    return 1;
}

void KIVDeleteRegistryFile(const char16_t* registryFile) {
    KIVRegistryFile(registryFile ? registryFile : u"KIV.reg").Delete();
}
