#!/usr/bin/env bash
# Runs a command inside a private desktop: an Xvfb display, a tray host and a D-Bus
# session bus, all ended when the command ends. Uses a scratch HOME unless KEEP_HOME=1.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: with-desktop.sh COMMAND..."; exit 2; }

scratch=$(mktemp -d /tmp/bolvin-desktop.XXXXXX)
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
if [ "${KEEP_HOME:-0}" != 1 ]; then
  export HOME="$scratch/home"
  mkdir -p "$HOME"
fi
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME

pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# Xvfb picks a free display itself and tells us which: another X server on this machine,
# even one in a different root sharing the abstract socket names, cannot collide with it.
exec 3>"$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
display=$(head -n 1 "$scratch/display" 2>/dev/null)
[ -n "$display" ] || { echo "Xvfb did not start:"; cat "$scratch/xvfb.log"; exit 1; }
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb

trayer --edge top --align right --widthtype request --height 40 --SetDockType true >/dev/null 2>&1 &
pids+=($!)

timeout "${DESKTOP_TIMEOUT:-3600}" dbus-run-session -- "$@"
