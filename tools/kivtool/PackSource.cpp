#include "tools/kivtool/PackSource.h"

#include "engine/MemberName.h"
#include "platform/Windows.h"

#include <algorithm>
#include <cctype>

namespace {
std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}
bool Skipped(const std::filesystem::path& path, const std::vector<std::filesystem::path>& skip) {
    std::error_code unrelated;
    for (const std::filesystem::path& other : skip)
        if (std::filesystem::equivalent(path, other, unrelated))
            return true;
    return false;
}
} // namespace

bool PackMemberName(const std::string& hostName, std::string* ansi, std::string* error) {
    char16_t wide[MAX_PATH];
    char narrow[MAX_PATH * 2];
    BOOL lossy = FALSE;
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, hostName.c_str(), -1, wide, MAX_PATH) <=
            0 ||
        WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof(narrow), nullptr, &lossy) <= 0 ||
        lossy) {
        *error = "'" + hostName + "' cannot be written in code page " + std::to_string(GetACP());
        return false;
    }
    for (const char16_t* c = wide; *c; ++c)
        if (*c == u'\\' || *c == u':')
            lossy = TRUE;
    *ansi = narrow;
    if (lossy || !IsSafeMemberName(wide) || ansi->size() > 259) {
        *error = "'" + hostName + "' is not a name a member can have";
        return false;
    }
    return true;
}

bool ListPackSource(const std::filesystem::path& folder,
                    const std::vector<std::filesystem::path>& skip,
                    std::vector<PackSourceFile>* members, std::string* error) {
    std::error_code code;
    std::vector<std::filesystem::path> paths;
    for (std::filesystem::directory_iterator it(folder, code), end; !code && it != end;
         it.increment(code))
        if (it->is_regular_file() && !Skipped(it->path(), skip))
            paths.push_back(it->path());
    if (code) {
        *error = "cannot list " + folder.string() + ": " + code.message();
        return false;
    }
    std::sort(paths.begin(), paths.end());
    std::vector<std::string> seen;
    for (const std::filesystem::path& path : paths) {
        std::string ansi;
        if (!PackMemberName(path.filename().string(), &ansi, error))
            return false;
        seen.push_back(Lower(ansi));
        members->push_back({ansi, path});
    }
    std::sort(seen.begin(), seen.end());
    if (std::adjacent_find(seen.begin(), seen.end()) != seen.end()) {
        *error = folder.string() + " holds names that differ only in case";
        return false;
    }
    return true;
}
