#!/usr/bin/env bash
# Installs what is missing, builds Bolvin and starts it on the simulated player with the
# bundled sample library. Extra arguments go to bolvin (try --help).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting Bolvin on a private virtual desktop (see scripts/with-desktop.sh)."
  exec scripts/with-desktop.sh build/bolvin --player sim --speed 8 "$@"
fi
exec build/bolvin --player sim --speed 8 "$@"
