#include "OsdLoader.h"

#include <dlfcn.h>

namespace vorlix {

COsdLoader::~COsdLoader() {
    Unload();
}

bool COsdLoader::Load(const std::string& path, std::string* error) {
    Unload();
    const auto fail = [error](const std::string& why) {
        if (error) {
            *error = why;
        }
        return false;
    };
    if (path.empty() || path.front() != '/') {
        return fail("the notice library was not found");
    }
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = ::dlerror();
        return fail(why ? why : "the notice library does not load");
    }
    auto create = reinterpret_cast<int (*)()>(::dlsym(handle, "VorlixOsdCreate"));
    auto destroy = reinterpret_cast<void (*)()>(::dlsym(handle, "VorlixOsdDestroy"));
    if (create == nullptr || destroy == nullptr || create() != 1) {
        ::dlclose(handle);
        return fail("the notice library could not create its window");
    }
    m_handle = handle;
    m_destroy = destroy;
    return true;
}

void COsdLoader::Unload() {
    if (m_handle == nullptr) {
        return;
    }
    m_destroy();
    // The library's Qt objects are gone, but Qt may still hold pointers into its code (meta objects,
    // resources); it stays mapped until the process ends.
    m_handle = nullptr;
    m_destroy = nullptr;
}

}  // namespace vorlix
