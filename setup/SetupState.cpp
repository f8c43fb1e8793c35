#include "setup/SetupState.h"

#include <cstring>

bool SetProgramPath(SetupState& state, const char16_t* programPath) {
    KIVString path(programPath);
    const int dot = path.ReverseFind('.');
    if (dot < 0)
        return false;
    path = path.Left(dot);
    const int slash = path.ReverseFind('\\');
    if (slash < 0)
        return false;
    state.programName = path.Mid(slash + 1);
    state.setupFolder = path.Left(slash);
    state.setupFilesFolder = state.setupFolder + u"\\" + state.programName + u" files";
    state.variables.installSrc = state.setupFolder;
    return true;
}

void TakeDescriptionValues(SetupState& state) {
    const SetupDescription& d = state.description;
    state.variables.longAppName = d.longApplicationName;
    state.applicationName = d.applicationName;
    state.variables.version = d.versionText;
    state.variables.exeName = d.programFileBaseName;
    state.registryFileName = d.OptionText(kOptionRegistryFileName);
    KIVString source = state.setupFolder;
    state.variables.installSrc =
        JoinRelativePath(source, KIVString(d.OptionText(kOptionSourcePath)));
}

const char* const kSetupTypeNames[3] = {"Typical", "Compact", "Custom"};

void SelectSetupType(SetupState& state, std::int32_t number) {
    state.chosenSetupType = nullptr;
    if (number < kSetupTypical || number > kSetupCustom)
        return;
    for (const auto& type : state.description.setupTypes) {
        if (std::strcmp(type->name, kSetupTypeNames[number]) == 0) {
            state.chosenSetupType = type.get();
            state.requiredSize = ComputeSetupTypeSize(state, *type);
            return;
        }
    }
}

std::int32_t ComputeComponentSize(const Component& component) {
    std::int32_t total = 0;
    for (const InstallEntry* entry : component.entries)
        if (entry->IsForPC())
            total = AddSizes(total, entry->size);
    return total;
}

std::int32_t ComputeSetupTypeSize(SetupState& state, const SetupType& type) {
    std::int32_t total = 0;
    for (const Component* component : type.components) {
        if (!component->selected || !component->enabled ||
            !(component->languages & state.currentLanguage))
            continue;
        if (component->registryFileName[0])
            state.registryFileName = component->registryFileName;
        total = AddSizes(total, ComputeComponentSize(*component));
    }
    return total;
}
