#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "StoreBackend.h"

namespace vorlix {

// The accessor for the per-user store shared by the three programs. Every operation opens the key,
// works and closes it again before it returns, so several processes can use the store at once.
// Results follow the system's convention: 1 for success, 0 for failure; ReadDword gives -1 for a
// value that is missing or too long to be a DWORD.
class CRegStore {
public:
    // Text values hold at most this many characters; a reader's buffer has room for one more.
    static constexpr size_t kTextCapacity = 1024;
    static constexpr size_t kMaxTextLength = kTextCapacity - 1;

    explicit CRegStore(IStoreBackend& backend);
    ~CRegStore();
    CRegStore(const CRegStore&) = delete;
    CRegStore& operator=(const CRegStore&) = delete;

    // Closes the key if open and opens it again. Does not create it.
    int Open();
    void Close();

    // Creates the key when it is missing. 1 only when the write itself succeeded.
    int WriteDword(std::string_view name, uint32_t value);
    // On a store that does not exist yet, creates it, writes 0 under the name and gives 0.
    // A missing value, one longer than 4 bytes, or an unreadable store gives -1.
    int32_t ReadDword(std::string_view name);
    int DeleteValue(std::string_view name);
    // 1 when the value is gone afterwards: removed now, or never there (nor the store itself); 0 only
    // when the store could not be used.
    int RemoveValue(std::string_view name);
    // At most 1023 characters; an odd trailing byte is dropped. 0 when the key or value is missing.
    int ReadText(std::string_view name, std::u16string& text);
    // Refuses (0) a text longer than 1023 characters, so every reader can hold it.
    int WriteText(std::string_view name, std::u16string_view text);

    int LastError() const { return m_lastError; }
    // How the last operation ended, below the 1/0/-1 convention: a -1 from ReadDword is NotFound for a
    // value that is not there (or not a DWORD) and Failed for a store that could not be read.
    StoreStatus LastStatus() const { return m_lastStatus; }
    std::string LastErrorText() const;

private:
    // Opens the key, creating it when missing. Leaves it open on success.
    bool OpenOrCreate();
    void Remember(StoreStatus status);

    IStoreBackend& m_backend;
    bool m_open = false;
    int m_lastError = 0;
    StoreStatus m_lastStatus = StoreStatus::Ok;
};

}  // namespace vorlix
