// The values of the registry database.
#include "platform/RegistryStore.h"

namespace {

void ReadValue(const RegistryStatement& row, RegistryValue* value) {
    value->name = row.Bytes(0);
    value->type = static_cast<DWORD>(row.Int(1));
    value->data = row.Bytes(2);
}

} // namespace

LONG RegistryStore::GetValue(RegKeyId key, const std::string& name, RegistryValue* value) {
    RegistryStatement find =
        Statement("SELECT name, type, data FROM vals WHERE key = ?1 AND folded = ?2");
    int step = find.Bind(1, key).Bind(2, Fold(name)).Step();
    if (step != SQLITE_ROW)
        return step == SQLITE_DONE ? ERROR_FILE_NOT_FOUND : ERROR_CANTREAD;
    ReadValue(find, value);
    return ERROR_SUCCESS;
}

LONG RegistryStore::ValueAt(RegKeyId key, DWORD index, RegistryValue* value) {
    RegistryStatement find = Statement(
        "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY seq LIMIT 1 OFFSET ?2");
    int step = find.Bind(1, key).Bind(2, static_cast<sqlite3_int64>(index)).Step();
    if (step != SQLITE_ROW)
        return step == SQLITE_DONE ? ERROR_NO_MORE_ITEMS : ERROR_CANTREAD;
    ReadValue(find, value);
    return ERROR_SUCCESS;
}

LONG RegistryStore::Values(RegKeyId key, std::vector<RegistryValue>* values) {
    RegistryStatement list =
        Statement("SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY seq");
    list.Bind(1, key);
    values->clear();
    int step;
    while ((step = list.Step()) == SQLITE_ROW) {
        values->emplace_back();
        ReadValue(list, &values->back());
    }
    return step == SQLITE_DONE ? ERROR_SUCCESS : ERROR_CANTREAD;
}

// A single-row VALUES insert: an INSERT ... SELECT that reads the table it
// writes would be staged through a temporary table on every call. The key's
// existence is checked first, inside the caller's write transaction.
LONG RegistryStore::SetValue(RegKeyId key, const std::string& name, DWORD type,
                             const std::string& data) {
    if (LONG result = KeyExists(key))
        return result == ERROR_CANTREAD ? ERROR_CANTWRITE : result;
    RegistryStatement upsert = Statement(
        "INSERT INTO vals(key, seq, name, folded, type, data) "
        "VALUES(?1, (SELECT IFNULL(MAX(seq) + 1, 0) FROM vals WHERE key = ?1), ?2, ?3, ?4, ?5) "
        "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data");
    upsert.Bind(1, key).Bind(2, name).Bind(3, Fold(name)).Bind(4, static_cast<sqlite3_int64>(type));
    return upsert.Bind(5, data).Run() ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

LONG RegistryStore::DeleteValue(RegKeyId key, const std::string& name) {
    RegistryStatement erase = Statement("DELETE FROM vals WHERE key = ?1 AND folded = ?2");
    if (!erase.Bind(1, key).Bind(2, Fold(name)).Run())
        return ERROR_CANTWRITE;
    return sqlite3_changes(db_) > 0 ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}
