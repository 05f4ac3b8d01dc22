#!/usr/bin/env bash
# Makes the pictures of the windows in docs/screenshots/ from the real programs of the build (build/, or
# $VORLIX_BUILD_DIR): the configuration window as it runs under Xvfb against the virtual mouse, and each
# dialog and notice face as the skin viewer lays it out with its controls' pictures in place.
set -euo pipefail
cd "$(dirname "$0")/.."
bin="$PWD/${VORLIX_BUILD_DIR:-build}/bin"
out="$PWD/docs/screenshots"
mkdir -p "$out"
work="$(mktemp -d)"
mouse_pid=""
display_pid=""
cleanup() {
  [ -n "$display_pid" ] && kill -- "-$display_pid" 2>/dev/null || true
  [ -n "$mouse_pid" ] && kill "$mouse_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" LANG=C
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# Dialog faces by picture id, laid out by the skin viewer.
declare -A faces=([advanced-settings]=343 [led-dialog]=335 [macro-editor]=356 [message-page]=251
                  [notice]=316)
for name in "${!faces[@]}"; do
  QT_QPA_PLATFORM=offscreen "$bin/vorlix-skin-viewer" "${faces[$name]}" --preview "$out/$name.png"
done

# The main window, live.
socket="$XDG_RUNTIME_DIR/vm.sock"
"$bin/vorlix-virtual-mouse" --socket "$socket" serve >/dev/null &
mouse_pid=$!
for _ in $(seq 150); do [ -S "$socket" ] && break; sleep 0.2; done
display=":$((90 + RANDOM % 100))"
setsid Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
display_pid=$!
for _ in $(seq 150); do DISPLAY="$display" xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
DISPLAY="$display" VORLIX_VIRTUAL_MOUSE="$socket" QT_QPA_PLATFORM=xcb "$bin/VorlixDaze" &
daze_pid=$!
for _ in $(seq 150); do "$bin/vorlixctl" store get "Process Handle" >/dev/null 2>&1 && break; sleep 0.2; done
sleep 3  # the window reads the mouse and draws itself; a picture is only as good as what is shown
DISPLAY="$display" import -window root -trim "$out/main-window.png"
kill "$daze_pid" 2>/dev/null || true
echo "pictures written to $out"
