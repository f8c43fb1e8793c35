// The sections of a project file that name folders and components: the
// components, the setup types and the shortcuts. They are read after the
// folders and components they name, wherever those stand in the file.
#include "tools/kivtool/DistProject.h"

namespace {
int FindFolder(const DistProject& p, const std::string& name) {
    for (std::size_t i = 0; i < p.folders.size(); ++i)
        if (p.folders[i].name == name)
            return static_cast<int>(i);
    return -1;
}

int FindComponent(const DistProject& p, const std::string& name) {
    for (std::size_t i = 0; i < p.components.size(); ++i)
        if (p.components[i].name == name)
            return static_cast<int>(i);
    return -1;
}

void ReadComponentLanguages(DistReader& r, const DistIniKey& key, DistComponent* component) {
    for (const std::string& name : DistList(key.value)) {
        int bit = -1;
        for (int i = 0; i < 4; ++i)
            if (name == kDistLanguages[i].name)
                bit = i;
        if (bit < 0 || !(r.project.languages & 1 << bit))
            r.Error(key.line, "'" + name + "' is not one of the languages of [medium]");
        else
            component->languages |= 1 << bit;
    }
    if (component->languages == 0)
        r.Error(key.line, "the component is offered in no language");
}
} // namespace

void ReadComponentSection(DistReader& r, const DistIniSection& section) {
    DistComponent component;
    component.line = section.line;
    component.name = section.name;
    bool hasFolders = false;
    for (const DistIniKey& key : section.keys) {
        if (key.key == "languages") {
            ReadComponentLanguages(r, key, &component);
        } else if (key.key == "folders") {
            hasFolders = true;
            for (const std::string& name : DistList(key.value)) {
                const int folder = FindFolder(r.project, name);
                if (folder < 0)
                    r.Error(key.line, "no [folder " + name + "] for this component");
                component.folders.push_back(folder);
            }
        } else {
            r.Error(key.line, "unknown key '" + key.key +
                                  "' in [component]; the keys are: folders, languages");
        }
    }
    if (!hasFolders || component.folders.empty())
        r.Error(section.line, "the component names no folders (folders = NAME, ...)");
    if (FindComponent(r.project, component.name) >= 0)
        r.Error(section.line, "a second component named '" + component.name + "'");
    if (component.languages == 0)
        component.languages = r.project.languages;
    r.project.components.push_back(std::move(component));
}

void ReadSetupTypesSection(DistReader& r, const DistIniSection& section) {
    for (const DistIniKey& key : section.keys) {
        int type = -1;
        for (int i = 0; i < 3; ++i)
            if (key.key == kDistSetupTypes[i])
                type = i;
        if (type < 0) {
            r.Error(key.line, "unknown setup type '" + key.key +
                                  "'; the setup offers Typical, Compact and Custom");
            continue;
        }
        r.project.setupTypeLines[type] = key.line;
        for (const std::string& name : DistList(key.value)) {
            const int component = FindComponent(r.project, name);
            if (component < 0)
                r.Error(key.line,
                        "setup type " + key.key + " names '" + name + "', which is no [component]");
            else
                r.project.setupTypes[type].push_back(component);
        }
    }
}

void ReadShortcutSection(DistReader& r, const DistIniSection& section) {
    DistShortcut shortcut;
    shortcut.line = section.line;
    shortcut.name = section.name;
    for (const DistIniKey& key : section.keys) {
        if (key.key == "target")
            shortcut.target = key.value;
        else if (key.key == "folder" && (shortcut.folder = FindFolder(r.project, key.value)) < 0)
            r.Error(key.line, "no [folder " + key.value + "] for this shortcut");
        else if (key.key != "folder")
            r.Error(key.line,
                    "unknown key '" + key.key + "' in [shortcut]; the keys are: target, folder");
    }
    if (shortcut.target.empty() || shortcut.folder < 0)
        r.Error(section.line, "a shortcut needs target = FILE and folder = NAME");
    r.project.shortcuts.push_back(std::move(shortcut));
}
