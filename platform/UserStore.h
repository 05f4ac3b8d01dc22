#pragma once

#include <string>

#include "SqliteStoreBackend.h"
#include "shared/RegStore.h"

namespace vorlix {

// The current user's store: the SQLite file in the config folder behind a store accessor. A store
// that cannot be used (damaged, not a database) is reported once per process on stderr
// (CUserPaths::ReportOnce) the first time an operation of the accessor fails on it; the programs carry
// on with their defaults. Backend() gives the file itself, unreported, to callers that report on their own.
class CUserStore {
public:
    CUserStore();
    explicit CUserStore(const std::string& path);

    CRegStore& Store() { return m_store; }
    IStoreBackend& Backend() { return m_backend; }
    const std::string& Path() const { return m_backend.Path(); }

private:
    // Passes every call on to the file and reports the first one that fails: a damaged file opens
    // and only fails on its first read or write.
    class CReportingBackend final : public IStoreBackend {
    public:
        explicit CReportingBackend(CSqliteStoreBackend& inner) : m_inner(inner) {}
        StoreStatus Open() override { return Check(m_inner.Open()); }
        StoreStatus Create() override { return Check(m_inner.Create()); }
        void Close() override { m_inner.Close(); }
        StoreStatus Get(std::string_view name, StoreValue& value) override {
            return Check(m_inner.Get(name, value));
        }
        StoreStatus Put(std::string_view name, const StoreValue& value) override {
            return Check(m_inner.Put(name, value));
        }
        StoreStatus PutIfAbsent(std::string_view name, const StoreValue& value, bool& added) override {
            return Check(m_inner.PutIfAbsent(name, value, added));
        }
        StoreStatus Remove(std::string_view name) override { return Check(m_inner.Remove(name)); }
        StoreStatus List(std::vector<std::pair<std::string, StoreValue>>& values) override {
            return Check(m_inner.List(values));
        }
        int LastError() const override { return m_inner.LastError(); }
        std::string LastErrorText() const override { return m_inner.LastErrorText(); }

    private:
        StoreStatus Check(StoreStatus status);
        CSqliteStoreBackend& m_inner;
    };

    CSqliteStoreBackend m_backend;
    CReportingBackend m_reporting{m_backend};
    CRegStore m_store{m_reporting};
};

}  // namespace vorlix
