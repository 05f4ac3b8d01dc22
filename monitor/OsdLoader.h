#pragma once

#include <string>

namespace vorlix {

// Loads the notice library by its full path (found by the monitor's file search) and creates its
// window on the calling thread; unloading destroys the window first.
class COsdLoader {
public:
    static constexpr const char* kFileName = "libVorlixOsd.so";

    COsdLoader() = default;
    ~COsdLoader();
    COsdLoader(const COsdLoader&) = delete;
    COsdLoader& operator=(const COsdLoader&) = delete;

    // False (and nothing loaded) when the path is empty, the library does not load or its window
    // cannot be created; the reason goes to error.
    bool Load(const std::string& path, std::string* error = nullptr);
    void Unload();
    bool Loaded() const { return m_handle != nullptr; }

private:
    void* m_handle = nullptr;
    void (*m_destroy)() = nullptr;
};

}  // namespace vorlix
