#include "tools/kivtool/ConfigSummary.h"

#include "tools/kivtool/ConfigProblems.h"

#include <string>

namespace {

// What each option does, for the summary; the unused ones have no name.
const char* const kOptionNames[SetupDescription::kOptionCount + 1] = {
    "",
    "alternative agreement",
    "full screen",
    "program group",
    "offer to start",
    "",
    "registry file",
    "registry file name",
    "start-up shortcut",
    "user page",
    "user name field",
    "company field",
    "update mode",
    "previous-installation file",
    "",
    "delete registry file",
    "source path",
    "",
    "language page",
    "setup type page",
    "",
    "introduction page",
    "licence page",
    "install",
    "read back",
    "",
    "read back user name",
    "read back company",
    "read back folder",
};

std::string Languages(std::int32_t set) {
    static const char* const kNames[] = {"English", "French", "German", "Japanese"};
    std::string text;
    for (int bit = 0; bit < 4; ++bit)
        if (set & (1 << bit))
            text += std::string(text.empty() ? "" : ", ") + kNames[bit];
    return text.empty() ? "none" : text;
}

// "3 program group, 7 registry file name "x.reg"": every option set, numbered and named.
std::string OptionsSet(const SetupDescription& d) {
    std::string text;
    for (int k = 1; k <= SetupDescription::kOptionCount; ++k) {
        const bool set =
            SetupDescription::IsTextOption(k) ? d.OptionText(k)[0] != '\0' : d.OptionNumber(k) != 0;
        if (!set)
            continue;
        text += text.empty() ? "" : ", ";
        text += std::to_string(k) + (kOptionNames[k][0] ? " " : "") + kOptionNames[k];
        if (SetupDescription::IsTextOption(k))
            text += " " + Quoted(d.OptionText(k));
    }
    return text.empty() ? "none" : text;
}

} // namespace

void PrintConfigSummary(std::FILE* out, const SetupDescription& d) {
    int packed = 0;
    for (const auto& entry : d.installEntries)
        packed += entry->packed ? 1 : 0;
    std::string typeNames;
    for (const auto& type : d.setupTypes)
        typeNames += std::string(typeNames.empty() ? "" : ", ") + Quoted(type->name);
    std::fprintf(out, "  application      %s (long name %s, version %s, program %s)\n",
                 Quoted(d.applicationName).c_str(), Quoted(d.longApplicationName).c_str(),
                 Quoted(d.versionText).c_str(),
                 Quoted(std::string(d.programFileBaseName) + ".exe").c_str());
    std::fprintf(out, "  languages        %s\n", Languages(d.availableLanguages).c_str());
    std::fprintf(out, "  install entries  %zu (%d packed, %zu copied; %d bytes for the PC)\n",
                 d.installEntries.size(), packed, d.installEntries.size() - packed,
                 d.TotalInstallSize());
    std::fprintf(out, "  components       %zu\n", d.components.size());
    std::fprintf(out, "  setup types      %zu (%s)\n", d.setupTypes.size(), typeNames.c_str());
    std::fprintf(out, "  shortcuts        %zu\n", d.shortcuts.size());
    std::fprintf(out, "  uninstall paths  %zu\n", d.extraUninstallPaths.size());
    std::fprintf(out, "  volumes          %zu (%s)\n", d.volumes.size(),
                 d.multiVolume ? "multi-volume" : "every package in the main archive");
    std::fprintf(out, "  registry keys    %zu\n", d.registryKeys.size());
    std::fprintf(out, "  options read     %d of 28\n", d.optionsRead);
    std::fprintf(out, "  options set      %s\n", OptionsSet(d).c_str());
}
