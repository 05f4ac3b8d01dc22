#!/bin/sh
# Renders the windows from the real code under a virtual X server into docs/screenshots/, one PNG per
# window or page. Each window family adds its renderer to the two lists below.
#   scripts/screenshots.sh                      build what is needed and render everything
#   BUILD_DIR=out scripts/screenshots.sh        use another build folder
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
out=$here/docs/screenshots

# Renderers: build targets that write their pictures into the folder they are given.
renderers="vorlix-dialog-shots vorlix-cfg-shots vorlix-macro-shots vorlix-firmware-shots"
render() {
    case " $renderers " in
        *" $1 "*) "$build/bin/$1" "$out" ;;
        *) echo "unknown renderer $1" >&2; return 1 ;;
    esac
}

if [ "${1:-}" = "--render" ]; then
    render "$2"
    exit $?
fi

command -v xvfb-run >/dev/null || { echo "xvfb-run is missing: apt-get install xvfb xauth" >&2; exit 1; }
[ -f "$build/build.ninja" ] || [ -f "$build/Makefile" ] || cmake -S "$here" -B "$build" -G Ninja
for target in $renderers; do
    cmake --build "$build" --target "$target"
done
mkdir -p "$out"
# Drawn at 96 dpi on a plain X screen with no window manager, as on an unscaled desktop; a person
# "answers" nothing here, every renderer closes its own windows.
export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 QT_ENABLE_HIGHDPI_SCALING=0 BUILD_DIR="$build"
unset VORLIX_UNATTENDED
for target in $renderers; do
    xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$0" --render "$target"
done
# The programs themselves, started as a user starts them: the configuration window's faces and the
# monitor's notices. Each runs its own virtual X server.
for target in VorlixDaze VorlixMonitor VorlixOsd vorlix-virtual-mouse; do
    cmake --build "$build" --target "$target"
done
"$here/scripts/screenshots-main.sh"
"$here/scripts/screenshots-osd.sh"
