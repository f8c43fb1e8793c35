#include "setup/SetupDescription.h"

#include "platform/PlatformStdio.h"
#include "setup/SetupDescriptionLoader.h"

#include <initializer_list>
#include <limits>

void SetupDescription::Clear() {
    for (char* text : {formatVersion, agreementFileName, applicationName, longApplicationName,
                       programFileBaseName, versionText})
        text[0] = '\0';
    availableLanguages = 0;
    multiVolume = false;
    installEntries.clear();
    components.clear();
    setupTypes.clear();
    shortcuts.clear();
    extraUninstallPaths.clear();
    volumes.clear();
    registryKeys.clear();
    for (SetupOption& option : options)
        option = SetupOption();
    optionsRead = 0;
    error = SetupDescriptionError();
    sourceLines = SetupDescriptionLines();
}

std::int32_t SetupDescription::OptionNumber(int k) const {
    return k >= 1 && k <= kOptionCount ? options[k].number : 0;
}

const char* SetupDescription::OptionText(int k) const {
    return k >= 1 && k <= kOptionCount ? options[k].text : "";
}

bool SetupDescription::IsTextOption(int k) {
    return k == kOptionRegistryFileName || k == kOptionPreviousInstallFile ||
           k == kOptionSourcePath || k == 17 || k == 20;
}

std::int32_t SetupDescription::TotalInstallSize() const {
    std::int32_t total = 0;
    for (const auto& entry : installEntries)
        if (entry->IsForPC())
            total = AddSizes(total, entry->size);
    return total;
}

std::int32_t AddSizes(std::int32_t a, std::int32_t b) {
    const std::int64_t sum = static_cast<std::int64_t>(a) + b;
    if (sum > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (sum < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(sum);
}

bool LoadSetupDescription(SetupDescription& description, std::FILE* file) {
    description.Clear();
    SetupDescriptionLoader loader(file, description);
    return loader.Load();
}

bool LoadSetupDescription(SetupDescription& description) {
    std::FILE* file = PlatformFopen(description.filePath, "rt");
    if (!file) {
        description.Clear();
        description.error = {0, "the file cannot be opened"};
        return false;
    }
    const bool loaded = LoadSetupDescription(description, file);
    std::fclose(file);
    return loaded;
}

void LogSetupDescriptionError(const SetupDescriptionError& error) {
    if (error.line)
        std::fprintf(stderr, "config.ini: line %d: %s\n", error.line, error.reason.c_str());
    else
        std::fprintf(stderr, "config.ini: %s\n", error.reason.c_str());
}
