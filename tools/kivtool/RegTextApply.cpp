#include "tools/kivtool/RegTextApply.h"

#include "platform/RegistryNames.h"

#include <set>
#include <utility>

namespace RegTextApply {
namespace {

LONG ApplyOne(RegistryStore& store, const RegTextChange& change) {
    RegKeyId key = 0;
    switch (change.kind) {
    case RegTextChange::Kind::CreateKey:
        return store.CreatePath(change.root, change.path, &key);
    case RegTextChange::Kind::DeleteKey: {
        LONG found = store.FindPath(change.root, change.path, &key);
        if (found == ERROR_FILE_NOT_FOUND)
            return ERROR_SUCCESS; // already gone
        return found ? found : store.DeleteTree(key, false);
    }
    case RegTextChange::Kind::SetValue:
        if (LONG result = store.CreatePath(change.root, change.path, &key))
            return result;
        return store.SetValue(key, change.name, change.type, change.data);
    case RegTextChange::Kind::DeleteValue: {
        LONG found = store.FindPath(change.root, change.path, &key);
        LONG result = found ? found : store.DeleteValue(key, change.name);
        return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
    }
    }
    return ERROR_INVALID_PARAMETER;
}

} // namespace

LONG Apply(RegistryStore& store, const std::vector<RegTextChange>& changes, int* failedLine) {
    *failedLine = 0;
    RegistryStore::Transaction transaction(store, true);
    if (!transaction.Ok())
        return ERROR_CANTWRITE;
    for (const RegTextChange& change : changes) {
        if (LONG result = ApplyOne(store, change)) {
            *failedLine = change.line;
            return result;
        }
    }
    return transaction.Commit() ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

Counts Count(const std::vector<RegTextChange>& changes, unsigned codePage) {
    Counts counts;
    std::set<std::pair<RegKeyId, std::string>> keys;
    for (const RegTextChange& change : changes) {
        switch (change.kind) {
        case RegTextChange::Kind::CreateKey:
            keys.emplace(change.root, RegistryNames::Fold(change.path, codePage));
            break;
        case RegTextChange::Kind::DeleteKey:
            ++counts.deletedKeys;
            break;
        case RegTextChange::Kind::SetValue:
            ++counts.values;
            break;
        case RegTextChange::Kind::DeleteValue:
            ++counts.deletedValues;
            break;
        }
    }
    counts.keys = keys.size();
    return counts;
}

} // namespace RegTextApply
