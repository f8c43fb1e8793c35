// The system registry of the current machine: an SQLite database at
// Machine::Current().RegistryPath(). Keys form a tree under the predefined
// roots; each key and value keeps its name as created and a folded form for
// comparisons without regard to case (RegistryNames.h); values keep their
// type and their data as bytes; enumeration follows creation order.
//
// One connection per process, behind one lock: a Session takes the lock and
// makes sure the connection belongs to the current machine (it reconnects
// after Machine::Use, and in a forked child). The database is in write-ahead
// log mode with synchronous=NORMAL: a writer killed at any moment leaves it
// whole with every committed call; a busy timeout lets several processes
// write at once. A database that has never been set up is created and
// seeded (RegistrySeed.h) the first time a process opens it.
//
// Text values (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) are kept as the
// machine's family keeps them (RegistryText.h): UTF-16LE on the NT family,
// ANSI bytes of the code page on the older one. The database records which
// form it holds; a database of the other form (one made before the NT form
// existed, or a machine whose family was changed) is converted whole when it
// is opened, in one transaction.
//
// Results are Win32 error codes. Key ids are stable: a deleted key's id is
// never given to another key, so a handle to a deleted key cannot reach a
// newer one.
#pragma once

#include "platform/RegistryStatement.h"
#include "platform/WinError.h"
#include "platform/WinReg.h"

#include <mutex>
#include <string>
#include <sys/types.h>
#include <unordered_map>
#include <vector>

using RegKeyId = sqlite3_int64;

struct RegistryValue {
    std::string name;
    DWORD type = REG_NONE;
    std::string data;
};

struct RegistrySubKey {
    RegKeyId id = 0;
    std::string name;
};

class RegistryStore {
public:
    // Holds the registry lock; Store() is null when the database cannot be
    // opened (a later session tries again).
    class Session {
    public:
        Session();
        RegistryStore* Store() const { return store_; }

    private:
        std::unique_lock<std::recursive_mutex> lock_;
        RegistryStore* store_ = nullptr;
    };

    // A transaction of the store; one begun inside another joins the
    // outermost, which alone commits. A write transaction takes the write
    // lock at once, waiting for other writers up to the busy timeout. Not
    // committed by the end of its scope: rolled back (the whole outermost).
    class Transaction {
    public:
        Transaction(RegistryStore& store, bool write);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        bool Ok() const { return ok_; }
        bool Commit();

    private:
        RegistryStore& store_;
        bool ok_;
        bool done_ = false;
    };

    ~RegistryStore();

    // [SECTION] Predefined roots: ids 1 to 6 in the order of their handles
    // (RegistryRoots.h).
    static RegKeyId RootId(HKEY predefined);    // 0 when not a predefined handle
    static const char* RootName(RegKeyId root); // "HKEY_LOCAL_MACHINE"; null for other ids
    static constexpr RegKeyId kFirstRoot = 1;
    static constexpr RegKeyId kLastRoot = 6;

    // [SECTION] Keys. Paths are names separated by "\"; empty components are
    // skipped, but a path that starts with "\" is ERROR_BAD_PATHNAME.
    LONG FindPath(RegKeyId start, const std::string& path, RegKeyId* key);
    // Creates the missing levels (inside a write transaction of the caller);
    // ERROR_INVALID_PARAMETER for a key that would lie deeper than
    // RegistryNames::kMaxKeyDepth below its root.
    LONG CreatePath(RegKeyId start, const std::string& path, RegKeyId* key);
    // The levels between key and its root (0 for a root), counted up to
    // RegistryNames::kMaxKeyDepth + 1 at most.
    LONG KeyDepth(RegKeyId key, std::size_t* depth);
    LONG KeyExists(RegKeyId key); // ERROR_SUCCESS or ERROR_KEY_DELETED
    LONG KeyName(RegKeyId key, std::string* name);
    LONG SubKeyAt(RegKeyId key, DWORD index, RegistrySubKey* subKey); // ERROR_NO_MORE_ITEMS
    LONG SubKeys(RegKeyId key, std::vector<RegistrySubKey>* subKeys);
    LONG DeleteKey(RegKeyId key);                // ERROR_ACCESS_DENIED when it has sub keys
    LONG DeleteTree(RegKeyId key, bool keepKey); // the values and sub keys, then the key

    // [SECTION] Values. The empty name is the key's default value.
    LONG GetValue(RegKeyId key, const std::string& name, RegistryValue* value);
    LONG ValueAt(RegKeyId key, DWORD index, RegistryValue* value); // ERROR_NO_MORE_ITEMS
    LONG Values(RegKeyId key, std::vector<RegistryValue>* values);
    // Replaces the data and type of an existing value in place (its name and
    // place in the enumeration stay); ERROR_KEY_DELETED when the key is gone.
    LONG SetValue(RegKeyId key, const std::string& name, DWORD type, const std::string& data);
    LONG DeleteValue(RegKeyId key, const std::string& name); // ERROR_FILE_NOT_FOUND

    // The machine settings' code page at connection time (names are folded in it).
    unsigned CodePage() const { return codePage_; }
    // True when text values are kept as UTF-16LE (the NT family).
    bool WideText() const { return wideText_; }

private:
    RegistryStore() = default;
    static RegistryStore& Instance();
    static std::recursive_mutex& Lock();

    bool EnsureConnected();
    bool Connect(const std::string& path);
    void Disconnect(bool release);
    bool Initialize();
    bool SeedFreshMachine();
    bool ConvertTextValues();
    bool Exec(const char* sql);
    bool BeginTransaction(bool write);
    bool EndTransaction(bool commit);
    RegistryStatement Statement(const char* sql);
    std::string Fold(const std::string& name) const;
    LONG FindChild(RegKeyId parent, const std::string& name, RegKeyId* key);
    LONG InsertChild(RegKeyId parent, const std::string& name, RegKeyId* key);

    sqlite3* db_ = nullptr;
    std::unordered_map<const char*, sqlite3_stmt*> statements_;
    unsigned generation_ = 0;
    pid_t pid_ = 0;
    unsigned forks_ = 0;
    unsigned codePage_ = 1252;
    bool wideText_ = true;
    int depth_ = 0;
    bool writing_ = false;
    bool doomed_ = false;
};
