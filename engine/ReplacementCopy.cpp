#include "engine/ReplacementCopy.h"

#include "platform/WinBase.h"
#include "toolkit/KIVAnsiName.h"
#include "toolkit/KIVString.h"

#include <string>

namespace {

constexpr int kMaxSuffix = 99;
constexpr auto kBoth = KIVAnsiName::Separators::kBoth;

// The target path without the extension of its file name.
std::string StemOf(const char* targetPath) {
    std::string path(targetPath);
    const std::size_t nameStart = path.size() - KIVAnsiName::Leaf(path, kBoth).size();
    // A dot is never the trail byte of a double-byte character.
    const std::size_t dot = path.rfind('.');
    if (dot != std::string::npos && dot >= nameStart)
        path.resize(dot);
    return path;
}

bool SamePath(const std::string& a, const char* b) {
    return KIVString(a.c_str()).CompareNoCase(KIVString(b)) == 0;
}

} // namespace

bool ReplacementCopies::IsTaken(const std::string& candidate, const char* targetPath) const {
    if (SamePath(candidate, targetPath))
        return true;
    for (const std::string& made : made_)
        if (SamePath(candidate, made.c_str()))
            return true;
    return false;
}

bool ReplacementCopies::Make(const char* stagedPath, const char* targetPath,
                             std::string* copyPath) {
    const std::string stem = StemOf(targetPath);
    std::string candidate = stem + ".tmp";
    for (int suffix = 1; IsTaken(candidate, targetPath); ++suffix) {
        if (suffix > kMaxSuffix)
            return false;
        candidate = stem + "~" + std::to_string(suffix) + ".tmp";
    }
    DeleteFileA(candidate.c_str());
    if (!CopyFileA(stagedPath, candidate.c_str(), FALSE))
        return false;
    made_.push_back(candidate);
    *copyPath = candidate;
    return true;
}
