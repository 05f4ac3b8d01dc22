#pragma once

#include <memory>

#include "shared/ProgramLauncher.h"

namespace vorlix {

// The launcher the monitor starts programs with, with a trace line for each program started
// (VORLIX_TRACE).
class CTracingLauncher final : public IProgramLauncher {
public:
    explicit CTracingLauncher(std::unique_ptr<IProgramLauncher> inner) : m_inner(std::move(inner)) {}
    bool Launch(const std::string& path) override;

private:
    std::unique_ptr<IProgramLauncher> m_inner;
};

}  // namespace vorlix
