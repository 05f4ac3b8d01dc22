#!/usr/bin/env bash
# Screenshots of every notice picture kind over a desktop background, from the real monitor and notice
# library under a virtual X display with a virtual mouse: docs/screenshots/osd-*.png.
# Needs a build (scripts/build.sh) and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
bin="${BUILD_DIR:-$PWD/build}/bin"
out="$PWD/docs/screenshots"
mkdir -p "$out"

if [ -z "${VORLIX_OSD_SHOTS_INNER:-}" ]; then
  export VORLIX_OSD_SHOTS_INNER=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
export VORLIX_TRACE=1 VORLIX_VIRTUAL_MOUSE="$work/mouse.sock" QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"

# A desktop: a gradient with a few window-like panels on the root window.
convert -size 1280x1024 gradient:'#23415e-#5b3f6e' \
  -fill '#ffffff22' -draw 'roundrectangle 120,140 760,620 12,12' \
  -fill '#00000055' -draw 'rectangle 0,994 1280,1024' "$work/desktop.png"
display -window root "$work/desktop.png" &
pids+=($!)

"$bin/vorlix-virtual-mouse" --socket "$VORLIX_VIRTUAL_MOUSE" serve >"$work/mouse.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -S "$VORLIX_VIRTUAL_MOUSE" ] && break; sleep 0.1; done

"$bin/VorlixMonitor" /Automation >"$work/monitor.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -q "monitor started" "$work/monitor.log" && break; sleep 0.1; done

# Waits until the notice window has shown picture ID, then captures the bottom of the screen.
shot() {
  local name="$1" id="$2"
  for _ in $(seq 100); do grep -q "osd shown $id\$" "$work/monitor.log" && break; sleep 0.1; done
  sleep 0.3
  import -window root -crop 560x260+360+764 +repage "$out/osd-$name.png"
  # Let the notice go, so the next one starts from a hidden window.
  for _ in $(seq 60); do sleep 0.1; done
}

mouse() { "$bin/vorlix-virtual-mouse" "$@"; }
mouse event 0xA2 2;          shot profile 302
mouse event 0xA3 1 32 32;    shot level 317
mouse event 0xA4 2;          shot report-rate 328
mouse event 0xA1 1;          shot lock 324
mouse event 0xA1 0;          shot unlock 325
mouse button 4;              shot back 320
mouse button 5;              shot forward 321
"$bin/vorlixctl" post "OSD Handle" osd 9 0;  shot normal 322
"$bin/vorlixctl" post "OSD Handle" osd 9 1;  shot battle 323
ls "$out"/osd-*.png
