#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for a bounded time
# (VORLIX_FUZZ_SECONDS, default 60) over its kept corpus. New crashes are written to build-fuzz/crashes/;
# copy them into the target's corpus folder once fixed, so the replay test keeps them fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${VORLIX_FUZZ_SECONDS:-60}"
CC=clang CXX=clang++ VORLIX_BUILD_DIR=build-fuzz VORLIX_BUILD_TYPE=RelWithDebInfo scripts/build.sh \
  -DVORLIX_FUZZ=ON -DVORLIX_BUILD_GUI=OFF -DVORLIX_BUILD_BENCH=OFF
list=build-fuzz/fuzz/fuzzers.txt
[ -f "$list" ] || { echo "no fuzz targets"; exit 0; }
mkdir -p build-fuzz/crashes
status=0
# Read the list first: a fuzzer must not share the list's file offset through its standard input.
mapfile -t targets <"$list"
for target in "${targets[@]}"; do
  read -r name corpus <<<"$target"
  work="build-fuzz/corpus/$name"
  mkdir -p "$work"
  echo "fuzzing $name for ${seconds}s"
  if ! "build-fuzz/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="build-fuzz/crashes/$name-" "$work" "$corpus" </dev/null >"build-fuzz/$name.log" 2>&1; then
    echo "FUZZ FAILURE in $name:"; tail -n 40 "build-fuzz/$name.log"; status=1
  fi
done
exit $status
