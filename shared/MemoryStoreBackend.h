#pragma once

#include <functional>
#include <map>
#include <string>

#include "StoreBackend.h"

namespace vorlix {

// A store kept in memory, for tests and for callers that must run without a store file.
// Faults can be switched on to show how callers behave with a broken store.
class CMemoryStoreBackend final : public IStoreBackend {
public:
    StoreStatus Open() override;
    StoreStatus Create() override;
    void Close() override { m_isOpen = false; }
    StoreStatus Get(std::string_view name, StoreValue& value) override;
    StoreStatus Put(std::string_view name, const StoreValue& value) override;
    StoreStatus PutIfAbsent(std::string_view name, const StoreValue& value, bool& added) override;
    StoreStatus Remove(std::string_view name) override;
    StoreStatus List(std::vector<std::pair<std::string, StoreValue>>& values) override;
    int LastError() const override { return m_lastError; }
    std::string LastErrorText() const override;

    bool KeyExists() const { return m_exists; }
    bool IsOpen() const { return m_isOpen; }
    // Fault switches.
    void SetKeyExists(bool exists) { m_exists = exists; }
    void SetCreateFails(bool fails) { m_createFails = fails; }
    void SetPutFails(bool fails) { m_putFails = fails; }
    void SetCorrupt(bool corrupt) { m_corrupt = corrupt; }
    // Runs once, right after the next Create(): lets a test play another process in between.
    void SetAfterCreate(std::function<void()> hook) { m_afterCreate = std::move(hook); }

private:
    static std::string Fold(std::string_view name);
    StoreStatus Fail(StoreStatus status, int code);

    std::map<std::string, std::pair<std::string, StoreValue>> m_values;  // folded name -> (name, value)
    std::function<void()> m_afterCreate;
    bool m_exists = false;
    bool m_isOpen = false;
    bool m_createFails = false;
    bool m_putFails = false;
    bool m_corrupt = false;
    int m_lastError = 0;
};

}  // namespace vorlix
