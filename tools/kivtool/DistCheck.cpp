#include "tools/kivtool/DistCheck.h"
#include "tools/kivtool/ConfigCheck.h"
#include "tools/kivtool/DistLanguages.h"
#include "tools/kivtool/DistVolumes.h"
#include "tools/kivtool/PackVerify.h"

#include <cstdio>

namespace fs = std::filesystem;

namespace {
int ProjectLine(const DistConfigText& config, int configLine) {
    if (configLine < 1 || configLine > static_cast<int>(config.lines.size()))
        return 0;
    return config.lines[configLine - 1];
}

// Loads config.ini as the setup does and runs the description check.
void CheckDescription(const DistConfigText& config, const std::string& path,
                      std::vector<DistError>* errors, std::vector<DistError>* warnings) {
    SetupDescription description;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    const bool loaded = file && LoadSetupDescription(description, file);
    if (file)
        std::fclose(file);
    if (!loaded) {
        errors->push_back({ProjectLine(config, description.error.line),
                           "the setup refuses the description: " + description.error.reason});
        return;
    }
    ConfigProblems problems;
    CheckSetupDescription(description, problems);
    for (const ConfigProblem& problem : problems.All())
        (problem.error ? errors : warnings)
            ->push_back(
                {ProjectLine(config, problem.line),
                 "config.ini line " + std::to_string(problem.line) + ": " + problem.message});
}

void CheckVolumes(const std::string& configPath, int volumes, const fs::path& files,
                  std::vector<DistError>* errors) {
    for (int index = 0; index < volumes; ++index) {
        PackRequest request{(files / DistVolumeName(index)).string(), {}, configPath};
        PackVerifyResult result;
        std::string error;
        if (!VerifyVolume(request, &result, &error))
            errors->push_back({0, DistVolumeName(index) + ": " + error});
        for (const std::string& damaged : result.damaged)
            errors->push_back({0, DistVolumeName(index) + ": " + damaged});
    }
}

void CheckLanguageFolders(const DistProject& project, const fs::path& files,
                          std::vector<DistError>* errors) {
    for (int bit = 0; bit < 4; ++bit) {
        if (!(project.languages & 1 << bit))
            continue;
        for (const std::string& name : DistLanguageFiles(project)) {
            std::error_code code;
            if (!fs::is_regular_file(files / "Languages" / kDistLanguages[bit].name / name, code))
                errors->push_back(
                    {project.languagesLine,
                     std::string("the ") + kDistLanguages[bit].name + " folder lacks " + name});
        }
    }
}
} // namespace

bool CheckDistMedium(const DistProject& project, const DistConfigText& config,
                     const std::string& configPath, int volumes, const fs::path& files,
                     std::vector<DistError>* errors, std::vector<DistError>* warnings) {
    const std::size_t before = errors->size();
    CheckDescription(config, configPath, errors, warnings);
    CheckVolumes(configPath, volumes, files, errors);
    CheckLanguageFolders(project, files, errors);
    return errors->size() == before;
}
