#!/usr/bin/env bash
# Installs what is missing, builds, and runs the monitor, which starts the configuration program.
# Without a display it runs under a virtual one (Xvfb). Without a real mouse it starts the virtual mouse
# for the time the programs run, keeping its memory in the user's state folder so a demo keeps its settings.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
bin="$PWD/build/bin"

mouse_pid=""
stop_mouse() {
  if [ -n "$mouse_pid" ]; then
    kill "$mouse_pid" 2>/dev/null || true
    wait "$mouse_pid" 2>/dev/null || true
  fi
}
trap stop_mouse EXIT

if [ -z "${VORLIX_VIRTUAL_MOUSE:-}" ] && [ -z "$("$bin/vorlixctl" list 2>/dev/null)" ]; then
  state_dir="${XDG_STATE_HOME:-$HOME/.local/state}/vorlix-daze"
  if [ -n "${XDG_RUNTIME_DIR:-}" ]; then
    runtime_dir="$XDG_RUNTIME_DIR/vorlix-daze"
  else
    runtime_dir="/tmp/vorlix-daze-$(id -u)"
  fi
  mkdir -p "$state_dir" "$runtime_dir"
  chmod 700 "$runtime_dir"
  socket="$runtime_dir/virtual-mouse.sock"
  echo "No Vorlix Daze mouse found: starting the virtual mouse ($socket)."
  "$bin/vorlix-virtual-mouse" --socket "$socket" serve --state "$state_dir/virtual-mouse.state" &
  mouse_pid=$!
  for _ in $(seq 50); do
    [ -S "$socket" ] && break
    sleep 0.1
  done
  export VORLIX_VIRTUAL_MOUSE="$socket"
fi

# The monitor starts the configuration program and runs on until "Exit" in its tray menu (or Ctrl-C).
status=0
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running under Xvfb."
  xvfb-run -a "$bin/VorlixMonitor" "$@" || status=$?
else
  "$bin/VorlixMonitor" "$@" || status=$?
fi
exit "$status"
