#include "setup/SetupReadBack.h"

#include "platform/RegistryNames.h"
#include "platform/RegistryRoots.h"
#include "platform/WinBase.h"
#include "setup/SetupState.h"
#include "toolkit/KIVRegistry.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kBufferSize = 260;

void CloseKey(HKEY key, const char16_t* registryFile) {
    if (key && !RegistryRoots::FromHandle(key))
        KIVRegCloseKey(key, registryFile);
}

// Opens every level of "ROOT\a\b" in turn, as the writer made them: an
// empty level in the middle (a variable such as <COMPANY> that expanded to
// nothing) opens the key itself again, and only a trailing backslash ends
// the path. Levels are split at the backslashes that are characters of the
// ANSI code page, never at the trail byte of a double-byte character.
bool OpenKeyPath(const char* path, const char16_t* registryFile, HKEY* keyOut) {
    const std::vector<std::string> names = RegistryNames::SplitPath(path, GetACP());
    const RegistryRoot* root = RegistryRoots::FromName(names[0]);
    if (!root)
        return false;
    HKEY key = root->handle;
    const std::size_t levels = names.size() - (names.size() > 1 && names.back().empty() ? 1 : 0);
    for (std::size_t level = 1; level < levels; ++level) {
        HKEY next = nullptr;
        const LONG result =
            KIVRegOpenKey(key, names[level].c_str(), 0, KEY_READ, &next, registryFile);
        CloseKey(key, registryFile);
        if (result != ERROR_SUCCESS)
            return false;
        key = next;
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
        if (RegistryNames::Fold(valueName, GetACP()) == RegistryNames::Fold(name, GetACP())) {
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
