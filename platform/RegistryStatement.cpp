#include "platform/RegistryStatement.h"

RegistryStatement::~RegistryStatement() {
    if (statement_) {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
}

RegistryStatement& RegistryStatement::Bind(int index, sqlite3_int64 value) {
    if (statement_)
        sqlite3_bind_int64(statement_, index, value);
    return *this;
}

RegistryStatement& RegistryStatement::Bind(int index, const std::string& bytes) {
    // A zero-length blob must still bind as a blob, never as NULL.
    if (statement_)
        sqlite3_bind_blob(statement_, index, bytes.empty() ? "" : bytes.data(),
                          static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    return *this;
}

int RegistryStatement::Step() {
    return statement_ ? sqlite3_step(statement_) : SQLITE_ERROR;
}

bool RegistryStatement::Run() {
    int result;
    while ((result = Step()) == SQLITE_ROW) {
    }
    return result == SQLITE_DONE;
}

sqlite3_int64 RegistryStatement::Int(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::string RegistryStatement::Bytes(int column) const {
    const void* bytes = sqlite3_column_blob(statement_, column);
    int size = sqlite3_column_bytes(statement_, column);
    return bytes && size > 0
               ? std::string(static_cast<const char*>(bytes), static_cast<std::size_t>(size))
               : std::string();
}
