// Fuzz target: the setup description reader. The input is written as
// config.ini on a scratch machine and loaded as the setup loads it; a loaded
// description is then used as the setup uses it (setup types and their
// sizes, substitution of the registry texts). A refusal must say why; a
// loaded description must hold terminated texts and references into its own
// lists.
#include "platform/Machine.h"
#include "setup/SetupState.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace {
std::string MachineRoot() {
    static std::string root = [] {
        char pattern[] = "/tmp/kiv-fuzz-config-XXXXXX";
        std::string made = mkdtemp(pattern) ? pattern : "/tmp/kiv-fuzz-config";
        std::string error;
        if (!Machine::Create(made, MachineSettings(), &error) || !Machine::Use(made))
            std::abort();
        return made;
    }();
    return root;
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

template <typename List, typename Item> bool Holds(const List& list, const Item* item) {
    return std::any_of(list.begin(), list.end(),
                       [item](const auto& owned) { return owned.get() == item; });
}

void UseDescription(SetupState& state) {
    const SetupDescription& d = state.description;
    for (const auto& component : d.components) {
        Check(std::strlen(component->registryFileName) < kSetupTextSize);
        for (const InstallEntry* entry : component->entries)
            Check(Holds(d.installEntries, entry));
    }
    for (const auto& type : d.setupTypes)
        for (const Component* component : type->components)
            Check(Holds(d.components, component));
    for (const ShortcutEntry& shortcut : d.shortcuts)
        Check(Holds(d.installEntries, shortcut.entry));
    for (std::int32_t number = -1; number <= 3; ++number)
        SelectSetupType(state, number);
    char expanded[kSetupTextSize];
    for (const RegistryKeyRecord& key : d.registryKeys) {
        ExpandSetupVariables(state, key.keyPath, expanded, sizeof expanded);
        for (const RegistryValueRecord& value : key.values)
            ExpandSetupVariables(state, value.text, expanded, sizeof expanded);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string root = MachineRoot();
    {
        std::ofstream out(root + "/drive_c/config.ini", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    SetupState state;
    std::strcpy(state.description.filePath, "C:\\config.ini");
    state.variables.longAppName = "Talvic";
    state.currentLanguage = 1;
    if (LoadSetupDescription(state.description))
        UseDescription(state);
    else
        Check(!state.description.error.reason.empty());
    return 0;
}
