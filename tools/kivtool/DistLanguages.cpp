#include "tools/kivtool/DistLanguages.h"
#include "tools/kivtool/RcCompile.h"

namespace fs = std::filesystem;

std::vector<std::string> DistLanguageFiles(const DistProject& project) {
    std::vector<std::string> files;
    for (const char* extension : {".erf", ".erb", ".erd", ".erm", ".era", ".ers"})
        files.push_back(std::string("Setup") + extension);
    if (project.options[22] != "0")
        files.push_back(project.licenceName);
    return files;
}

bool WriteDistLanguages(const DistProject& project, const DistText& resources,
                        const fs::path& files, DistError* error) {
    const fs::path sources = resources.value;
    for (int bit = 0; bit < 4; ++bit) {
        if (!(project.languages & 1 << bit))
            continue;
        const char* language = kDistLanguages[bit];
        const fs::path folder = files / "Languages" / language;
        std::error_code code;
        fs::create_directories(folder, code);
        RcError failure;
        if (code ||
            !CompileLanguageResources((sources / language).string(), (folder / "Setup").string(),
                                      (sources / "English").string(), &failure)) {
            *error = {resources.line, std::string("the ") + language + " resources: " +
                                          (code ? code.message() : failure.Text())};
            return false;
        }
        const auto licence = project.licences.find(language);
        if (licence == project.licences.end())
            continue;
        fs::copy_file(licence->second.value, folder / project.licenceName, code);
        if (code) {
            *error = {licence->second.line, "cannot copy the licence: " + code.message()};
            return false;
        }
    }
    return true;
}
