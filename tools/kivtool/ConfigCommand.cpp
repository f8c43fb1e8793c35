// "kivtool config": checks a setup description (config.ini) as the setup
// program reads it, and says where and why it would be refused.
#include "tools/kivtool/KivCommand.h"

#include "setup/SetupDescription.h"

#include <cstdio>
#include <string>

namespace {

const char kUsage[] = "usage: kivtool config check FILE\n"
                      "\n"
                      "  check FILE   read FILE as the setup program reads config.ini; print a\n"
                      "               summary and exit 0 when it is sound, or print the line and\n"
                      "               the reason it would be refused and exit 1\n";

bool IsTextOption(int k) {
    return k == 7 || k == 13 || k == 16 || k == 17 || k == 20;
}

std::string Languages(std::int32_t set) {
    static const char* const kNames[] = {"English", "French", "German", "Japanese"};
    std::string text;
    for (int bit = 0; bit < 4; ++bit)
        if (set & (1 << bit))
            text += std::string(text.empty() ? "" : " ") + kNames[bit];
    return text.empty() ? "none" : text;
}

std::string OptionsSet(const SetupDescription& d) {
    std::string text;
    for (int k = 1; k <= SetupDescription::kOptionCount; ++k) {
        const bool set = IsTextOption(k) ? d.OptionText(k)[0] != '\0' : d.OptionNumber(k) != 0;
        if (!set)
            continue;
        text += text.empty() ? "" : " ";
        text += IsTextOption(k) ? std::to_string(k) + "=\"" + d.OptionText(k) + "\""
                                : std::to_string(k);
    }
    return text.empty() ? "none" : text;
}

void PrintSummary(const char* path, const SetupDescription& d) {
    int packed = 0;
    for (const auto& entry : d.installEntries)
        packed += entry->packed ? 1 : 0;
    std::string typeNames;
    for (const auto& type : d.setupTypes)
        typeNames += std::string(typeNames.empty() ? "" : ", ") + type->name;
    std::printf("%s: sound setup description (format %s)\n", path, d.formatVersion);
    std::printf("  application      %s (\"%s\" %s, program %s.exe)\n", d.applicationName,
                d.longApplicationName, d.versionText, d.programFileBaseName);
    std::printf("  languages        %s\n", Languages(d.availableLanguages).c_str());
    std::printf("  install entries  %zu (%d packed, %zu copied; %d bytes for the PC)\n",
                d.installEntries.size(), packed, d.installEntries.size() - packed,
                d.TotalInstallSize());
    std::printf("  components       %zu\n", d.components.size());
    std::printf("  setup types      %zu%s%s%s\n", d.setupTypes.size(),
                typeNames.empty() ? "" : " (", typeNames.c_str(), typeNames.empty() ? "" : ")");
    std::printf("  shortcuts        %zu\n", d.shortcuts.size());
    std::printf("  uninstall paths  %zu\n", d.extraUninstallPaths.size());
    std::printf("  volumes          %zu\n", d.volumes.size());
    std::printf("  registry keys    %zu\n", d.registryKeys.size());
    std::printf("  options read     %d of 28\n", d.optionsRead);
    std::printf("  options set      %s\n", OptionsSet(d).c_str());
}

int Check(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        std::fprintf(stderr, "%s: the file cannot be opened\n", path);
        return 1;
    }
    SetupDescription description;
    const bool loaded = LoadSetupDescription(description, file);
    std::fclose(file);
    if (!loaded) {
        std::fprintf(stderr, "%s: line %d: %s\n", path, description.error.line,
                     description.error.reason.c_str());
        return 1;
    }
    PrintSummary(path, description);
    return 0;
}

int RunConfig(const std::vector<std::string>& args) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.size() != 2 || args[0] != "check") {
        std::fputs(kUsage, stderr);
        return 2;
    }
    return Check(args[1].c_str());
}

KivCommand config("config", "check a setup description (config.ini)", RunConfig);

} // namespace
