#include "engine/UninstallRun.h"

#include <cctype>

void UninstallRun::Removed(const std::string& path, const std::string& note) {
    removedKeys_.insert(Key(path));
    removed_.push_back({path, note});
}

void UninstallRun::Kept(const std::string& path, const std::string& note) {
    kept_.push_back({path, note});
}

void UninstallRun::Failed(const std::string& path, const std::string& what, unsigned long error) {
    incomplete_ = true;
    Kept(path, what + " failed (error " + std::to_string(error) + ")");
}

bool UninstallRun::IsRemoved(std::string_view path) const {
    return removedKeys_.count(Key(path)) != 0;
}

std::string UninstallRun::Normal(std::string_view path) {
    std::string normal;
    for (char c : path) {
        if (c == '\\' && !normal.empty() && normal.back() == '\\')
            continue;
        normal += c;
    }
    if (normal.size() > 3 && normal.back() == '\\')
        normal.pop_back();
    return normal;
}

std::string UninstallRun::Key(std::string_view path) {
    std::string key = Normal(path);
    for (char& c : key)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

bool UninstallRun::IsInside(std::string_view path, std::string_view folder) {
    const std::string inner = Key(path), outer = Key(folder);
    return inner.compare(0, outer.size(), outer) == 0 &&
           (inner.size() == outer.size() || inner[outer.size()] == '\\' || outer.back() == '\\');
}

std::string UninstallRun::Parent(std::string_view path) {
    const std::string normal = Normal(path);
    const std::size_t slash = normal.rfind('\\');
    if (slash == std::string::npos || normal.size() <= 3)
        return std::string();
    return normal.substr(0, slash == 2 ? 3 : slash);
}
