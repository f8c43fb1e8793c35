#include "engine/RelativeFolder.h"

#include "toolkit/KIVAnsiName.h"

bool StaysInsideFolder(const char* relative) {
    constexpr auto kBoth = KIVAnsiName::Separators::kBoth;
    const std::vector<std::string_view> names = KIVAnsiName::Components(relative, kBoth);
    if (names.size() > 1 && names.front().empty())
        return false; // it starts with a separator
    for (const std::string_view name : names)
        if (name == ".." || name.find(':') != std::string_view::npos)
            return false;
    return true;
}
