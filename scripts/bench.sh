#!/usr/bin/env bash
# Runs every benchmark of a build once and prints its figures (CI runs it after the tests). Figures
# of a loaded machine are noisy: counts and CPU times hold up better than wall times.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${VORLIX_BUILD_DIR:-build}/bench"
# Benchmarks that start the programs find them here.
export VORLIX_BIN_DIR="${VORLIX_BIN_DIR:-$PWD/${VORLIX_BUILD_DIR:-build}/bin}"
status=0
for bench in "$dir"/*_bench; do
  [ -x "$bench" ] || continue
  echo "== $(basename "$bench")"
  out="$(QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$bench" 2>&1)" || { echo "$out"; echo "BENCHMARK FAILURE in $bench"; status=1; continue; }
  echo "$out"
  # A benchmark that could not measure (its rig did not start) is a failure too, not a missing line.
  if grep -q "ERROR OCCURRED" <<<"$out"; then
    echo "BENCHMARK FAILURE in $bench"
    status=1
  fi
done
exit $status
