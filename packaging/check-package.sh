#!/usr/bin/env bash
# Installs the Debian package given on a machine the suite was never installed on, runs the installed
# programs from their installed paths, runs lintian (errors fail, warnings are shown) and removes the
# package again. Needs root (apt-get) and Xvfb.
#   packaging/check-package.sh build/packages/vorlix-daze_0.1.0_amd64.deb
set -euo pipefail
deb="$(realpath "$1")"
export DEBIAN_FRONTEND=noninteractive

fail() {
  echo "check-package: $*" >&2
  exit 1
}

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

# Waits up to 30 s for a command to succeed, checking every 0.2 s.
wait_for() {
  for _ in $(seq 150); do
    if "$@" >/dev/null 2>&1; then
      return 0
    fi
    sleep 0.2
  done
  return 1
}

echo "== lintian"
lintian_out="$work/lintian.txt"
lintian --fail-on error --tag-display-limit 0 "$deb" | tee "$lintian_out" || fail "lintian reports errors"

echo "== apt-get install"
apt-get install -y -qq "$deb"

echo "== installed files"
dpkg -L vorlix-daze | grep -E -i '(^|/)(tests?|bench|fuzz|corpus)(/|$)|firmware|\.state$' &&
  fail "the package holds test data"
rule=/usr/lib/udev/rules.d/70-vorlix-daze.rules
grep -q 'uaccess' "$rule" || fail "$rule grants no seat access"
cat "$rule"
desktop-file-validate /usr/share/applications/com.vorlix.VorlixDaze.desktop /etc/xdg/autostart/*.desktop 2>/dev/null ||
  desktop-file-validate /usr/share/applications/com.vorlix.VorlixDaze.desktop
appstreamcli validate --no-net /usr/share/metainfo/com.vorlix.VorlixDaze.metainfo.xml
[ -e /etc/fonts/conf.d/60-vorlix-daze-aliases.conf ] || fail "the font aliases are not in fontconfig's folder"

# A user of our own: fresh store, runtime folder and documents.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset LC_ALL LC_MESSAGES

echo "== vorlixctl --version"
version="$(/usr/bin/vorlixctl --version)"
echo "$version"
[[ "$version" == "vorlixctl (Vorlix Daze) "* ]] || fail "unexpected version line"

echo "== virtual mouse and vorlixctl dump"
socket="$XDG_RUNTIME_DIR/virtual-mouse.sock"
/usr/bin/vorlix-virtual-mouse --socket "$socket" serve &
mouse_pid=$!
wait_for test -S "$socket" || fail "the virtual mouse did not start"
VORLIX_VIRTUAL_MOUSE="$socket" /usr/bin/vorlixctl dump | tee "$work/dump.txt"
grep -q '^profile 1' "$work/dump.txt" || fail "dump shows no profile"

echo "== VorlixDaze under Xvfb"
setsid xvfb-run -a -s "-screen 0 1280x1024x24" env VORLIX_VIRTUAL_MOUSE="$socket" VORLIX_UNATTENDED=1 \
  /usr/bin/VorlixDaze >"$work/daze.log" 2>&1 &
display_pid=$!
if ! wait_for /usr/bin/vorlixctl store get "Process Handle"; then
  cat "$work/daze.log"
  fail "VorlixDaze did not publish its handle"
fi
echo "VorlixDaze published Process Handle $(/usr/bin/vorlixctl store get "Process Handle")"
kill -- "-$display_pid" 2>/dev/null || true
wait "$display_pid" 2>/dev/null || true
display_pid=""

echo "== German texts from the installed language files"
LANG=de_DE.UTF-8 /usr/bin/vorlixctl macro decode 04 70 06 86 F0
german="$(LANG=de_DE.UTF-8 /usr/bin/vorlixctl macro show NoSuchMacro 2>&1 || true)"
echo "$german"
[[ "$german" == *FEHLER* ]] || fail "the German language file was not found"

echo "== apt-get remove"
kill "$mouse_pid" 2>/dev/null || true
wait "$mouse_pid" 2>/dev/null || true
mouse_pid=""
apt-get remove -y -qq vorlix-daze
apt-get purge -y -qq vorlix-daze
for path in /usr/lib/vorlix-daze /usr/bin/vorlixctl /usr/bin/VorlixDaze "$rule" /etc/fonts/conf.d/60-vorlix-daze-aliases.conf; do
  [ ! -e "$path" ] && [ ! -L "$path" ] || fail "$path is left after removal"
done
echo "== package check passed"
