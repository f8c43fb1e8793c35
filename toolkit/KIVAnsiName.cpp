#include "toolkit/KIVAnsiName.h"

#include "platform/WinBase.h"
#include "platform/WinUser.h"

namespace KIVAnsiName {
namespace {

bool IsSeparator(char c, Separators which) {
    return c == '\\' || (which == Separators::kBoth && c == '/');
}

// Whether the character at text[at] (which starts one) is a separator.
bool SeparatorAt(std::string_view text, std::size_t at, Separators which) {
    return CharLength(text, at) == 1 && IsSeparator(text[at], which);
}

// Whether at is where a character of text starts (or its end).
bool StartsCharacter(std::string_view text, std::size_t at) {
    std::size_t walk = 0;
    while (walk < at)
        walk += CharLength(text, walk);
    return walk == at;
}

bool IsDriveRoot(std::string_view path) {
    return path.size() == 3 && path[1] == ':' && path[2] == '\\';
}

} // namespace

std::size_t CharLength(std::string_view text, std::size_t at) {
    if (at + 1 >= text.size())
        return 1;
    const char* character = text.data() + at;
    return CharNextExA(CP_ACP, character, 0) == character + 2 ? 2 : 1;
}

std::size_t FirstSeparator(std::string_view path, Separators which) {
    for (std::size_t at = 0; at < path.size(); at += CharLength(path, at))
        if (SeparatorAt(path, at, which))
            return at;
    return npos;
}

std::size_t LastSeparator(std::string_view path, Separators which) {
    std::size_t last = npos;
    for (std::size_t at = 0; at < path.size(); at += CharLength(path, at))
        if (SeparatorAt(path, at, which))
            last = at;
    return last;
}

bool EndsInSeparator(std::string_view path, Separators which) {
    return !path.empty() && LastSeparator(path, which) == path.size() - 1;
}

std::string_view Leaf(std::string_view path, Separators which) {
    const std::size_t last = LastSeparator(path, which);
    return last == npos ? path : path.substr(last + 1);
}

std::vector<std::string_view> Components(std::string_view path, Separators which) {
    std::vector<std::string_view> names;
    std::size_t start = 0;
    for (std::size_t at = 0; at < path.size(); at += CharLength(path, at))
        if (SeparatorAt(path, at, which)) {
            names.push_back(path.substr(start, at - start));
            start = at + 1;
        }
    names.push_back(path.substr(start));
    return names;
}

std::size_t CountSeparators(std::string_view path) {
    return Components(path).size() - 1;
}

std::string Join(std::string_view folder, std::string_view name) {
    std::string joined(folder);
    if (!folder.empty() && !EndsInSeparator(folder, Separators::kBoth))
        joined += '\\';
    return joined.append(name);
}

std::string WithoutTrailingSeparators(std::string_view path) {
    while (path.size() > 3 && EndsInSeparator(path, Separators::kBackslash))
        path.remove_suffix(1);
    return std::string(path);
}

std::string Normal(std::string_view path) {
    std::string normal;
    bool afterSeparator = false;
    for (std::size_t at = 0; at < path.size();) {
        const std::size_t length = CharLength(path, at);
        const bool separator = SeparatorAt(path, at, Separators::kBackslash);
        if (!(separator && afterSeparator))
            normal.append(path.substr(at, length));
        afterSeparator = separator;
        at += length;
    }
    return WithoutTrailingSeparators(normal);
}

std::string Parent(std::string_view path) {
    const std::string normal = Normal(path);
    const std::size_t last = LastSeparator(normal);
    if (last == npos || IsDriveRoot(normal))
        return std::string();
    return normal.substr(0, last == 2 && normal[1] == ':' ? 3 : last);
}

std::string Key(std::string_view path) {
    std::string key = Normal(path);
    for (std::size_t at = 0; at < key.size(); at += CharLength(key, at))
        if (CharLength(key, at) == 1 && key[at] >= 'a' && key[at] <= 'z')
            key[at] = static_cast<char>(key[at] - 'a' + 'A');
    return key;
}

bool IsInside(std::string_view path, std::string_view folder) {
    const std::string inner = Key(path), outer = Key(folder);
    if (inner.compare(0, outer.size(), outer) != 0 || !StartsCharacter(inner, outer.size()))
        return false;
    return inner.size() == outer.size() || EndsInSeparator(outer) ||
           SeparatorAt(inner, outer.size(), Separators::kBackslash);
}

} // namespace KIVAnsiName
