#pragma once

#include <string>

#include "SqliteStoreBackend.h"
#include "shared/RegStore.h"

namespace vorlix {

// The current user's store: the SQLite file in the config folder behind a store accessor.
class CUserStore {
public:
    CUserStore();
    explicit CUserStore(const std::string& path);

    CRegStore& Store() { return m_store; }
    IStoreBackend& Backend() { return m_backend; }
    const std::string& Path() const { return m_backend.Path(); }

private:
    CSqliteStoreBackend m_backend;
    CRegStore m_store;
};

}  // namespace vorlix
