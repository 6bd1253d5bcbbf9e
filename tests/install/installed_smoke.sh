#!/usr/bin/env bash
# Checks an installed bolvin as a user meets it, on an X display with a tray host (run it
# under scripts/with-desktop.sh): it starts on the simulated player with its data found in
# the installed data folder, its icon appears in the tray, a click on the icon brings a
# track pop-up, the autostart entry names it, and --quit ends it with exit code 0.
# usage: installed_smoke.sh [BOLVIN]   (default /usr/bin/bolvin)
set -uo pipefail
bolvin=${1:-/usr/bin/bolvin}
[ -n "${DISPLAY:-}" ] || { echo "no display: run it under scripts/with-desktop.sh"; exit 2; }
[ -x "$bolvin" ] || { echo "no executable at $bolvin"; exit 2; }

work=$(mktemp -d /tmp/bolvin-installed.XXXXXX)
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME/.config/Bolvin" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
pid=
cleanup() { [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

source "$(dirname "$0")/../integration/common.sh"
dead() { ! kill -0 "$1" 2>/dev/null; }
# A visible window of ours bigger than the tray icon that is not the tray menu: with no
# options window open (not the first run), a track pop-up.
popup_visible() {
  local w
  for w in $(xdotool search --onlyvisible --class bolvin 2>/dev/null); do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "Bolvin menu" ] && continue
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
    [ "${WIDTH:-0}" -gt 64 ] && [ "${HEIGHT:-0}" -gt 64 ] && return 0
  done
  return 1
}

echo "== the modules are where the program loads them from"
[ -f "$(dirname "$bolvin")/../lib/bolvin/bolvin_sound.so" ] || fail "no sound module in $(dirname "$bolvin")/../lib/bolvin"
[ -f "$(dirname "$bolvin")/../lib/bolvin/bolvin_network.so" ] || fail "no network module in $(dirname "$bolvin")/../lib/bolvin"
[ -f "$(dirname "$bolvin")/../lib/bolvin/bolvin_print.so" ] || fail "no print module in $(dirname "$bolvin")/../lib/bolvin"

echo "== $bolvin --version"
version=$("$bolvin" --version 2>&1) || fail "--version failed: $version"
echo "$version"

# Not the first run, so no options window hides what is checked; "Run at startup" ticked,
# as the user would tick it.
printf '[StartUp]\nFirstRun=No\nStartup=1\n' > "$HOME/.config/Bolvin/Bolvin.conf"
echo "== starts on the simulated player"
"$bolvin" --player sim --speed 8 >"$work/bolvin.log" 2>&1 & pid=$!
wait_for 20 started || fail "did not start: $(cat "$work/bolvin.log")"
# The simulated player works on a copy of the sample library, which comes from the data
# folder: its presence shows the installed resources were found.
wait_for 10 test -f "$HOME/.local/share/Bolvin/library/iTunes Music Library.xml" \
  || fail "the sample library was not copied from the installed data folder"

# "Run at startup" is ticked, so the start writes the autostart entry, which must start this
# very executable.
autostart="$HOME/.config/autostart/bolvin.desktop"
want="Exec=\"$(cd "$(dirname "$bolvin")" && pwd -P)/bolvin\""
if wait_for 10 test -f "$autostart"; then
  grep -qxF "$want" "$autostart" || fail "autostart entry has $(grep '^Exec=' "$autostart"), want $want"
else
  fail "no autostart entry written"
fi

echo "== the tray icon and a pop-up on a click"
if wait_for 20 icon_window; then
  # The first track's pop-ups come by themselves; a click while they show would close them.
  wait_for 20 eval '! popup_visible' || fail "the first track's pop-ups never went away"
  click_icon_until 1 popup_visible || fail "no track pop-up after a click on the icon"
else
  fail "no tray icon"
fi

echo "== --quit ends it cleanly"
"$bolvin" --quit || fail "--quit was not answered"
if wait_for 10 dead "$pid"; then
  wait "$pid"; code=$?
  [ "$code" = 0 ] || fail "exit code $code after --quit"
else
  fail "still running 10 s after --quit"
fi
pid=
grep -qi 'segmentation\|abort\|runtime error' "$work/bolvin.log" && fail "crash output: $(cat "$work/bolvin.log")"

[ $failures -eq 0 ] && echo "installed bolvin passed"
exit $(( failures > 0 ))
