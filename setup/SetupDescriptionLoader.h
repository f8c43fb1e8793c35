// SetupDescriptionLoader: reads the ten parts of a setup description in their
// fixed order (header, install entries, components, setup types, shortcuts,
// extra uninstall paths, an unused path list, volumes, registry keys,
// options) into a SetupDescription, resolving the indices between records.
#pragma once

#include "setup/SetupDescriptionReader.h"

class SetupDescriptionLoader {
public:
    SetupDescriptionLoader(std::FILE* file, SetupDescription& description)
        : reader_(file), description_(description), lines_(description.sourceLines) {}

    // False when the file is malformed; the description's error says why.
    bool Load();

private:
    // How the reading of the registry keys and the options ended.
    enum class Tail { kRead, kFileEnded, kFailed };

    bool ReadAll();
    bool ReadHeader(std::int32_t* entryCount);
    bool ReadHeaderText(int line, char (&text)[kSetupTextSize], const char* what);
    bool ReadHeaderNumber(int line, std::int32_t* value, const char* what);
    bool ReadInstallEntry(int index);
    bool ReadEntryLine(InstallEntry& entry, std::int32_t* nameCount);
    bool ReadNameList(InstallEntry& entry, std::int32_t count);
    bool ReadCount(const char* what, std::int32_t* count);
    bool ReadIndex(std::int32_t count, const char* what, std::int32_t* index);
    bool ReadComponents();
    bool ReadComponent(Component& component);
    bool ReadSetupTypes();
    bool ReadShortcuts();
    bool ReadPathList(const char* what, std::vector<std::string>* paths);
    bool ReadVolumes();
    Tail ReadRegistryKeys();
    Tail ReadKeyValues(RegistryKeyRecord& key, SetupKeyLines& lines);
    Tail ReadOptions();
    Tail NextTailLine();

    SetupDescriptionReader reader_;
    SetupDescription& description_;
    SetupDescriptionLines& lines_;
};
