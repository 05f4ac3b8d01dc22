#!/usr/bin/env bash
# Installs the Debian packages the build, the programs and the tests need, where any is missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
  libhidapi-dev libudev-dev libsqlite3-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation2 fonts-comfortaa
  xvfb xauth
  desktop-file-utils appstream dpkg-dev file
  libglib2.0-dev libxi-dev libx11-dev dbus-daemon gsettings-desktop-schemas
  libevdev-dev libxcb1-dev dbus imagemagick
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
