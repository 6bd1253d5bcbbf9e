#!/usr/bin/env bash
# Installs the Debian 12 packages Bolvin needs to build, run and test, skipping the
# package manager entirely when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config git dbus dbus-x11 clang-format
  qt6-base-dev qt6-multimedia-dev libqt6sql6-sqlite libfreeimage-dev libxcb-keysyms1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils imagemagick trayer python3 xcompmgr
  mpv mpv-mpris playerctl sox ffmpeg
  desktop-file-utils appstream dpkg-dev file
  rhythmbox rhythmbox-plugins strawberry sqlite3
  dunst libnotify-bin systemd
  sway grim xwayland
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
echo 'man-db man-db/auto-update boolean false' | $sudo debconf-set-selections
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
