#include "MemoryStoreBackend.h"

#include <cctype>

namespace vorlix {

std::string CMemoryStoreBackend::Fold(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return folded;
}

StoreStatus CMemoryStoreBackend::Fail(StoreStatus status, int code) {
    m_lastError = code;
    return status;
}

std::string CMemoryStoreBackend::LastErrorText() const {
    return m_lastError == 0 ? std::string("no error") : "memory store error " + std::to_string(m_lastError);
}

StoreStatus CMemoryStoreBackend::Open() {
    if (!m_exists) {
        return Fail(StoreStatus::KeyMissing, 2);
    }
    if (m_corrupt) {
        return Fail(StoreStatus::Failed, 11);
    }
    m_isOpen = true;
    return StoreStatus::Ok;
}

StoreStatus CMemoryStoreBackend::Create() {
    if (m_createFails) {
        return Fail(StoreStatus::Failed, 5);
    }
    m_exists = true;
    if (m_afterCreate) {
        auto hook = std::move(m_afterCreate);
        m_afterCreate = nullptr;
        hook();
    }
    return StoreStatus::Ok;
}

StoreStatus CMemoryStoreBackend::Get(std::string_view name, StoreValue& value) {
    if (!m_isOpen) {
        return Fail(StoreStatus::Failed, 6);
    }
    const auto it = m_values.find(Fold(name));
    if (it == m_values.end()) {
        return Fail(StoreStatus::NotFound, 2);
    }
    value = it->second.second;
    return StoreStatus::Ok;
}

StoreStatus CMemoryStoreBackend::Put(std::string_view name, const StoreValue& value) {
    if (!m_isOpen) {
        return Fail(StoreStatus::Failed, 6);
    }
    if (m_putFails) {
        return Fail(StoreStatus::Failed, 5);
    }
    m_values[Fold(name)] = {std::string(name), value};
    return StoreStatus::Ok;
}

StoreStatus CMemoryStoreBackend::PutIfAbsent(std::string_view name, const StoreValue& value, bool& added) {
    added = false;
    if (!m_isOpen) {
        return Fail(StoreStatus::Failed, 6);
    }
    if (m_putFails) {
        return Fail(StoreStatus::Failed, 5);
    }
    added = m_values.emplace(Fold(name), std::make_pair(std::string(name), value)).second;
    return StoreStatus::Ok;
}

StoreStatus CMemoryStoreBackend::Remove(std::string_view name) {
    if (!m_isOpen) {
        return Fail(StoreStatus::Failed, 6);
    }
    return m_values.erase(Fold(name)) > 0 ? StoreStatus::Ok : Fail(StoreStatus::NotFound, 2);
}

StoreStatus CMemoryStoreBackend::List(std::vector<std::pair<std::string, StoreValue>>& values) {
    if (!m_isOpen) {
        return Fail(StoreStatus::Failed, 6);
    }
    values.clear();
    for (const auto& entry : m_values) {
        values.push_back(entry.second);
    }
    return StoreStatus::Ok;
}

}  // namespace vorlix
