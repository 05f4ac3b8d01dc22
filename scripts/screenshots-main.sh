#!/usr/bin/env bash
# Renders the configuration window's two faces from the running program under Xvfb into
# docs/screenshots/ (main face against the virtual mouse, warning face with no mouse).
set -euo pipefail
cd "$(dirname "$0")/.."
bin="$PWD/build/bin"
out="$PWD/docs/screenshots"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

shoot() {  # name, then extra environment for the program
  local name=$1; shift
  mkdir -p "$work/$name/config" "$work/$name/runtime"
  chmod 700 "$work/$name/runtime"
  env XDG_CONFIG_HOME="$work/$name/config" XDG_RUNTIME_DIR="$work/$name/runtime" HOME="$work/$name/config" \
      VORLIX_TRACE=1 VORLIX_UNATTENDED=1 "$@" \
      xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        "$0" 2>"$1.log" &
        app=$!
        for _ in $(seq 100); do grep -q "face painted" "$1.log" && break; sleep 0.1; done
        sleep 0.5
        import -window root "$1.png"
        kill $app; wait $app || true' "$bin/VorlixDaze" "$work/$name"
  cp "$work/$name.png" "$out/$name.png"
}

"$bin/vorlix-virtual-mouse" --socket "$work/vm.sock" serve &
mouse=$!
for _ in $(seq 50); do [ -S "$work/vm.sock" ] && break; sleep 0.1; done
shoot main-face VORLIX_VIRTUAL_MOUSE="$work/vm.sock"
kill $mouse; wait $mouse || true
shoot warning-face VORLIX_VIRTUAL_MOUSE="$work/none.sock"
