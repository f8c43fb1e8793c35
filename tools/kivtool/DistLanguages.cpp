#include "tools/kivtool/DistLanguages.h"
#include "tools/kivtool/RcCompile.h"

#include "tools/kivtool/DistLicenceText.h"
#include "tools/kivtool/ReadHostFile.h"

#include <fstream>

namespace fs = std::filesystem;

namespace {

// A licence is pages of text, not megabytes.
constexpr std::size_t kMaxLicenceBytes = std::size_t(4) << 20;

// The licence in the form of the licence page.
bool WriteLicence(const fs::path& from, const fs::path& to, std::string* problem) {
    std::string bytes, reason;
    if (ReadHostFile(from.string(), kMaxLicenceBytes, &bytes, &reason) != HostFileRead::kRead) {
        *problem = "cannot read the licence " + from.string() + ": " + reason;
        return false;
    }
    std::string text;
    if (!LicencePageText(bytes, &text, problem)) {
        *problem = from.string() + ": " + *problem;
        return false;
    }
    std::ofstream out(to, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out)
        *problem = "cannot write the licence " + to.string();
    return static_cast<bool>(out);
}

} // namespace

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
        const char* language = kDistLanguages[bit].name;
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
        std::string problem;
        if (!WriteLicence(licence->second.value, folder / project.licenceName, &problem)) {
            *error = {licence->second.line, problem};
            return false;
        }
    }
    return true;
}
