#include "tools/kivtool/DistNameCheck.h"
#include "tools/kivtool/RcSource.h"

#include "engine/SpellableName.h"
#include "platform/Windows.h"

#include <algorithm>
#include <map>

namespace fs = std::filesystem;

namespace {

// The code pages of the offered languages, each with the names of its
// languages ("English, French").
std::map<unsigned, std::string> OfferedCodePages(const DistProject& project) {
    std::map<unsigned, std::string> pages;
    for (int bit = 0; bit < 4; ++bit) {
        if (!(project.languages & 1 << bit))
            continue;
        std::string& names = pages[kDistLanguages[bit].codePage];
        names += (names.empty() ? "" : ", ") + std::string(kDistLanguages[bit].name);
    }
    return pages;
}

// How a packed member's stored name reads in codePage: empty when it is
// right, else what is wrong with it.
std::string PackedNameProblem(const PackSourceFile& member, unsigned codePage) {
    std::u16string meant, read(member.name.size() + 1, u'\0');
    Utf16FromUtf8(member.path.filename().string(), &meant);
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, member.name.c_str(), -1,
                                           read.data(), static_cast<int>(read.size()));
    if (length <= 0)
        return "is no text there: the setup refuses the entry on those machines";
    read.resize(static_cast<std::size_t>(length - 1));
    if (read == meant)
        return std::string();
    return "reads as '" + Utf8FromUtf16(read) + "' there and installs under that name";
}

// Whether a copied file's own name can be written in codePage.
std::string CopiedNameProblem(const fs::path& file, unsigned codePage) {
    std::u16string name;
    if (Utf16FromUtf8(file.filename().string(), &name) &&
        IsSpellableWideName(codePage, name.c_str()))
        return std::string();
    return "cannot be written there: the setup refuses the entry on those machines";
}

struct NameReport {
    const DistProject& project;
    std::vector<DistError>& problems;

    void Add(const DistFolder& folder, const fs::path& file, unsigned codePage,
             const std::string& languages, const std::string& problem) {
        if (problem.empty())
            return;
        problems.push_back({folder.line, "the file name '" + file.filename().string() + "' in " +
                                             folder.name + ", in code page " +
                                             std::to_string(codePage) + " (" + languages + "), " +
                                             problem});
    }

    void Packed(const DistFolder& folder, const DistEntry& entry) {
        for (const auto& [codePage, languages] : OfferedCodePages(project))
            for (const PackSourceFile& member : entry.members)
                if (codePage != project.codePage)
                    Add(folder, member.path, codePage, languages,
                        PackedNameProblem(member, codePage));
    }

    void Copied(const DistFolder& folder) {
        std::error_code code;
        std::vector<fs::path> files;
        for (fs::directory_iterator it(folder.source, code), end; !code && it != end;
             it.increment(code))
            if (it->is_regular_file())
                files.push_back(it->path());
        std::sort(files.begin(), files.end());
        for (const auto& [codePage, languages] : OfferedCodePages(project))
            for (const fs::path& file : files)
                Add(folder, file, codePage, languages, CopiedNameProblem(file, codePage));
    }
};

} // namespace

bool CheckDistNames(const DistProject& project, const std::vector<DistEntry>& entries,
                    std::vector<DistError>* errors, std::vector<DistError>* warnings) {
    const bool strict = project.unspellableNames != "warning";
    NameReport report{project, strict ? *errors : *warnings};
    const std::size_t before = report.problems.size();
    for (std::size_t i = 0; i < project.folders.size() && i < entries.size(); ++i) {
        if (project.folders[i].packed)
            report.Packed(project.folders[i], entries[i]);
        else
            report.Copied(project.folders[i]);
    }
    return !strict || report.problems.size() == before;
}
