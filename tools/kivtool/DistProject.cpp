#include "tools/kivtool/DistProject.h"
#include "tools/kivtool/DistOptionTable.h"

const DistLanguage kDistLanguages[4] = {
    {"English", 1252}, {"French", 1252}, {"German", 1252}, {"Japanese", 932}};
const char* const kDistSetupTypes[3] = {"Typical", "Compact", "Custom"};

namespace {
using SectionReader = void (*)(DistReader&, const DistIniSection&);

struct SectionKind {
    const char* kind;
    int pass; // 0 first, 1 after the folders, 2 after the components
    bool named;
    SectionReader read;
};

const SectionKind kKinds[] = {
    {"product", 0, false, ReadProductSection},    {"medium", 0, false, ReadMediumSection},
    {"licence", 0, false, ReadLicenceSection},    {"images", 0, false, ReadImagesSection},
    {"folder", 0, true, ReadFolderSection},       {"uninstall", 0, false, ReadUninstallSection},
    {"registry", 0, true, ReadRegistrySection},   {"options", 0, false, ReadOptionsSection},
    {"component", 1, true, ReadComponentSection}, {"setup-types", 2, false, ReadSetupTypesSection},
    {"shortcut", 2, true, ReadShortcutSection},
};

const SectionKind* FindKind(const std::string& kind) {
    for (const SectionKind& known : kKinds)
        if (kind == known.kind)
            return &known;
    return nullptr;
}

// Unknown kinds, a name missing or given where none belongs, and a section
// without a name given twice.
bool CheckSectionLine(DistReader& r, const std::vector<DistIniSection>& sections,
                      const DistIniSection& section) {
    const SectionKind* kind = FindKind(section.kind);
    if (!kind) {
        std::string list;
        for (const SectionKind& known : kKinds)
            list += (list.empty() ? "" : ", ") + std::string(known.kind);
        r.Error(section.line, "unknown section [" + section.kind + "]; the sections are: " + list);
        return false;
    }
    if (kind->named == section.name.empty()) {
        r.Error(section.line, kind->named ? "[" + section.kind + " NAME] needs a name"
                                          : "[" + section.kind + "] takes no name");
        return false;
    }
    for (const DistIniSection& other : sections) {
        if (&other == &section)
            break;
        if (!kind->named && other.kind == section.kind) {
            r.Error(section.line, "[" + section.kind + "] is given twice (first on line " +
                                      std::to_string(other.line) + ")");
            return false;
        }
    }
    return true;
}

int LastLine(const std::vector<DistIniSection>& sections) {
    int last = 0;
    for (const DistIniSection& section : sections)
        last = std::max(last, section.keys.empty() ? section.line : section.keys.back().line);
    return last;
}
} // namespace

bool ReadDistProject(const std::string& path, DistProject* project,
                     std::vector<DistError>* errors) {
    project->path = path;
    project->folder = std::filesystem::absolute(path).parent_path();
    for (const DistOptionInfo& option : kDistOptions)
        project->options[option.position] = option.value;
    std::vector<DistIniSection> sections;
    if (!ReadDistIni(path, &sections, errors))
        return false;
    DistReader reader{*project, *errors};
    std::vector<const DistIniSection*> valid;
    for (const DistIniSection& section : sections)
        if (CheckSectionLine(reader, sections, section))
            valid.push_back(&section);
    for (int pass = 0; pass < 3; ++pass) {
        for (const DistIniSection* section : valid)
            if (FindKind(section->kind)->pass == pass)
                FindKind(section->kind)->read(reader, *section);
        if (pass == 0 && project->languagesLine == 0)
            project->languages = 1; // English unless [medium] says otherwise
    }
    CheckDistProject(reader, LastLine(sections));
    return errors->empty();
}
