// The keys of the registry database: paths, creation, enumeration, deletion.
#include "platform/RegistryNames.h"
#include "platform/RegistryStore.h"

namespace {

// The key names of a path in the store's code page, without empty ones;
// false for a path that starts with a separator.
bool SplitPath(const std::string& path, unsigned codePage, std::vector<std::string>* parts) {
    if (!path.empty() && path[0] == '\\')
        return false;
    for (std::string& name : RegistryNames::SplitPath(path, codePage))
        if (!name.empty())
            parts->push_back(std::move(name));
    return true;
}

LONG ReadFailure() {
    return ERROR_CANTREAD;
}
LONG WriteFailure() {
    return ERROR_CANTWRITE;
}

} // namespace

LONG RegistryStore::FindChild(RegKeyId parent, const std::string& name, RegKeyId* key) {
    RegistryStatement find = Statement("SELECT id FROM keys WHERE parent = ?1 AND folded = ?2");
    int step = find.Bind(1, parent).Bind(2, Fold(name)).Step();
    if (step == SQLITE_DONE)
        return ERROR_FILE_NOT_FOUND;
    if (step != SQLITE_ROW)
        return ReadFailure();
    *key = find.Int(0);
    return ERROR_SUCCESS;
}

LONG RegistryStore::InsertChild(RegKeyId parent, const std::string& name, RegKeyId* key) {
    RegistryStatement insert =
        Statement("INSERT INTO keys(parent, name, folded) VALUES(?1, ?2, ?3)");
    if (!insert.Bind(1, parent).Bind(2, name).Bind(3, Fold(name)).Run())
        return WriteFailure();
    *key = sqlite3_last_insert_rowid(db_);
    return ERROR_SUCCESS;
}

LONG RegistryStore::FindPath(RegKeyId start, const std::string& path, RegKeyId* key) {
    std::vector<std::string> parts;
    if (!SplitPath(path, codePage_, &parts))
        return ERROR_BAD_PATHNAME;
    RegKeyId current = start;
    for (const std::string& part : parts) {
        if (part.size() > RegistryNames::kMaxKeyNameLength)
            return ERROR_INVALID_PARAMETER;
        if (LONG result = FindChild(current, part, &current))
            return result;
    }
    *key = current;
    return ERROR_SUCCESS;
}

LONG RegistryStore::CreatePath(RegKeyId start, const std::string& path, RegKeyId* key) {
    std::vector<std::string> parts;
    if (!SplitPath(path, codePage_, &parts))
        return ERROR_BAD_PATHNAME;
    for (const std::string& part : parts)
        if (part.size() > RegistryNames::kMaxKeyNameLength)
            return ERROR_INVALID_PARAMETER;
    if (parts.size() > RegistryNames::kMaxKeyDepth)
        return ERROR_INVALID_PARAMETER;
    if (LONG result = KeyExists(start))
        return result;
    std::size_t depth = 0;
    if (LONG result = KeyDepth(start, &depth))
        return result;
    if (depth + parts.size() > RegistryNames::kMaxKeyDepth)
        return ERROR_INVALID_PARAMETER;
    RegKeyId current = start;
    bool creating = false;
    for (const std::string& part : parts) {
        LONG result = creating ? ERROR_FILE_NOT_FOUND : FindChild(current, part, &current);
        if (result == ERROR_FILE_NOT_FOUND) {
            creating = true;
            result = InsertChild(current, part, &current);
        }
        if (result)
            return result;
    }
    *key = current;
    return ERROR_SUCCESS;
}

LONG RegistryStore::KeyDepth(RegKeyId key, std::size_t* depth) {
    RegistryStatement walk =
        Statement("WITH RECURSIVE up(id, depth) AS (SELECT ?1, 0 UNION ALL "
                  "SELECT keys.parent, up.depth + 1 FROM keys JOIN up ON keys.id = up.id "
                  "WHERE up.id > ?2 AND up.depth <= ?3) SELECT max(depth) FROM up");
    int step = walk.Bind(1, key)
                   .Bind(2, kLastRoot)
                   .Bind(3, static_cast<sqlite3_int64>(RegistryNames::kMaxKeyDepth))
                   .Step();
    if (step != SQLITE_ROW)
        return ReadFailure();
    *depth = static_cast<std::size_t>(walk.Int(0));
    return ERROR_SUCCESS;
}

LONG RegistryStore::KeyExists(RegKeyId key) {
    RegistryStatement find = Statement("SELECT 1 FROM keys WHERE id = ?1");
    int step = find.Bind(1, key).Step();
    return step == SQLITE_ROW    ? ERROR_SUCCESS
           : step == SQLITE_DONE ? ERROR_KEY_DELETED
                                 : ReadFailure();
}

LONG RegistryStore::KeyName(RegKeyId key, std::string* name) {
    RegistryStatement find = Statement("SELECT name FROM keys WHERE id = ?1");
    int step = find.Bind(1, key).Step();
    if (step != SQLITE_ROW)
        return step == SQLITE_DONE ? ERROR_KEY_DELETED : ReadFailure();
    *name = find.Bytes(0);
    return ERROR_SUCCESS;
}

LONG RegistryStore::SubKeyAt(RegKeyId key, DWORD index, RegistrySubKey* subKey) {
    RegistryStatement find =
        Statement("SELECT id, name FROM keys WHERE parent = ?1 ORDER BY id LIMIT 1 OFFSET ?2");
    int step = find.Bind(1, key).Bind(2, static_cast<sqlite3_int64>(index)).Step();
    if (step != SQLITE_ROW)
        return step == SQLITE_DONE ? ERROR_NO_MORE_ITEMS : ReadFailure();
    subKey->id = find.Int(0);
    subKey->name = find.Bytes(1);
    return ERROR_SUCCESS;
}

LONG RegistryStore::SubKeys(RegKeyId key, std::vector<RegistrySubKey>* subKeys) {
    RegistryStatement list = Statement("SELECT id, name FROM keys WHERE parent = ?1 ORDER BY id");
    list.Bind(1, key);
    subKeys->clear();
    int step;
    while ((step = list.Step()) == SQLITE_ROW)
        subKeys->push_back({list.Int(0), list.Bytes(1)});
    return step == SQLITE_DONE ? ERROR_SUCCESS : ReadFailure();
}

LONG RegistryStore::DeleteKey(RegKeyId key) {
    if (key >= kFirstRoot && key <= kLastRoot)
        return ERROR_ACCESS_DENIED;
    if (LONG result = KeyExists(key))
        return result;
    RegistrySubKey first;
    LONG child = SubKeyAt(key, 0, &first);
    if (child == ERROR_SUCCESS)
        return ERROR_ACCESS_DENIED; // as on Windows: sub keys go first
    if (child != ERROR_NO_MORE_ITEMS)
        return child;
    return DeleteTree(key, false);
}

LONG RegistryStore::DeleteTree(RegKeyId key, bool keepKey) {
    if (key >= kFirstRoot && key <= kLastRoot)
        keepKey = true; // a root is emptied, never removed
    RegistryStatement values =
        Statement("WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL "
                  "SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id) "
                  "DELETE FROM vals WHERE key IN tree");
    if (!values.Bind(1, key).Run())
        return WriteFailure();
    RegistryStatement keys =
        Statement("WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL "
                  "SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id) "
                  "DELETE FROM keys WHERE id IN tree AND id <> ?2");
    if (!keys.Bind(1, key).Bind(2, keepKey ? key : 0).Run())
        return WriteFailure();
    return ERROR_SUCCESS;
}
