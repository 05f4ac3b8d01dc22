#include "UserStore.h"

#include "UserPaths.h"

namespace vorlix {

CUserStore::CUserStore() : CUserStore(CUserPaths::StoreFile()) {}

CUserStore::CUserStore(const std::string& path) : m_backend(path), m_store(m_backend) {}

}  // namespace vorlix
