#!/usr/bin/env bash
# The real bolvin on the simulated player, driven as a user would on an X display with a
# tray host: a click on the icon brings the track pop-ups and the global hotkeys rate and
# skip tracks. Screenshots go to the folder given.
set -uo pipefail
bolvin=$1
shots=$2
library_dir=$3
key_grabber=$4
[ -n "${DISPLAY:-}" ] || { echo "no display: skipped"; exit 77; }
mkdir -p "$shots"

work=$(mktemp -d /tmp/bolvin-desktop.XXXXXX)
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME/.config/Bolvin" "$XDG_RUNTIME_DIR" "$work/library" && chmod 700 "$XDG_RUNTIME_DIR"
cp -r "$library_dir/." "$work/library/"
library="$work/library/iTunes Music Library.xml"
library_sum=$(sha1sum <"$library")
pid=
cleanup() { [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

source "$(dirname "$0")/common.sh"
# The rating the player's copy of the library file holds for a track name: the user's own
# file is never written.
rating_of() {
  python3 - "$HOME/.local/share/Bolvin/libraries" "$1" <<'PY'
import glob, plistlib, sys
copy = glob.glob(sys.argv[1] + '/*/iTunes Music Library.xml')[0]
tracks = plistlib.load(open(copy, 'rb'))['Tracks'].values()
print(next((t.get('Rating', 0) for t in tracks if t.get('Name') == sys.argv[2]), 'missing'))
PY
}
rating_is() { [ "$(rating_of "$1")" = "$2" ]; }
start() {
  "$bolvin" --player sim --library "$library" "$@" >"$work/bolvin.log" 2>&1 & pid=$!
  wait_for 20 started || fail "bolvin did not start: $(cat "$work/bolvin.log")"
}
stop() {
  "$bolvin" --quit >/dev/null 2>&1
  wait_for 10 eval "! kill -0 $pid" || { fail "bolvin did not end on --quit"; kill -9 "$pid"; }
  wait "$pid" 2>/dev/null; pid=
}

echo "== a click on the icon shows the track pop-ups"
printf '[StartUp]\nFirstRun=No\nPopUpWidth=4000\nPopUpHeight=2400\nShowDelay=10000\n' > "$HOME/.config/Bolvin/Bolvin.conf"
start
only_icon() { [ "$(xdotool search --onlyvisible --class bolvin 2>/dev/null | wc -l)" -eq 1 ]; }
if wait_for 10 icon_window; then
  # The playing track shows at the start (the icon and two pop-ups); a click takes them away
  # and the next brings them back.
  wait_for 10 at_least_visible 3 || fail "the playing track did not show at the start"
  click_icon_until 1 only_icon || fail "a click on the icon did not take the track pop-ups away"
  if click_icon_until 1 at_least_visible 3; then
    sleep 1
    at_least_visible 3 || fail "the track pop-ups went away within a second"
    import -window root "$shots/track-popups.png" 2>/dev/null
  else
    fail "no track pop-ups after a click on the icon"
  fi
else
  fail "no tray icon"
fi
stop

echo "== the hotkeys rate and skip tracks"
printf '[StartUp]\nFirstRun=No\nEnableHotKey=1\nHotKeyMod=Ctrl\n' > "$HOME/.config/Bolvin/Bolvin.conf"
start
sleep 1
xdotool key ctrl+Next            # rating down: "Harbour Lights" 100 -> 80
wait_for 10 rating_is "Harbour Lights" 80 || fail "rating down gave $(rating_of "Harbour Lights"), want 80"
xdotool key ctrl+Right           # next track: "Tide Tables", rated 80
sleep 0.5
xdotool key ctrl+Prior           # rating up: 80 -> 100
wait_for 10 rating_is "Tide Tables" 100 || fail "next then rating up gave $(rating_of "Tide Tables"), want 100"
xdotool key ctrl+p               # pause: now only play/pause acts
sleep 0.5
xdotool key ctrl+Next
sleep 3                          # longer than the player takes to save a change
rating_is "Tide Tables" 100 || fail "a rating hotkey acted while paused: $(rating_of "Tide Tables")"
xdotool key ctrl+p               # play again
sleep 0.5
xdotool key ctrl+Next            # 100 -> 80
wait_for 10 rating_is "Tide Tables" 80 || fail "after play again, rating down gave $(rating_of "Tide Tables"), want 80"

echo "== \"&Next Song\" in the tray menu advances, \"&Exit\" makes the player quit"
# The menu is driven by its keyboard accelerators, as a user without a mouse would.
open_menu || fail "the tray menu did not open"
xdotool key n                    # "&Next Song": "Lantern Walk", rated 60
sleep 0.5
xdotool key ctrl+Prior           # 60 -> 80, written by the player when it can
open_menu || fail "the tray menu did not open again"
xdotool key e                    # "&Exit": the player quits and saves at once
wait_for 10 eval "! kill -0 $pid" || { fail "\"&Exit\" did not end bolvin"; kill -9 "$pid"; }
wait "$pid" 2>/dev/null; pid=
rating_is "Lantern Walk" 80 || fail "the rating was not saved by the player quitting: $(rating_of "Lantern Walk")"
grep -qi 'segmentation\|abort\|runtime error' "$work/bolvin.log" && fail "crash output: $(cat "$work/bolvin.log")"

echo "== a hotkey another program holds is reported once, and the others still work"
"$key_grabber" 65 60 >"$work/grabber.log" 2>&1 & grabber=$!   # Ctrl+E
wait_for 5 grep -q grabbed "$work/grabber.log" || fail "the key grabber could not take Ctrl+E"
start
message_boxes() { xdotool search --onlyvisible --name '^Bolvin$' 2>/dev/null | wc -l; }
if wait_for 10 eval '[ "$(message_boxes)" -ge 1 ]'; then
  import -window root "$shots/hotkey-refused.png" 2>/dev/null
  box=$(xdotool search --onlyvisible --name '^Bolvin$' | head -1)
  xdotool windowfocus --sync "$box" 2>/dev/null; xdotool key Return
  sleep 1
  [ "$(message_boxes)" = 0 ] || fail "more than one refusal was reported"
else
  fail "no message about the refused hotkey"
fi
xdotool key ctrl+Next            # "Harbour Lights", first again, 80 -> 60: the others work
wait_for 10 rating_is "Harbour Lights" 60 || fail "rating down after a refusal gave $(rating_of "Harbour Lights"), want 60"
stop
kill "$grabber" 2>/dev/null; wait "$grabber" 2>/dev/null

[ "$(sha1sum <"$library")" = "$library_sum" ] || fail "the user's library file was changed"

[ $failures -eq 0 ] && echo "all desktop checks passed"
exit $(( failures > 0 ))
