#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vorlix::ctl {

// What every command of vorlixctl gets: its arguments after the command word and the streams to
// write to. A command returns the process exit status: 0 on success, 1 on a failure, 2 on bad usage.
struct Invocation {
    std::vector<std::string> args;
    std::ostream& out;
    std::ostream& err;
};

inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

// Parses a decimal or 0x-hexadecimal number, optionally negative; false on anything else.
bool ParseNumber(const std::string& text, long long& value);

}  // namespace vorlix::ctl
