#include "TracingLauncher.h"

#include "platform/Trace.h"

namespace vorlix {

bool CTracingLauncher::Launch(const std::string& path) {
    const bool started = m_inner->Launch(path);
    Trace((started ? "launched " : "not launched ") + path);
    return started;
}

}  // namespace vorlix
