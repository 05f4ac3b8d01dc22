#include "SqliteStoreBackend.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <time.h>

#include <cerrno>
#include <cstring>

namespace vorlix {

namespace {

constexpr int kBusyTimeoutMs = 5000;
constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS store_values ("
    " name TEXT PRIMARY KEY COLLATE NOCASE,"
    " type INTEGER NOT NULL,"
    " data BLOB NOT NULL)";

// Prepared statement that finalizes itself.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) { m_rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    bool Ok() const { return m_rc == SQLITE_OK; }
    sqlite3_stmt* Get() const { return m_stmt; }
    void BindName(int index, std::string_view name) {
        sqlite3_bind_text(m_stmt, index, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_rc = SQLITE_OK;
};

// SQLite's own busy timeout sleeps in steps of up to 100 ms, which leaves the store idle most of the
// time when three processes write in turn. Writers here hold the lock for well under a millisecond, so
// retry in short steps until the timeout.
int RetryWhileBusy(void*, int attempt) {
    constexpr long kStepUs = 100;
    if (static_cast<long>(attempt) * kStepUs >= kBusyTimeoutMs * 1000L) {
        return 0;
    }
    const timespec step{0, kStepUs * 1000};
    nanosleep(&step, nullptr);
    return 1;
}

std::string ParentDir(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos || slash == 0 ? std::string("/") : path.substr(0, slash);
}

// mkdir -p with private new folders.
int MakeDirs(const std::string& dir) {
    struct stat info {};
    if (stat(dir.c_str(), &info) == 0) {
        return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    }
    if (errno != ENOENT) {
        return errno;
    }
    if (const int rc = MakeDirs(ParentDir(dir)); rc != 0) {
        return rc;
    }
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
        return errno;
    }
    return 0;
}

StoreValue ReadRow(sqlite3_stmt* stmt, int typeColumn) {
    StoreValue value;
    value.type = sqlite3_column_int(stmt, typeColumn) == static_cast<int>(StoreValueType::Text)
                     ? StoreValueType::Text
                     : StoreValueType::Dword;
    const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(stmt, typeColumn + 1));
    const int size = sqlite3_column_bytes(stmt, typeColumn + 1);
    if (data != nullptr && size > 0) {
        value.bytes.assign(data, data + size);
    }
    return value;
}

}  // namespace

CSqliteStoreBackend::CSqliteStoreBackend(std::string path) : m_path(std::move(path)) {}

CSqliteStoreBackend::~CSqliteStoreBackend() {
    Close();
    if (m_anchor != nullptr) {
        sqlite3_close_v2(m_anchor);
    }
}

StoreStatus CSqliteStoreBackend::FailSqlite(const char* what) {
    m_lastError = m_db != nullptr ? sqlite3_extended_errcode(m_db) : SQLITE_ERROR;
    m_lastErrorText = std::string(what) + ": " + (m_db != nullptr ? sqlite3_errmsg(m_db) : "no database") +
                      " (" + m_path + ")";
    return StoreStatus::Failed;
}

StoreStatus CSqliteStoreBackend::FailErrno(const std::string& what, int error) {
    m_lastError = error;
    m_lastErrorText = what + ": " + std::strerror(error);
    return StoreStatus::Failed;
}

void CSqliteStoreBackend::Configure() {
    sqlite3_busy_handler(m_db, &RetryWhileBusy, nullptr);
    // Commits in WAL mode stay durable against a crash of the process without an fsync each.
    Exec("PRAGMA synchronous=NORMAL");
}

bool CSqliteStoreBackend::Exec(const char* sql) {
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

StoreStatus CSqliteStoreBackend::Open() {
    Close();
    struct stat info {};
    if (stat(m_path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            m_lastError = ENOENT;
            m_lastErrorText = "the store does not exist yet (" + m_path + ")";
            return StoreStatus::KeyMissing;
        }
        return FailErrno("cannot reach the store " + m_path, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return FailErrno("the store " + m_path + " is not a file", EISDIR);
    }
    if (sqlite3_open_v2(m_path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK) {
        const StoreStatus status = FailSqlite("cannot open the store");
        Close();
        return status;
    }
    Configure();
    KeepAnchor(info);
    return StoreStatus::Ok;
}

void CSqliteStoreBackend::KeepAnchor(const struct stat& info) {
    // Each operation opens and closes its own connection. When the last connection to a WAL database
    // closes, SQLite checkpoints and removes the WAL, an fsync per operation. An idle connection held
    // open beside them keeps the WAL and its index alive; it holds no lock between operations.
    if (m_anchor != nullptr && m_anchorDevice == info.st_dev && m_anchorInode == info.st_ino) {
        return;
    }
    if (m_anchor != nullptr) {
        sqlite3_close_v2(m_anchor);
        m_anchor = nullptr;
    }
    if (sqlite3_open_v2(m_path.c_str(), &m_anchor, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK) {
        sqlite3_close_v2(m_anchor);
        m_anchor = nullptr;
        return;
    }
    // A connection joins the WAL only once it has read something.
    sqlite3_busy_handler(m_anchor, &RetryWhileBusy, nullptr);
    sqlite3_exec(m_anchor, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    m_anchorDevice = info.st_dev;
    m_anchorInode = info.st_ino;
}

StoreStatus CSqliteStoreBackend::Create() {
    Close();
    if (const int rc = MakeDirs(ParentDir(m_path)); rc != 0) {
        return FailErrno("cannot create the folder of " + m_path, rc);
    }
    if (sqlite3_open_v2(m_path.c_str(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        const StoreStatus status = FailSqlite("cannot create the store");
        Close();
        return status;
    }
    chmod(m_path.c_str(), 0600);
    Configure();
    StoreStatus status = StoreStatus::Ok;
    if (!Exec("PRAGMA journal_mode=WAL") || !Exec(kSchema)) {
        status = FailSqlite("cannot set up the store");
    }
    Close();
    return status;
}

void CSqliteStoreBackend::Close() {
    if (m_db != nullptr) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

StoreStatus CSqliteStoreBackend::Get(std::string_view name, StoreValue& value) {
    if (m_db == nullptr) {
        return FailSqlite("the store is not open");
    }
    Statement stmt(m_db, "SELECT type, data FROM store_values WHERE name = ?1");
    if (!stmt.Ok()) {
        return FailSqlite("cannot read the store");
    }
    stmt.BindName(1, name);
    const int rc = sqlite3_step(stmt.Get());
    if (rc == SQLITE_DONE) {
        m_lastError = 2;
        m_lastErrorText = "no value named \"" + std::string(name) + "\"";
        return StoreStatus::NotFound;
    }
    if (rc != SQLITE_ROW) {
        return FailSqlite("cannot read the store");
    }
    value = ReadRow(stmt.Get(), 0);
    return StoreStatus::Ok;
}

StoreStatus CSqliteStoreBackend::Write(const char* sql, std::string_view name, const StoreValue& value,
                                       bool& changed) {
    changed = false;
    if (m_db == nullptr) {
        return FailSqlite("the store is not open");
    }
    if (!Exec("BEGIN IMMEDIATE")) {
        return FailSqlite("cannot write the store");
    }
    // The table may be missing when another process created the file a moment ago.
    bool ok = Exec(kSchema);
    if (ok) {
        Statement stmt(m_db, sql);
        ok = stmt.Ok();
        if (ok) {
            stmt.BindName(1, name);
            sqlite3_bind_int(stmt.Get(), 2, static_cast<int>(value.type));
            // An empty text is a value too: bind it as an empty blob, never as NULL (which the
            // column refuses, so the old value would stay).
            if (value.bytes.empty()) {
                sqlite3_bind_zeroblob(stmt.Get(), 3, 0);
            } else {
                sqlite3_bind_blob(stmt.Get(), 3, value.bytes.data(), static_cast<int>(value.bytes.size()),
                                  SQLITE_TRANSIENT);
            }
            ok = sqlite3_step(stmt.Get()) == SQLITE_DONE;
            changed = ok && sqlite3_changes(m_db) > 0;
        }
    }
    if (ok && Exec("COMMIT")) {
        return StoreStatus::Ok;
    }
    changed = false;
    const StoreStatus status = FailSqlite("cannot write the store");
    Exec("ROLLBACK");
    return status;
}

StoreStatus CSqliteStoreBackend::Put(std::string_view name, const StoreValue& value) {
    bool changed = false;
    return Write(
        "INSERT INTO store_values(name, type, data) VALUES(?1, ?2, ?3) "
        "ON CONFLICT(name) DO UPDATE SET name = excluded.name, type = excluded.type, data = excluded.data",
        name, value, changed);
}

StoreStatus CSqliteStoreBackend::PutIfAbsent(std::string_view name, const StoreValue& value, bool& added) {
    return Write("INSERT OR IGNORE INTO store_values(name, type, data) VALUES(?1, ?2, ?3)", name, value,
                 added);
}

StoreStatus CSqliteStoreBackend::Remove(std::string_view name) {
    if (m_db == nullptr) {
        return FailSqlite("the store is not open");
    }
    Statement stmt(m_db, "DELETE FROM store_values WHERE name = ?1");
    if (!stmt.Ok()) {
        return FailSqlite("cannot write the store");
    }
    stmt.BindName(1, name);
    if (sqlite3_step(stmt.Get()) != SQLITE_DONE) {
        return FailSqlite("cannot write the store");
    }
    if (sqlite3_changes(m_db) == 0) {
        m_lastError = 2;
        m_lastErrorText = "no value named \"" + std::string(name) + "\"";
        return StoreStatus::NotFound;
    }
    return StoreStatus::Ok;
}

StoreStatus CSqliteStoreBackend::List(std::vector<std::pair<std::string, StoreValue>>& values) {
    values.clear();
    if (m_db == nullptr) {
        return FailSqlite("the store is not open");
    }
    Statement stmt(m_db, "SELECT name, type, data FROM store_values ORDER BY name");
    if (!stmt.Ok()) {
        return FailSqlite("cannot read the store");
    }
    int rc = 0;
    while ((rc = sqlite3_step(stmt.Get())) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt.Get(), 0));
        values.emplace_back(text != nullptr ? text : "", ReadRow(stmt.Get(), 1));
    }
    return rc == SQLITE_DONE ? StoreStatus::Ok : FailSqlite("cannot read the store");
}

}  // namespace vorlix
