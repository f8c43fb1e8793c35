// The registry database: connection, sessions, transactions and schema.
#include "platform/RegistryStore.h"

#include "platform/Machine.h"
#include "platform/RegistryNames.h"
#include "platform/RegistryRoots.h"
#include "platform/RegistrySeed.h"
#include "platform/RegistryText.h"

#include <atomic>
#include <pthread.h>
#include <unistd.h>

namespace {

constexpr int kBusyTimeoutMs = 15000;
// The layout's version tells the form of the text values too: 2, the first
// layout, holds ANSI text; 3, the same tables, holds UTF-16LE text. A build
// that knows only 2 thus refuses a database whose text it would misread.
constexpr int kAnsiTextVersion = 2;
constexpr int kWideTextVersion = 3;

// Forks of this process seen by the child, counted so that a session can
// tell a forked child from its parent without a system call per call. When
// the handler cannot be registered, the process id is compared instead.
std::atomic<unsigned> forkCount{0};

void CountFork() {
    forkCount.fetch_add(1, std::memory_order_relaxed);
}

unsigned ForkCount() {
    static const bool counted = pthread_atfork(nullptr, nullptr, CountFork) == 0;
    return counted ? forkCount.load(std::memory_order_relaxed) : static_cast<unsigned>(getpid());
}

// Keys never reuse an id (AUTOINCREMENT), so that a handle to a deleted key
// cannot reach a key made later. Values are kept in creation order by their
// key and a sequence number within it: the table itself is that order, and
// a set touches only it and the name index.
const char* const kSchema = R"sql(
CREATE TABLE keys(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  parent INTEGER NOT NULL,
  name BLOB NOT NULL,
  folded BLOB NOT NULL);
CREATE UNIQUE INDEX keys_by_name ON keys(parent, folded);
CREATE INDEX keys_in_order ON keys(parent, id);
CREATE TABLE vals(
  key INTEGER NOT NULL,
  seq INTEGER NOT NULL,
  name BLOB NOT NULL,
  folded BLOB NOT NULL,
  type INTEGER NOT NULL,
  data BLOB NOT NULL,
  PRIMARY KEY(key, seq)) WITHOUT ROWID;
CREATE UNIQUE INDEX vals_by_name ON vals(key, folded);
)sql";

} // namespace

// [SECTION] Roots

static_assert(RegistryStore::kLastRoot - RegistryStore::kFirstRoot + 1 == RegistryRoots::kCount);

RegKeyId RegistryStore::RootId(HKEY predefined) {
    for (std::size_t index = 0; index < RegistryRoots::kCount; ++index)
        if (RegistryRoots::Root(index).handle == predefined)
            return static_cast<RegKeyId>(index) + kFirstRoot;
    return 0;
}

const char* RegistryStore::RootName(RegKeyId root) {
    if (root < kFirstRoot || root > kLastRoot)
        return nullptr;
    return RegistryRoots::Root(static_cast<std::size_t>(root - kFirstRoot)).name;
}

// [SECTION] Sessions and connection

std::recursive_mutex& RegistryStore::Lock() {
    static std::recursive_mutex lock;
    return lock;
}

RegistryStore& RegistryStore::Instance() {
    static RegistryStore store;
    return store;
}

RegistryStore::Session::Session() : lock_(Lock()) {
    RegistryStore& store = Instance();
    if (store.EnsureConnected())
        store_ = &store;
}

RegistryStore::~RegistryStore() {
    Disconnect(pid_ == getpid());
}

bool RegistryStore::EnsureConnected() {
    const Machine& machine = Machine::Current(); // may make the default machine current first
    unsigned generation = Machine::Generation();
    unsigned forks = ForkCount();
    if (db_ && forks_ != forks)
        Disconnect(false); // a forked child must not touch its parent's connection
    if (db_ && generation_ != generation)
        Disconnect(true);
    if (db_)
        return true;
    generation_ = generation;
    codePage_ = machine.Settings().codePage;
    wideText_ = machine.Settings().family == PlatformFamily::NT;
    pid_ = getpid();
    forks_ = forks;
    if (Connect(machine.RegistryPath()) && Initialize())
        return true;
    Disconnect(true);
    return false;
}

bool RegistryStore::Connect(const std::string& path) {
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK)
        return false;
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    // Switching a new database to the write-ahead log needs a moment alone
    // with the file: another process opening it at the same time may hold it.
    bool wal = false;
    for (int attempt = 0; attempt < 100 && !wal; ++attempt) {
        if (attempt > 0)
            usleep(20000);
        sqlite3_stmt* mode = nullptr;
        if (sqlite3_prepare_v2(db_, "PRAGMA journal_mode=WAL", -1, &mode, nullptr) == SQLITE_OK &&
            sqlite3_step(mode) == SQLITE_ROW) {
            const unsigned char* text = sqlite3_column_text(mode, 0);
            wal = text && std::string(reinterpret_cast<const char*>(text)) == "wal";
        }
        sqlite3_finalize(mode);
    }
    // Commits reach the log without a disk flush (the log keeps the database
    // whole when a writer is killed); flushes come with checkpoints, which a
    // larger log makes rarer.
    return wal && Exec("PRAGMA synchronous=NORMAL") && Exec("PRAGMA wal_autocheckpoint=8192");
}

