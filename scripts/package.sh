#!/usr/bin/env bash
# Builds the Debian package from the release build (build/, or $VORLIX_BUILD_DIR) into
# build/packages/ and prints its path. The package always installs under /usr, whatever prefix the
# build was configured with.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${VORLIX_BUILD_DIR:-build}"
VORLIX_BUILD_DIR="$build" scripts/build.sh >&2
rm -rf "$build/packages"
(cd "$build" && cpack -G DEB -B "$PWD/packages" >&2)
ls "$PWD/$build"/packages/vorlix-daze_*.deb
