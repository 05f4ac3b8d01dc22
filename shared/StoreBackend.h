#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorlix {

// The type a stored value carries with it, as a registry value does.
enum class StoreValueType : uint32_t { Dword = 4, Text = 1 };

struct StoreValue {
    StoreValueType type = StoreValueType::Dword;
    std::vector<uint8_t> bytes;  // a DWORD as 4 little-endian bytes; a text as UTF-16LE without terminator

    static StoreValue FromDword(uint32_t value);
    static StoreValue FromText(std::u16string_view text);
    // The bytes read as a little-endian DWORD: up to the first four, missing ones as zeros.
    uint32_t AsDword() const;
    // The bytes read as UTF-16LE characters, at most maxLength of them; an odd trailing byte is dropped.
    std::u16string AsText(size_t maxLength = std::u16string::npos) const;
};

enum class StoreStatus {
    Ok,
    KeyMissing,  // the store does not exist yet
    NotFound,    // the store exists, the value does not
    Failed,      // the store exists but cannot be used (corrupt, locked, unreadable)
};

// One per-user key of named, typed values. Backends: SQLite for the programs, memory for tests.
// Names compare without regard to ASCII letter case, as registry value names do.
class IStoreBackend {
public:
    virtual ~IStoreBackend() = default;

    // Opens the key; KeyMissing when it does not exist. Never creates anything.
    virtual StoreStatus Open() = 0;
    // Creates the key if it is missing. Ok when it exists afterwards.
    virtual StoreStatus Create() = 0;
    virtual void Close() = 0;

    // These need an open key.
    virtual StoreStatus Get(std::string_view name, StoreValue& value) = 0;
    virtual StoreStatus Put(std::string_view name, const StoreValue& value) = 0;
    // Writes the value only when none of that name exists, in one step; added tells which happened.
    virtual StoreStatus PutIfAbsent(std::string_view name, const StoreValue& value, bool& added) = 0;
    virtual StoreStatus Remove(std::string_view name) = 0;
    virtual StoreStatus List(std::vector<std::pair<std::string, StoreValue>>& values) = 0;

    // Platform error code (or message) of the last failure, for diagnostics only.
    virtual int LastError() const = 0;
    virtual std::string LastErrorText() const = 0;
};

}  // namespace vorlix
