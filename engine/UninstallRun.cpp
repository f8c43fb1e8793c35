#include "engine/UninstallRun.h"

#include "platform/WinBase.h"

#include <cctype>

void UninstallRun::Removed(const std::string& path, const std::string& note) {
    removedKeys_.insert(Key(path));
    removed_.push_back({path, note});
}

// An item stays for one reason: the first step that keeps it says why (a
// file that failed to go is not also "not installed" when its folder stays).
void UninstallRun::Kept(const std::string& path, const std::string& note) {
    if (keptKeys_.insert(Key(path)).second)
        kept_.push_back({path, note});
}

void UninstallRun::Failed(const std::string& path, const std::string& what, unsigned long error) {
    incomplete_ = true;
    Kept(path, what + " failed (error " + std::to_string(error) + ")");
}

void UninstallRun::Refused(const std::string& path, const std::string& reason) {
    refused_ = true;
    Kept(path, "refused: " + reason);
}

bool UninstallRun::IsRemoved(std::string_view path) const {
    return removedKeys_.count(Key(path)) != 0;
}

namespace {

// The length of the character at text[at]: 2 for a double-byte character of
// the machine's code page, whose trail byte may look like a backslash.
std::size_t CharLength(std::string_view text, std::size_t at) {
    return at + 1 < text.size() && IsDBCSLeadByte(static_cast<BYTE>(text[at])) ? 2 : 1;
}

} // namespace

std::string UninstallRun::Normal(std::string_view path) {
    std::string normal;
    bool afterSeparator = false;
    for (std::size_t at = 0; at < path.size();) {
        const std::size_t length = CharLength(path, at);
        const bool separator = length == 1 && path[at] == '\\';
        if (!(separator && afterSeparator))
            normal.append(path.substr(at, length));
        afterSeparator = separator;
        at += length;
    }
    if (normal.size() > 3 && afterSeparator)
        normal.pop_back();
    return normal;
}

std::string UninstallRun::Key(std::string_view path) {
    std::string key = Normal(path);
    for (std::size_t at = 0; at < key.size();) {
        const std::size_t length = CharLength(key, at);
        if (length == 1)
            key[at] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[at])));
        at += length;
    }
    return key;
}

std::size_t UninstallRun::LastSeparator(std::string_view path) {
    std::size_t last = std::string_view::npos;
    for (std::size_t at = 0; at < path.size(); at += CharLength(path, at))
        if (path[at] == '\\' && CharLength(path, at) == 1)
            last = at;
    return last;
}

bool UninstallRun::IsInside(std::string_view path, std::string_view folder) {
    const std::string inner = Key(path), outer = Key(folder);
    if (inner.compare(0, outer.size(), outer) != 0)
        return false;
    const bool outerEndsInSeparator = !outer.empty() && LastSeparator(outer) == outer.size() - 1;
    return inner.size() == outer.size() || outerEndsInSeparator ||
           LastSeparator(inner.substr(0, outer.size() + 1)) == outer.size();
}

std::string UninstallRun::Parent(std::string_view path) {
    const std::string normal = Normal(path);
    const std::size_t slash = LastSeparator(normal);
    if (slash == std::string::npos || normal.size() <= 3)
        return std::string();
    return normal.substr(0, slash == 2 ? 3 : slash);
}
