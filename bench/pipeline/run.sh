#!/usr/bin/env bash
# Bolvin side by side with the classic Linux notification pipeline (mpv + mpv-mpris, a
# `playerctl --follow` loop feeding `notify-send`, dunst), in one run against the same mpv
# and the same tagged tones. Run by hand, never from ctest, on a private desktop:
#   ninja -C build bolvin pipeline_watch minimal_tray
#   scripts/with-desktop.sh bench/pipeline/run.sh [BUILD_DIR]        (default: build)
# Needs mpv, mpv-mpris, playerctl, sox, dunst (with dunstctl) and notify-send (libnotify-bin).
# Takes about five minutes: Bolvin's pop-ups are left to go by themselves between changes.
# Prints a table; the figures are from the X server's map events and the bus, stamped by
# pipeline_watch on one monotonic clock.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build}" && pwd)

[ -n "${DISPLAY:-}" ] && [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] ||
  { echo "no display or session bus: run it under scripts/with-desktop.sh"; exit 2; }
for tool in mpv playerctl sox dunst dunstctl notify-send dbus-send python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 2; }
done
[ -f /usr/lib/mpv-mpris/mpris.so ] || { echo "missing mpv-mpris"; exit 2; }
for program in bolvin bench/pipeline/pipeline_watch bench/pipeline/minimal_tray; do
  [ -x "$build/$program" ] || { echo "missing $build/$program: ninja -C $build ${program##*/}"; exit 2; }
done

exec python3 "$here/pipeline_bench.py" "$build"
