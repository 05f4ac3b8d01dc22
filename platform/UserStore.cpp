#include "UserStore.h"

#include "UserPaths.h"

namespace vorlix {

CUserStore::CUserStore() : CUserStore(CUserPaths::StoreFile()) {}

CUserStore::CUserStore(const std::string& path) : m_backend(path) {}

StoreStatus CUserStore::CReportingBackend::Check(StoreStatus status) {
    if (status == StoreStatus::Failed) {
        CUserPaths::ReportOnce("store unusable",
                               "the store " + m_inner.Path() + " cannot be used (" + m_inner.LastErrorText() +
                                   "); running on defaults until it is repaired or removed");
    }
    return status;
}

}  // namespace vorlix
