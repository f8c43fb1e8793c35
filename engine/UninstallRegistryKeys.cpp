#include "engine/UninstallRegistryKeys.h"

#include "engine/RootKeyFromName.h"
#include "platform/WinError.h"
#include "platform/WinReg.h"
#include "toolkit/KIVAnsiName.h"

#include <algorithm>

namespace {

struct KeyToRemove {
    std::string path; // with its root's name
    bool listed;
};

std::size_t Depth(const std::string& path) {
    return KIVAnsiName::CountSeparators(path);
}

// The listed keys and their parents below the keys directly under a root,
// deepest first.
std::vector<KeyToRemove> KeysToRemove(const UninstallRecord& record) {
    std::vector<KeyToRemove> keys;
    std::set<std::string> seen;
    for (const std::string& listed : record.registryKeys)
        if (seen.insert(KIVAnsiName::Key(listed)).second)
            keys.push_back({listed, true});
    for (const std::string& listed : record.registryKeys)
        for (std::string parent = KIVAnsiName::Parent(listed); Depth(parent) > 1;
             parent = KIVAnsiName::Parent(parent))
            if (seen.insert(KIVAnsiName::Key(parent)).second)
                keys.push_back({parent, false});
    std::stable_sort(keys.begin(), keys.end(), [](const KeyToRemove& a, const KeyToRemove& b) {
        return Depth(a.path) > Depth(b.path);
    });
    return keys;
}

// The first sub key of key that stays, or an empty text.
std::string StayingSubKey(HKEY key, const std::string& path, const UninstallRun& run) {
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            return std::string();
        if (!run.IsRemoved(path + "\\" + name))
            return name;
    }
}

std::vector<std::string> ValueNames(HKEY key) {
    std::vector<std::string> names;
    char name[16384];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof name;
        if (RegEnumValueA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            return names;
        names.emplace_back(name, size);
    }
}

// False when a value could not be removed.
bool RemoveValues(HKEY key, const std::string& path, const std::vector<std::string>& names,
                  UninstallRun& run) {
    for (const std::string& name : names)
        if (!run.DryRun())
            if (LSTATUS status = RegDeleteValueA(key, name.c_str()); status != ERROR_SUCCESS) {
                run.Failed(path + " value \"" + name + "\"", "removing it", status);
                return false;
            }
    return true;
}

// The values of a key that the installation wrote: none of a key it did not
// list; all of a listed key whose written values are unknown, unless
// someone built a sub key on it (it then stays whole); else those named.
std::vector<std::string> OwnValues(const KeyToRemove& entry, const UninstallRecord& record,
                                   const std::vector<std::string>& values, bool staying) {
    if (!entry.listed)
        return {};
    const auto written = record.writtenValues.find(KIVAnsiName::Key(entry.path));
    if (written == record.writtenValues.end())
        return staying ? std::vector<std::string>() : values;
    std::vector<std::string> own;
    for (const std::string& name : values)
        if (written->second.count(KIVAnsiName::Key(name)))
            own.push_back(name);
    return own;
}

void UninstallKey(const KeyToRemove& entry, const UninstallRecord& record, UninstallRun& run) {
    const std::size_t slash = KIVAnsiName::FirstSeparator(entry.path);
    HKEY root = RootKeyFromName(std::string_view(entry.path).substr(0, slash));
    const std::string subKey = KIVAnsiName::Normal(entry.path.substr(slash + 1));
    HKEY key = nullptr;
    const LSTATUS opened = RegOpenKeyExA(
        root, subKey.c_str(), 0, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_SET_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND || opened == ERROR_PATH_NOT_FOUND)
        return; // gone already
    if (opened != ERROR_SUCCESS)
        return run.Failed(entry.path, "opening it", opened);
    const std::string staying = StayingSubKey(key, entry.path, run);
    const std::vector<std::string> values = ValueNames(key);
    const std::vector<std::string> own = OwnValues(entry, record, values, !staying.empty());
    const bool removed = RemoveValues(key, entry.path, own, run);
    RegCloseKey(key);
    if (!removed)
        return;
    if (!staying.empty())
        return run.Kept(entry.path,
                        "holds the sub key \"" + staying + "\" not installed by this product");
    if (own.size() < values.size())
        return run.Kept(entry.path, "holds values not installed by this product");
    if (Depth(entry.path) < 2)
        return run.Kept(entry.path, "a key directly under " + entry.path.substr(0, slash) +
                                        (own.empty() ? "" : " (its values were removed)"));
    if (!run.DryRun())
        if (LSTATUS status = RegDeleteKeyA(root, subKey.c_str()); status != ERROR_SUCCESS)
            return run.Failed(entry.path, "removing it", status);
    run.Removed(entry.path);
}

} // namespace

void UninstallRegistryKeys(const UninstallRecord& record, UninstallRun& run) {
    for (const KeyToRemove& key : KeysToRemove(record))
        UninstallKey(key, record, run);
}
