#!/usr/bin/env bash
# Runs every benchmark of a build once and prints its figures (CI runs it after the tests). Figures
# of a loaded machine are noisy: counts and CPU times hold up better than wall times.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${VORLIX_BUILD_DIR:-build}/bench"
status=0
for bench in "$dir"/*_bench; do
  [ -x "$bench" ] || continue
  echo "== $(basename "$bench")"
  QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$bench" || { echo "BENCHMARK FAILURE in $bench"; status=1; }
done
exit $status
