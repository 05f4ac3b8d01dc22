#!/usr/bin/env bash
# Installs what is missing, builds, and runs the configuration program. Without a display it runs
# under a virtual one (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
bin="$PWD/build/bin"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running under Xvfb."
  exec xvfb-run -a "$bin/VorlixDaze" "$@"
fi
exec "$bin/VorlixDaze" "$@"
