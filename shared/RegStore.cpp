#include "RegStore.h"

namespace vorlix {

CRegStore::CRegStore(IStoreBackend& backend) : m_backend(backend) {}

CRegStore::~CRegStore() {
    Close();
}

void CRegStore::Remember(StoreStatus status) {
    m_lastStatus = status;
    if (status != StoreStatus::Ok) {
        m_lastError = m_backend.LastError();
        if (m_lastError == 0) {
            m_lastError = static_cast<int>(status);
        }
    }
}

std::string CRegStore::LastErrorText() const {
    return m_backend.LastErrorText();
}

int CRegStore::Open() {
    Close();
    const StoreStatus status = m_backend.Open();
    Remember(status);
    m_open = status == StoreStatus::Ok;
    return m_open ? 1 : 0;
}

void CRegStore::Close() {
    if (m_open) {
        m_backend.Close();
        m_open = false;
    }
}

bool CRegStore::OpenOrCreate() {
    Close();
    StoreStatus status = m_backend.Open();
    if (status == StoreStatus::KeyMissing) {
        status = m_backend.Create();
        Remember(status);
        if (status != StoreStatus::Ok) {
            return false;
        }
        status = m_backend.Open();
    }
    Remember(status);
    m_open = status == StoreStatus::Ok;
    return m_open;
}

int CRegStore::WriteDword(std::string_view name, uint32_t value) {
    if (!OpenOrCreate()) {
        return 0;
    }
    const StoreStatus status = m_backend.Put(name, StoreValue::FromDword(value));
    Remember(status);
    Close();
    return status == StoreStatus::Ok ? 1 : 0;
}

int32_t CRegStore::ReadDword(std::string_view name) {
    Close();
    const StoreStatus opened = m_backend.Open();
    Remember(opened);
    bool freshKey = false;
    if (opened == StoreStatus::KeyMissing) {
        // A fresh account: the key and the requested value come into being with 0. Another process may
        // create the key and write the value in the meantime; its value is kept, never replaced by 0.
        if (m_backend.Create() != StoreStatus::Ok || m_backend.Open() != StoreStatus::Ok) {
            Remember(StoreStatus::Failed);
            return 0;
        }
        Remember(StoreStatus::Ok);
        m_open = true;
        bool added = false;
        const StoreStatus status = m_backend.PutIfAbsent(name, StoreValue::FromDword(0), added);
        Remember(status);
        if (status != StoreStatus::Ok || added) {
            Close();
            return 0;
        }
        freshKey = true;
    }
    if (!freshKey && opened != StoreStatus::Ok) {
        // An unusable store reads as a missing value, so callers take their defaults and nothing
        // already stored is overwritten. LastStatus tells the two apart.
        Remember(StoreStatus::Failed);
        return -1;
    }
    m_open = true;
    StoreValue value;
    const StoreStatus status = m_backend.Get(name, value);
    Remember(status);
    Close();
    if (status != StoreStatus::Ok) {
        return -1;
    }
    if (value.bytes.size() > 4) {
        m_lastStatus = StoreStatus::NotFound;  // there is no DWORD of that name
        return -1;
    }
    return static_cast<int32_t>(value.AsDword());
}

int CRegStore::DeleteValue(std::string_view name) {
    if (Open() == 0) {
        return 0;
    }
    const StoreStatus status = m_backend.Remove(name);
    Remember(status);
    Close();
    return status == StoreStatus::Ok ? 1 : 0;
}

int CRegStore::RemoveValue(std::string_view name) {
    StoreStatus status = m_backend.Open();
    m_open = status == StoreStatus::Ok;
    if (status == StoreStatus::Ok) {
        status = m_backend.Remove(name);
        Close();
    }
    Remember(status);
    return status == StoreStatus::Ok || status == StoreStatus::NotFound || status == StoreStatus::KeyMissing
               ? 1
               : 0;
}

int CRegStore::ReadText(std::string_view name, std::u16string& text) {
    if (Open() == 0) {
        return 0;
    }
    StoreValue value;
    const StoreStatus status = m_backend.Get(name, value);
    Remember(status);
    Close();
    if (status != StoreStatus::Ok) {
        return 0;
    }
    text = value.AsText(kMaxTextLength);
    return 1;
}

int CRegStore::WriteText(std::string_view name, std::u16string_view text) {
    if (text.size() > kMaxTextLength) {
        return 0;
    }
    if (!OpenOrCreate()) {
        return 0;
    }
    const StoreStatus status = m_backend.Put(name, StoreValue::FromText(text));
    Remember(status);
    Close();
    return status == StoreStatus::Ok ? 1 : 0;
}

}  // namespace vorlix
