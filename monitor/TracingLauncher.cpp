#include "TracingLauncher.h"

#include "MonitorTrace.h"

namespace vorlix {

bool CTracingLauncher::Launch(const std::string& path) {
    const bool started = m_inner->Launch(path);
    MonitorTrace((started ? "launched " : "not launched ") + path);
    return started;
}

}  // namespace vorlix
