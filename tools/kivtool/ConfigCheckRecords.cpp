// The install entries, components, setup types and shortcuts: every record
// must lead to something the setup installs.
//
// [SECTION] Install entries
// [SECTION] Components
// [SECTION] Setup types
// [SECTION] Shortcuts
#include "tools/kivtool/ConfigCheck.h"

#include "engine/RelativeFolder.h"
#include "toolkit/KIVAnsiName.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>

namespace {

std::string EntryName(const SetupDescription& d, const InstallEntry* entry) {
    for (std::size_t i = 0; i < d.installEntries.size(); ++i)
        if (d.installEntries[i].get() == entry)
            return "install entry " + std::to_string(i) + " " + Quoted(entry->entryName);
    return "an install entry";
}

bool HasDotDot(std::string_view path) {
    for (const std::string_view name :
         KIVAnsiName::Components(path, KIVAnsiName::Separators::kBoth))
        if (name == "..")
            return true;
    return false;
}

// [SECTION] Install entries

void CheckVolume(const SetupDescription& d, const InstallEntry& e, int line,
                 ConfigProblems& problems) {
    const std::string volume = "volume " + std::to_string(e.volume);
    if (e.volume < 1 || e.volume > 9)
        problems.Error(line, volume + " is not 1 to 9, the volumes the setup can open");
    else if (d.multiVolume && static_cast<std::size_t>(e.volume) > d.volumes.size())
        problems.Error(line, volume + " is not in the volume list, which has " +
                                 std::to_string(d.volumes.size()));
    else if (!d.multiVolume && e.volume != 1)
        problems.Warning(line, volume + ", but the description is not multi-volume (header "
                                        "line 15): the package is read from the main archive");
    if (e.packageOffset < 0)
        problems.Error(line,
                       "the package offset " + std::to_string(e.packageOffset) + " is negative");
}

void CheckKeywords(const SetupEntryLines& words, int line, ConfigProblems& problems) {
    std::string packed = words.packedWord;
    for (char& c : packed)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (packed == "TRUE" && words.packedWord != "TRUE")
        problems.Warning(line, "packed keyword " + Quoted(words.packedWord) +
                                   " is not \"TRUE\": the entry is copied from a folder");
    const std::string& platform = words.platformWord;
    if (platform != "platformPC" && platform != "platformPCMAC" && platform != "platformMac")
        problems.Warning(line, "platform keyword " + Quoted(platform) +
                                   " is none of platformPC, platformPCMAC, platformMac: the "
                                   "entry is neither installed nor counted");
}

void CheckDestination(const InstallEntry& e, int line, ConfigProblems& problems) {
    if (HasDotDot(e.destinationFolder))
        problems.Error(line, "the destination folder " + Quoted(e.destinationFolder) +
                                 " leaves the installation folder through \"..\"");
    else if (!StaysInsideFolder(e.destinationFolder))
        problems.Error(line, "the destination folder " + Quoted(e.destinationFolder) +
                                 " is absolute: the setup refuses it, as it would leave the "
                                 "installation folder");
    if (!e.packed && HasDotDot(e.sourceFolder))
        problems.Warning(line, "the source folder " + Quoted(e.sourceFolder) +
                                   " leaves the installation source through \"..\"");
}

// [SECTION] Components

void CheckComponentLanguages(const SetupDescription& d, const Component& c, const std::string& name,
                             int line, ConfigProblems& problems) {
    if (!(c.languages & kAllLanguages))
        problems.Error(line, name + " applies to no language (" + std::to_string(c.languages) +
                                 "): it is never installed");
    else if (!(c.languages & d.availableLanguages & kAllLanguages))
        problems.Error(line, name + " applies to none of the available languages: it is never "
                                    "installed");
    const std::string extra = ExtraLanguageBits(c.languages);
    if (!extra.empty())
        problems.Warning(line, name + " has language bits beyond the four languages (" + extra +
                                   "); they are ignored");
}

// The setup unpacks the pictures of its own pages from these components
// whatever the setup type: a setup type need not list them.
bool IsSetupImageComponent(const Component& component) {
    return std::strncmp(component.name, "BillBo", 6) == 0;
}

bool ListedByASetupType(const SetupDescription& d, const Component* component) {
    for (const auto& type : d.setupTypes)
        if (std::find(type->components.begin(), type->components.end(), component) !=
            type->components.end())
            return true;
    return false;
}

} // namespace

