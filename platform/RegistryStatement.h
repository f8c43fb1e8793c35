// One use of a prepared statement of the registry database: binds its
// arguments, steps it and reads its columns, and resets it when it goes out
// of scope, so that a cached statement never holds a read transaction open.
#pragma once

#include <sqlite3.h>
#include <string>

class RegistryStatement {
public:
    explicit RegistryStatement(sqlite3_stmt* statement) : statement_(statement) {}
    ~RegistryStatement();
    RegistryStatement(const RegistryStatement&) = delete;
    RegistryStatement& operator=(const RegistryStatement&) = delete;

    RegistryStatement& Bind(int index, sqlite3_int64 value);
    // Binds bytes as a blob (names are ANSI bytes, not necessarily UTF-8).
    RegistryStatement& Bind(int index, const std::string& bytes);

    // SQLITE_ROW, SQLITE_DONE or an error code (SQLITE_ERROR when the
    // statement could not be prepared).
    int Step();
    // Steps to completion; true when it ran without error.
    bool Run();

    sqlite3_int64 Int(int column) const;
    std::string Bytes(int column) const;

private:
    sqlite3_stmt* statement_;
};
