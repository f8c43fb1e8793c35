#include "tools/kivtool/RcSetupArguments.h"

namespace {

// Texts first..last are joined and formatted with arguments "%s" in all.
struct ArgumentGroup {
    std::int32_t first;
    std::int32_t last;
    std::size_t arguments;
};

constexpr std::int32_t kFirstSetupText = 100;
constexpr std::int32_t kLastSetupText = 150;

// Every other text of 100..150 is a group of its own without arguments.
const ArgumentGroup kGroups[] = {
    {100, 100, 1}, // language page heading: the application name
    {101, 101, 1}, // licence page heading: the application name
    {104, 104, 1}, // unpacking failed: the item name
    {105, 105, 1}, // copying failed: the item name
    {121, 121, 1}, // cancel question: the long application name
    {122, 122, 2}, // not enough space: free space, required size
    {124, 124, 1}, // restart question: the application name
    {126, 126, 2}, // unspellable file name: the file name, the item name
    {131, 143, 2}, // default licence agreement: the long application name
    {144, 150, 4}, // alternative licence agreement: the long application name
};

ArgumentGroup GroupOf(std::int32_t id) {
    for (const ArgumentGroup& group : kGroups)
        if (id >= group.first && id <= group.last)
            return group;
    return {id, id, 0};
}

std::string Range(const ArgumentGroup& group) {
    if (group.first == group.last)
        return "text " + std::to_string(group.first) + " takes";
    return "texts " + std::to_string(group.first) + " to " + std::to_string(group.last) +
           " together take";
}

bool Fail(const std::string& path, int line, const ArgumentGroup& group, const std::string& found,
          RcError* error) {
    *error = {path, line,
              Range(group) + " " + found + " but the setup gives exactly " +
                  std::to_string(group.arguments) + " %s"};
    return false;
}

// One group's texts, in order of identifier.
bool CheckGroup(const std::string& path, const RcTexts& texts, const ArgumentGroup& group,
                RcError* error) {
    std::size_t count = 0;
    int lastLine = 0;
    for (auto it = texts.lower_bound(group.first); it != texts.end() && it->first <= group.last;
         ++it) {
        for (const std::string& argument : FormatArguments(it->second.text)) {
            if (argument != "s")
                return Fail(path, it->second.line, group, "%" + argument, error);
            if (++count > group.arguments)
                return Fail(path, it->second.line, group, std::to_string(count) + " %s", error);
        }
        lastLine = it->second.line;
    }
    if (lastLine != 0 && count != group.arguments)
        return Fail(path, lastLine, group, std::to_string(count) + " %s", error);
    return true;
}

} // namespace

bool CheckSetupArguments(const std::string& path, const RcTexts& texts, RcError* error) {
    for (std::int32_t id = kFirstSetupText; id <= kLastSetupText;) {
        const ArgumentGroup group = GroupOf(id);
        if (!CheckGroup(path, texts, group, error))
            return false;
        id = group.last + 1;
    }
    return true;
}
