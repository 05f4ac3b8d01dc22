#pragma once

#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

namespace vorlix {

// Where the pointer backends say what went wrong on the desktop: a missing service, a read-only file, a
// value out of range, a desktop that put a value back. Each fault is told once per key, so a profile
// switch that fails the same way every time does not fill the log; the programs go on either way.
class CPointerFaults {
public:
    using Sink = std::function<void(std::string_view line)>;

    // Writes to stderr when VORLIX_TRACE is set, else nowhere.
    CPointerFaults();
    explicit CPointerFaults(Sink sink);

    // Tells the text once for each key; later reports under the same key are dropped.
    void Report(std::string_view key, std::string_view text);

private:
    Sink m_sink;
    std::mutex m_mutex;
    std::set<std::string, std::less<>> m_told;
};

}  // namespace vorlix
