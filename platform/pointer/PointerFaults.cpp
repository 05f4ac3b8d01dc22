#include "PointerFaults.h"

#include <cstdio>
#include <cstdlib>

namespace vorlix {

CPointerFaults::CPointerFaults() {
    if (std::getenv("VORLIX_TRACE") != nullptr) {
        m_sink = [](std::string_view line) {
            std::fprintf(stderr, "vorlix-pointer: %.*s\n", static_cast<int>(line.size()), line.data());
            std::fflush(stderr);
        };
    }
}

CPointerFaults::CPointerFaults(Sink sink) : m_sink(std::move(sink)) {}

void CPointerFaults::Report(std::string_view key, std::string_view text) {
    std::lock_guard lock(m_mutex);
    if (!m_told.emplace(key).second || !m_sink) {
        return;
    }
    m_sink(text);
}

}  // namespace vorlix