// release false: forget a connection inherited through fork without closing
// it, since closing would act on the parent's locks and log.
void RegistryStore::Disconnect(bool release) {
    if (release) {
        for (auto& entry : statements_)
            sqlite3_finalize(entry.second);
        if (db_)
            sqlite3_close(db_);
    }
    statements_.clear();
    db_ = nullptr;
    depth_ = 0;
    writing_ = doomed_ = false;
}

// Creates the schema and the content of a fresh machine, once: whichever
// process comes first does it while the others wait on the write lock. A
// database of the other text form is converted to the machine's.
bool RegistryStore::Initialize() {
    Transaction transaction(*this, true);
    if (!transaction.Ok())
        return false;
    sqlite3_int64 version = -1;
    {
        RegistryStatement read = Statement("PRAGMA user_version");
        if (read.Step() == SQLITE_ROW)
            version = read.Int(0);
    }
    const int wanted = wideText_ ? kWideTextVersion : kAnsiTextVersion;
    if (version == wanted)
        return transaction.Commit();
    if (version == kAnsiTextVersion || version == kWideTextVersion) {
        if (!ConvertTextValues())
            return false;
    } else if (version != 0 || !Exec(kSchema) || !SeedFreshMachine()) {
        return false; // unreadable, or a layout this version does not know
    }
    std::string mark = "PRAGMA user_version = " + std::to_string(wanted);
    return Exec(mark.c_str()) && transaction.Commit();
}

bool RegistryStore::SeedFreshMachine() {
    for (RegKeyId root = kFirstRoot; root <= kLastRoot; ++root) {
        std::string name = RootName(root);
        RegistryStatement insert =
            Statement("INSERT OR IGNORE INTO keys(id, parent, name, folded) VALUES(?1, 0, ?2, ?3)");
        if (!insert.Bind(1, root).Bind(2, name).Bind(3, Fold(name)).Run())
            return false;
    }
    return RegistrySeed::Seed(*this, Machine::Current().Settings());
}

// Every text value into the form of wideText_, from the other one. Going
// down to ANSI, characters the code page lacks become "?", as they would
// through the NT family's "A" calls.
bool RegistryStore::ConvertTextValues() {
    struct Row {
        RegKeyId key;
        sqlite3_int64 seq;
        std::string data;
    };
    std::vector<Row> rows;
    {
        RegistryStatement list =
            Statement("SELECT key, seq, data FROM vals WHERE type IN (?1, ?2, ?3)");
        list.Bind(1, sqlite3_int64{REG_SZ}).Bind(2, sqlite3_int64{REG_EXPAND_SZ});
        list.Bind(3, sqlite3_int64{REG_MULTI_SZ});
        int step;
        while ((step = list.Step()) == SQLITE_ROW)
            rows.push_back({list.Int(0), list.Int(1), list.Bytes(2)});
        if (step != SQLITE_DONE)
            return false;
    }
    for (const Row& row : rows) {
        std::string data = wideText_ ? RegistryText::WideFromAnsi(row.data, codePage_)
                                     : RegistryText::AnsiFromWide(row.data, codePage_);
        RegistryStatement update =
            Statement("UPDATE vals SET data = ?3 WHERE key = ?1 AND seq = ?2");
        if (!update.Bind(1, row.key).Bind(2, row.seq).Bind(3, data).Run())
            return false;
    }
    return true;
}

bool RegistryStore::Exec(const char* sql) {
    return db_ && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

RegistryStatement RegistryStore::Statement(const char* sql) {
    auto found = statements_.find(sql);
    if (found != statements_.end())
        return RegistryStatement(found->second);
    sqlite3_stmt* statement = nullptr;
    if (!db_ || sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) !=
                    SQLITE_OK) {
        sqlite3_finalize(statement);
        return RegistryStatement(nullptr);
    }
    statements_[sql] = statement;
    return RegistryStatement(statement);
}

std::string RegistryStore::Fold(const std::string& name) const {
    return RegistryNames::Fold(name, codePage_);
}

// [SECTION] Transactions

bool RegistryStore::BeginTransaction(bool write) {
    if (depth_ > 0) {
        if (write && !writing_)
            return false; // a read transaction cannot become a writer safely
        ++depth_;
        return true;
    }
    if (!Statement(write ? "BEGIN IMMEDIATE" : "BEGIN").Run())
        return false;
    depth_ = 1;
    writing_ = write;
    doomed_ = false;
    return true;
}

bool RegistryStore::EndTransaction(bool commit) {
    if (!commit)
        doomed_ = true;
    if (depth_ == 0)
        return false;
    if (--depth_ > 0)
        return commit;
    if (!doomed_ && Statement("COMMIT").Run())
        return true;
    Statement("ROLLBACK").Run();
    return false;
}

RegistryStore::Transaction::Transaction(RegistryStore& store, bool write)
    : store_(store), ok_(store.BeginTransaction(write)) {}

RegistryStore::Transaction::~Transaction() {
    if (ok_ && !done_)
        store_.EndTransaction(false);
}

bool RegistryStore::Transaction::Commit() {
    if (!ok_ || done_)
        return false;
    done_ = true;
    return store_.EndTransaction(true);
}
