#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite. In CI (CI=true) it also builds with
# warnings as errors and runs the suite a second time under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
VORLIX_BUILD_DIR=build scripts/build.sh -DVORLIX_WERROR=$werror
ctest --test-dir build --output-on-failure -j "$(nproc)" --timeout 300
if [ "${CI:-}" = "true" ]; then
  scripts/bench.sh
fi
if [ "${CI:-}" = "true" ] || [ "${VORLIX_FUZZ:-}" = "1" ]; then
  VORLIX_FUZZ_SECONDS="${VORLIX_FUZZ_SECONDS:-60}" scripts/fuzz.sh
fi
if [ "${CI:-}" = "true" ] || [ "${VORLIX_SANITIZE:-}" = "1" ]; then
  VORLIX_BUILD_DIR=build-asan VORLIX_BUILD_TYPE=Debug scripts/build.sh -DVORLIX_WERROR=$werror \
    -DVORLIX_SANITIZE=ON -DVORLIX_BUILD_BENCH=OFF
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$(nproc)" --timeout 600
fi
