#include "setup/SetupReadBack.h"

#include "platform/WinError.h"
#include "setup/SetupState.h"
#include "toolkit/KIVRegistry.h"

#include <cstring>
#include <string>
#include <strings.h>

namespace {

constexpr DWORD kBufferSize = 260;

HKEY RootKey(const std::string& name) {
    static const struct {
        const char* name;
        HKEY key;
    } kRoots[] = {
        {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {"HKEY_USERS", HKEY_USERS},
        {"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA},
        {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    };
    for (const auto& root : kRoots)
        if (name == root.name)
            return root.key;
    return nullptr;
}

bool IsRootKey(HKEY key) {
    const auto value = reinterpret_cast<ULONG_PTR>(key);
    return value >= 0x80000000u && value <= 0x80000005u;
}

void CloseKey(HKEY key, const char16_t* registryFile) {
    if (key && !IsRootKey(key))
        KIVRegCloseKey(key, registryFile);
}

// Opens every level of "ROOT\a\b" in turn; a trailing backslash ends the path.
bool OpenKeyPath(const char* path, const char16_t* registryFile, HKEY* keyOut) {
    const char* slash = std::strchr(path, '\\');
    HKEY key = RootKey(slash ? std::string(path, slash) : std::string(path));
    if (!key)
        return false;
    for (const char* part = slash ? slash + 1 : nullptr; part && *part;) {
        const char* end = std::strchr(part, '\\');
        const std::string name = end ? std::string(part, end) : std::string(part);
        HKEY next = nullptr;
        const LONG result = KIVRegOpenKey(key, name.c_str(), 0, KEY_READ, &next, registryFile);
        CloseKey(key, registryFile);
        if (result != ERROR_SUCCESS)
            return false;
        key = next;
        part = end ? end + 1 : nullptr;
    }
    *keyOut = key;
    return true;
}

// The data of the key's value named name (ignoring case), as text.
bool FindValue(HKEY key, const char* name, const char16_t* registryFile, KIVString* text) {
    for (DWORD index = 0;; ++index) {
        char valueName[kBufferSize] = {};
        BYTE data[kBufferSize + 1] = {};
        DWORD nameSize = kBufferSize, dataSize = kBufferSize, type = 0;
        if (KIVRegEnumValue(key, index, valueName, &nameSize, nullptr, &type, data, &dataSize,
                            registryFile) != ERROR_SUCCESS)
            return false;
        valueName[kBufferSize - 1] = '\0';
        if (strcasecmp(valueName, name) == 0) {
            *text = reinterpret_cast<const char*>(data);
            return true;
        }
    }
}

// The variable a text value refers to first, when the options let it be read back.
SetupVariables::Name ReadableVariable(const SetupDescription& d, const char* text) {
    const char* open = std::strchr(text, '<');
    if (!open)
        return SetupVariables::kNone;
    const KIVString name(std::string(open + 1, std::strcspn(open + 1, ">")).c_str());
    const SetupVariables::Name variable = SetupVariables::Find(name, name.GetLength());
    switch (variable) {
    case SetupVariables::kCompany:
        return d.OptionFlag(kOptionReadBackCompany) ? variable : SetupVariables::kNone;
    case SetupVariables::kUserName:
        return d.OptionFlag(kOptionReadBackUserName) ? variable : SetupVariables::kNone;
    case SetupVariables::kInstallDst:
        return d.OptionFlag(kOptionReadBackInstallDst) ? variable : SetupVariables::kNone;
    case SetupVariables::kLanguage:
        return SetupVariables::kNone;
    default:
        return variable;
    }
}

} // namespace

void ReadBackSetupVariables(SetupState& state) {
    const SetupDescription& d = state.description;
    for (const RegistryKeyRecord& record : d.registryKeys) {
        const bool inFile = !record.winreg && d.OptionFlag(kOptionUseRegistryFile);
        const char16_t* registryFile =
            inFile ? static_cast<const char16_t*>(state.registryFileName) : nullptr;
        char path[kBufferSize];
        ExpandSetupVariables(state, record.keyPath, path, sizeof path);
        HKEY key = nullptr;
        if (!OpenKeyPath(path, registryFile, &key))
            return;
        for (const RegistryValueRecord& value : record.values) {
            if (value.type != REG_SZ)
                continue;
            const SetupVariables::Name variable = ReadableVariable(d, value.text);
            KIVString text;
            if (variable != SetupVariables::kNone &&
                FindValue(key, value.name, registryFile, &text))
                *state.variables.Stored(variable) = text;
        }
        CloseKey(key, registryFile);
    }
}