void CheckInstallEntries(const SetupDescription& d, ConfigProblems& problems) {
    for (std::size_t i = 0; i < d.installEntries.size(); ++i) {
        const InstallEntry& e = *d.installEntries[i];
        const SetupEntryLines& lines = d.sourceLines.entries[i];
        CheckKeywords(lines, lines.entryLine, problems);
        if (e.packed)
            CheckVolume(d, e, lines.entryLine, problems);
        if (e.size < 0)
            problems.Error(lines.entryLine, "the size " + std::to_string(e.size) + " is negative");
        CheckDestination(e, lines.entryLine, problems);
    }
}

void CheckComponents(const SetupDescription& d, ConfigProblems& problems) {
    for (std::size_t i = 0; i < d.components.size(); ++i) {
        const Component& c = *d.components[i];
        const int line = d.sourceLines.components[i];
        const std::string name = "component " + Quoted(c.name);
        if (!c.name[0])
            problems.Error(line, "the component name is empty");
        if (c.entries.empty())
            problems.Error(line, name + " lists no install entry");
        else if (std::none_of(c.entries.begin(), c.entries.end(),
                              [](const InstallEntry* e) { return e->IsForPC(); }))
            // A medium shared with another platform may hold a component of
            // that platform's own: odd for the PC, not wrong.
            problems.Warning(line, name + " lists only entries that are not for the PC: it "
                                          "installs nothing here");
        CheckComponentLanguages(d, c, name, line, problems);
        if (!ListedByASetupType(d, &c) && !IsSetupImageComponent(c))
            problems.Warning(line, "no setup type lists " + name);
    }
}

// [SECTION] Setup types

void CheckSetupTypes(const SetupDescription& d, ConfigProblems& problems) {
    if (d.setupTypes.empty()) {
        problems.Error(0, "there is no setup type: the setup installs nothing");
        return;
    }
    std::set<std::string> seen;
    for (std::size_t i = 0; i < d.setupTypes.size(); ++i) {
        const SetupType& type = *d.setupTypes[i];
        const int line = d.sourceLines.setupTypes[i];
        const std::string name = "setup type " + Quoted(type.name);
        if (type.components.empty())
            problems.Error(line, name + " lists no component");
        const std::string_view n = type.name;
        if (n != "Typical" && n != "Compact" && n != "Custom")
            problems.Warning(line, name + " is never chosen: only Typical, Compact and Custom "
                                          "are (exact case)");
        else if (!seen.insert(type.name).second)
            problems.Warning(line, "a second " + name + " is never chosen");
    }
    if (seen.empty())
        problems.Error(d.sourceLines.setupTypes[0],
                       "no setup type is named Typical, Compact or Custom: the setup can choose "
                       "none");
    else if (!seen.count("Typical") && !d.OptionFlag(kOptionSetupTypePage) &&
             d.OptionFlag(kOptionInstall))
        problems.Error(0, "the setup type page is not shown (option 19), so Typical is "
                          "installed, but no setup type is named Typical");
}

// [SECTION] Shortcuts

void CheckShortcuts(const SetupDescription& d, ConfigProblems& problems) {
    for (std::size_t i = 0; i < d.shortcuts.size(); ++i) {
        const ShortcutEntry& s = d.shortcuts[i];
        const int line = d.sourceLines.shortcuts[i];
        if (!s.targetFile[0])
            problems.Error(line, "the shortcut's target file is empty");
        if (!s.shortcutName[0])
            problems.Error(line, "the shortcut name is empty");
        else if (char c = ForbiddenNameCharacter(s.shortcutName, false))
            problems.Error(line, "the shortcut name " + Quoted(s.shortcutName) + " holds '" + c +
                                     "', which a file name cannot hold");
        if (!s.entry->IsForPC())
            problems.Warning(line, "the shortcut points into " + EntryName(d, s.entry) +
                                       ", which is not installed on the PC");
    }
}
