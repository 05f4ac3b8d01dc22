#pragma once

#include <string>

#include "shared/StoreBackend.h"

struct sqlite3;
struct stat;

namespace vorlix {

// The per-user store as an SQLite database: one table of named, typed values. WAL journal and a busy
// timeout let several processes work at once; every write takes the write lock when its transaction
// begins, so it never has to upgrade a read lock and fail with "busy". A file that is not a database
// is never overwritten: every operation on it fails and callers take their defaults.
class CSqliteStoreBackend final : public IStoreBackend {
public:
    explicit CSqliteStoreBackend(std::string path);
    ~CSqliteStoreBackend() override;
    CSqliteStoreBackend(const CSqliteStoreBackend&) = delete;
    CSqliteStoreBackend& operator=(const CSqliteStoreBackend&) = delete;

    StoreStatus Open() override;
    StoreStatus Create() override;
    void Close() override;
    StoreStatus Get(std::string_view name, StoreValue& value) override;
    StoreStatus Put(std::string_view name, const StoreValue& value) override;
    StoreStatus PutIfAbsent(std::string_view name, const StoreValue& value, bool& added) override;
    StoreStatus Remove(std::string_view name) override;
    StoreStatus List(std::vector<std::pair<std::string, StoreValue>>& values) override;
    int LastError() const override { return m_lastError; }
    std::string LastErrorText() const override { return m_lastErrorText; }

    const std::string& Path() const { return m_path; }

private:
    StoreStatus FailSqlite(const char* what);
    StoreStatus FailErrno(const std::string& what, int error);
    bool Exec(const char* sql);
    void Configure();
    StoreStatus Write(const char* sql, std::string_view name, const StoreValue& value, bool& changed);
    void KeepAnchor(const struct stat& info);

    std::string m_path;
    sqlite3* m_db = nullptr;
    sqlite3* m_anchor = nullptr;
    unsigned long m_anchorDevice = 0;
    unsigned long m_anchorInode = 0;
    int m_lastError = 0;
    std::string m_lastErrorText;
};

}  // namespace vorlix
