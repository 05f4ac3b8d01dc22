#!/usr/bin/env bash
# Renders the configuration window from the running program under Xvfb into docs/screenshots/: the main
# face against the virtual mouse, the warning face with no mouse, and the progress overlay during a load
# from a virtual mouse that answers slowly.
set -euo pipefail
cd "$(dirname "$0")/.."
bin="${BUILD_DIR:-$PWD/build}/bin"
out="$PWD/docs/screenshots"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

shoot() {  # name, the trace line to wait for, then extra environment for the program
  local name=$1 until=$2; shift 2
  mkdir -p "$work/$name/config" "$work/$name/runtime"
  chmod 700 "$work/$name/runtime"
  env XDG_CONFIG_HOME="$work/$name/config" XDG_RUNTIME_DIR="$work/$name/runtime" HOME="$work/$name/config" \
      VORLIX_TRACE=1 VORLIX_UNATTENDED=1 "$@" \
      xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        "$0" 2>"$1.log" &
        app=$!
        for _ in $(seq 100); do grep -q "$2" "$1.log" && break; sleep 0.1; done
        sleep 0.5
        import -window root "$1.png"
        kill $app; wait $app || true' "$bin/VorlixDaze" "$work/$name" "$until"
  if [ "$name" = load-overlay ]; then
    # The overlay turns at the screen's centre while the window is not up yet: the middle is enough.
    convert "$work/$name.png" -gravity center -crop 400x300+0+0 +repage "$out/$name.png"
  else
    cp "$work/$name.png" "$out/$name.png"
  fi
}

"$bin/vorlix-virtual-mouse" --socket "$work/vm.sock" serve &
mouse=$!
for _ in $(seq 50); do [ -S "$work/vm.sock" ] && break; sleep 0.1; done
shoot main-face "face painted" VORLIX_VIRTUAL_MOUSE="$work/vm.sock"
kill $mouse; wait $mouse || true
shoot warning-face "face painted" VORLIX_VIRTUAL_MOUSE="$work/none.sock"

# A mouse that answers busy many times before each answer keeps the load going for seconds.
"$bin/vorlix-virtual-mouse" --socket "$work/slow.sock" serve --busy 40 &
mouse=$!
for _ in $(seq 50); do [ -S "$work/slow.sock" ] && break; sleep 0.1; done
shoot load-overlay "device session opened" VORLIX_VIRTUAL_MOUSE="$work/slow.sock"
kill $mouse; wait $mouse || true
