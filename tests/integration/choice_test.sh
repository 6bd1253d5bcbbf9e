#!/usr/bin/env bash
# Two mpv players on one desktop: Bolvin follows the one that starts playing, shows its
# track, and holds the one the user pins from the tray's "Player" submenu.
set -uo pipefail
bolvin=$1
shots=$2
mpris_plugin=/usr/lib/mpv-mpris/mpris.so
source "$(dirname "$0")/common.sh"
needs_desktop mpv playerctl sox
[ -f "$mpris_plugin" ] || { echo "no mpv-mpris: skipped"; exit 77; }
mkdir -p "$shots"

work=$(mktemp -d /tmp/bolvin-choice.XXXXXX)
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME/.config/Bolvin" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
printf '[StartUp]\nFirstRun=No\n' >"$HOME/.config/Bolvin/Bolvin.conf"
pid= pids=()
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

for name in "Alpha One" "Alpha Two" "Beta One" "Beta Two"; do
  tone "$work/${name%% *}/$name.ogg" "$name" "Test Band" "Test Album" 120 440
done

# A second mpv takes the bus name org.mpris.MediaPlayer2.mpv.instance<PID>.
start_mpv() {
  mpv --no-config --script="$mpris_plugin" --ao=null --no-video --idle=yes --no-terminal "$@" \
    >>"$work/mpv.log" 2>&1 & pids+=($!)
}
bus_name_of() { [ "$1" = 0 ] && echo mpv || echo "mpv.instance${pids[$1]}"; }
title_of() { playerctl -p "$(bus_name_of "$1")" metadata xesam:title 2>/dev/null; }
title_is() { [ "$(title_of "$1")" = "$2" ]; }
popup_shows() { [ -n "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]; }

echo "== bolvin follows the player that starts playing"
start_mpv "$work/Alpha/Alpha One.ogg" "$work/Alpha/Alpha Two.ogg"
wait_for 20 title_is 0 "Alpha One" || fail "the first mpv did not start: $(cat "$work/mpv.log")"
"$bolvin" --player mpris >"$work/bolvin.log" 2>&1 & pid=$!
wait_for 20 started || fail "bolvin did not start: $(cat "$work/bolvin.log")"
wait_for 10 icon_window || fail "no tray icon"
start_mpv --pause "$work/Beta/Beta One.ogg" "$work/Beta/Beta Two.ogg"
wait_for 20 title_is 1 "Beta One" || fail "the second mpv did not start: $(cat "$work/mpv.log")"
# The pause must have reached Bolvin before the other starts: while the followed player
# plays, another starting does not take over.
playerctl -p "$(bus_name_of 0)" pause
wait_for 5 eval '[ "$(playerctl -p "$(bus_name_of 0)" status 2>/dev/null)" = Paused ]' || fail "the first mpv did not pause"
sleep 0.5
playerctl -p "$(bus_name_of 1)" play
wait_for 10 popup_shows "^Beta One Test Band" || fail "no pop-up for the player that started playing"
import -window root "$shots/choice-followed.png" 2>/dev/null
open_menu || fail "the tray menu did not open"
xdotool key n                    # "&Next Song" goes to the active player
wait_for 10 title_is 1 "Beta Two" || fail "\"&Next Song\" did not reach the active player: $(title_of 1)"
title_is 0 "Alpha One" || fail "\"&Next Song\" moved the other player: $(title_of 0)"

echo "== a player pinned from the \"Player\" submenu holds"
open_menu || fail "the tray menu did not open again"
xdotool key Down Right           # the "Player" submenu, first entry: the first mpv
sleep 0.5
import -window root "$shots/choice-player-menu.png" 2>/dev/null
xdotool key Return
wait_for 5 grep -q '^Player=mpris:mpv$' "$HOME/.config/Bolvin/Bolvin.conf" ||
  fail "the choice was not stored: $(cat "$HOME/.config/Bolvin/Bolvin.conf")"
playerctl -p "$(bus_name_of 1)" pause
playerctl -p "$(bus_name_of 1)" play   # starting to play no longer takes over
sleep 1
open_menu || fail "the tray menu did not open a third time"
xdotool key n
wait_for 10 title_is 0 "Alpha Two" || fail "\"&Next Song\" did not reach the pinned player: $(title_of 0)"

"$bolvin" --quit >/dev/null 2>&1
wait_for 10 eval "! kill -0 $pid" || { fail "bolvin did not end on --quit"; kill -9 "$pid"; }
wait "$pid" 2>/dev/null; pid=
grep -qi 'segmentation\|abort\|runtime error' "$work/bolvin.log" && fail "crash output: $(cat "$work/bolvin.log")"

[ $failures -eq 0 ] && echo "all player choice checks passed"
exit $(( failures > 0 ))
