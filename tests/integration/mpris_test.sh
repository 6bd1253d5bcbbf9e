#!/usr/bin/env bash
# The real bolvin driving a real MPRIS player, mpv with its MPRIS plugin, on an X display
# with a tray host and a session bus: a track change brings the pop-up with mpv's tags, the
# tray menu drives mpv, and mpv quitting never takes Bolvin down; its return is followed.
set -uo pipefail
bolvin=$1
shots=$2
extras_tool=$3
mpris_plugin=/usr/lib/mpv-mpris/mpris.so
source "$(dirname "$0")/common.sh"
needs_desktop mpv playerctl sox xprop
[ -f "$mpris_plugin" ] || { echo "no mpv-mpris: skipped"; exit 77; }
mkdir -p "$shots"

work=$(mktemp -d /tmp/bolvin-mpris.XXXXXX)
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME/.config/Bolvin" "$XDG_RUNTIME_DIR" "$work/music" && chmod 700 "$XDG_RUNTIME_DIR"
printf '[StartUp]\nFirstRun=No\nEnableHotKey=1\nHotKeyMod=Ctrl\n' >"$HOME/.config/Bolvin/Bolvin.conf"
pid= mpv_pid= dunst_pid=
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  [ -n "$dunst_pid" ] && kill "$dunst_pid" 2>/dev/null
  [ -n "$mpv_pid" ] && kill -9 "$mpv_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Three tagged tones, long enough that mpv never moves on by itself during a check, and the
# cover beside them that mpv offers as the artwork.
tracks=("Morning Static|The Relays|Signal Hill" "Copper Wire|The Relays|Signal Hill" "Last Tram|Nora Quist|Night Lines")
files=()
for i in "${!tracks[@]}"; do
  IFS='|' read -r title artist album <<<"${tracks[$i]}"
  tone "$work/music/$i.ogg" "$title" "$artist" "$album" 120 $((300 + 100 * i))
  files+=("$work/music/$i.ogg")
done
convert -size 96x96 xc:darkorange "$work/music/cover.png" 2>/dev/null

title_now() { playerctl -p mpv metadata xesam:title 2>/dev/null; }
title_is() { [ "$(title_now)" = "$1" ]; }
status_is() { [ "$(playerctl -p mpv status 2>/dev/null)" = "$1" ]; }
start_mpv() {
  mpv --no-config --script="$mpris_plugin" --ao=null --no-video --idle=yes --no-terminal "${files[@]}" \
    >"$work/mpv.log" 2>&1 & mpv_pid=$!
  wait_for 20 title_is "Morning Static" || fail "mpv did not start playing: $(cat "$work/mpv.log")"
}
# The pop-up window whose name (its message on one line) matches.
popup_shows() { [ -n "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]; }
# Bolvin's windows larger than the tray icon: pop-ups and balloons.
big_windows() { for w in $(xdotool search --onlyvisible --class bolvin 2>/dev/null); do
  eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" && [ "${WIDTH:-0}" -gt 64 ] && echo "$w"; done; }
# Qt's balloon is the one tooltip among them.
balloon_up() { for w in $(big_windows); do xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q TOOLTIP && return 0; done; return 1; }

echo "== bolvin attaches to mpv and a track change shows its tags"
start_mpv
"$bolvin" --player mpris:mpv >"$work/bolvin.log" 2>&1 & pid=$!
wait_for 20 started || fail "bolvin did not start: $(cat "$work/bolvin.log")"
wait_for 10 icon_window || fail "no tray icon"
playerctl -p mpv next
wait_for 10 title_is "Copper Wire" || fail "mpv did not advance on playerctl next"
if wait_for 10 popup_shows "^Copper Wire The Relays Signal Hill"; then
  sleep 0.5
  import -window root "$shots/mpris-popup.png" 2>/dev/null
else
  fail "no pop-up naming \"Copper Wire\", \"The Relays\", \"Signal Hill\""
fi

echo "== the tray menu drives mpv"
open_menu || fail "the tray menu did not open"
xdotool key n                    # "&Next Song"
wait_for 10 title_is "Last Tram" || fail "\"&Next Song\" left mpv at \"$(title_now)\""
open_menu || fail "the tray menu did not open again"
# "&Pause" shares its accelerator with "&Previous Song": the key selects, Return chooses.
xdotool key p Return
wait_for 10 status_is Paused || fail "\"&Pause\" left mpv $(playerctl -p mpv status 2>&1)"
open_menu || fail "the tray menu did not open a third time"
import -window root "$shots/mpris-tray-menu.png" 2>/dev/null
xdotool key p Return             # "&Play"
wait_for 10 status_is Playing || fail "\"&Play\" left mpv $(playerctl -p mpv status 2>&1)"

echo "== mpv quitting leaves bolvin running; mpv coming back is attached again at once"
kill "$mpv_pid"; wait "$mpv_pid" 2>/dev/null; mpv_pid=
sleep 1
kill -0 "$pid" 2>/dev/null || fail "bolvin ended with mpv: $(cat "$work/bolvin.log")"
before=$(big_windows)
mpv --no-config --script="$mpris_plugin" --ao=null --no-video --idle=yes --no-terminal >"$work/mpv.log" 2>&1 & mpv_pid=$!
if wait_for 10 eval 'playerctl -l 2>/dev/null | grep -q "^mpv"'; then
  sleep 2
  [ -z "$(comm -13 <(sort <<<"$before") <(big_windows | sort))" ] || fail "an idle mpv, playing nothing, brought a pop-up"
else # mpv's own trouble, not Bolvin's: said, and the check left out
  echo "an idle mpv did not come up, so its check is skipped: $(cat "$work/mpv.log")"
fi
kill "$mpv_pid"; wait "$mpv_pid" 2>/dev/null; mpv_pid=
open_menu || fail "the tray menu did not open without mpv"
xdotool key p Return # "&Play": "Waiting for mpv to start."
wait_for 5 balloon_up || fail "no balloon said Bolvin waits for mpv"
start_mpv
wait_for 10 popup_shows "^Morning Static The Relays Signal Hill" || fail "no pop-up for mpv's track once it came back"
# Its balloon would stay ten seconds: mpv's coming takes it down.
wait_for 3 eval '! balloon_up' || fail "the balloon still says Bolvin waits for mpv"
open_menu || fail "the tray menu did not open after mpv came back"
xdotool key n
wait_for 10 title_is "Copper Wire" || fail "\"&Next Song\" after mpv came back left it at \"$(title_now)\""

echo "== mpv keeps no ratings: the rating hotkeys rate its track in Bolvin's own store, kept across a restart"
two_stars='^Copper Wire The Relays Signal Hill.*★★☆☆☆$'
# A key pressed before Bolvin has heard of the track change would rate the track before.
wait_for 10 popup_shows "^Copper Wire" && sleep 1
xdotool key ctrl+Prior; sleep 0.5; xdotool key ctrl+Prior
sleep 1
playerctl -p mpv next; wait_for 10 title_is "Last Tram" || fail "mpv did not advance"
playerctl -p mpv previous
wait_for 10 popup_shows "$two_stars" || fail "no pop-up with the two stars given: $(cat "$work/bolvin.log")"
"$bolvin" --quit >/dev/null 2>&1; wait "$pid"; pid=
[ -s "$HOME/.local/share/Bolvin/extras.sqlite" ] || fail "Bolvin's own store was not written"
"$bolvin" --player mpris:mpv >"$work/bolvin.log" 2>&1 & pid=$!
wait_for 20 popup_shows "$two_stars" || fail "the two stars were lost with the restart: $(cat "$work/bolvin.log")"

echo "== a track played past half its length gains one play in Bolvin's store, one skipped early none"
plays() { sqlite3 "$HOME/.local/share/Bolvin/extras.sqlite" \
  "SELECT play_count FROM tracks WHERE identity LIKE '%/$1.ogg'" 2>/dev/null; }
rate() {
  dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.mpv /org/mpris/MediaPlayer2 \
    org.freedesktop.DBus.Properties.Set string:org.mpris.MediaPlayer2.Player string:Rate "variant:double:$1" >/dev/null
}
back_to_copper_wire() { # mpv may miss a "previous" that comes while it loads a file
  playerctl -p mpv previous; wait_for 2 title_is "Copper Wire"
}
# Eight times faster: half of a 120 s tone is heard in under eight seconds.
rate 8
wait_for 12 eval '[ "$(plays 1)" = 1 ]' || fail "\"Copper Wire\" has $(plays 1) plays, not 1"
playerctl -p mpv next; wait_for 5 title_is "Last Tram" || fail "mpv did not advance"
sleep 0.5
back_to_copper_wire || back_to_copper_wire || fail "mpv did not go back"
wait_for 12 eval '[ "$(plays 1)" = 2 ]' || fail "\"Copper Wire\" played again has $(plays 1) plays, not 2"
[ -z "$(plays 2)" ] || [ "$(plays 2)" = 0 ] || fail "\"Last Tram\", skipped at once, has $(plays 2) plays"
rate 1
echo "== Bolvin's library exports what mpv's tracks were given, named by their tags"
"$extras_tool" export bolvin "$HOME/.local/share/Bolvin/extras.sqlite" "$work/from-mpv.xml" >"$work/tool.log" 2>&1 ||
  fail "export: $(cat "$work/tool.log")"
[[ $(tr -d ' \r\n' <"$work/from-mpv.xml") == *'<name>CopperWire</name><artist>TheRelays</artist><rating>40</rating><playedcount>2<'* ]] ||
  fail "the export lacks \"Copper Wire\" with its two stars and two plays: $(cat "$work/from-mpv.xml")"

echo "== chosen instead of the pop-ups, the desktop's notifications show the track, one replacing the last"
if command -v dunst >/dev/null && command -v dunstctl >/dev/null; then
  "$bolvin" --quit >/dev/null 2>&1; wait "$pid"; pid=
  printf 'DesktopNotifications=1\n' >>"$HOME/.config/Bolvin/Bolvin.conf"
  dunst >"$work/dunst.log" 2>&1 & dunst_pid=$!
  displayed() { [ "$(dunstctl count displayed 2>/dev/null)" = "$1" ]; }
  "$bolvin" --player mpris:mpv >"$work/bolvin.log" 2>&1 & pid=$!
  wait_for 20 started || fail "bolvin did not start again: $(cat "$work/bolvin.log")"
  # The track on at the start comes first; it is put away so the next one is seen arriving.
  wait_for 10 displayed 1 || fail "no notification for the track"
  dunstctl close-all
  playerctl -p mpv next
  wait_for 10 displayed 1 || fail "no notification for the next track"
  playerctl -p mpv previous
  wait_for 10 title_is "Copper Wire" || fail "mpv did not go back"
  sleep 1
  displayed 1 || fail "$(dunstctl count displayed) notifications on show, not one"
  popup_shows "^Copper Wire" && fail "a pop-up showed as well"
  dunstctl close-all
  history=$(dunstctl history 2>/dev/null)
  grep -q '"Copper Wire"' <<<"$history" && grep -q 'The Relays' <<<"$history" && grep -q 'Signal Hill' <<<"$history" ||
    fail "the notification does not name the track: $history"
  grep -q '"Last Tram"' <<<"$history" && fail "the last track's notification was not replaced: $history"
  kill "$dunst_pid" 2>/dev/null; dunst_pid=
else
  echo "no dunst: skipped"
fi

echo "== bolvin ends cleanly"
"$bolvin" --quit >/dev/null 2>&1
wait_for 10 eval "! kill -0 $pid" || { fail "bolvin did not end on --quit"; kill -9 "$pid"; }
wait "$pid"; code=$?; pid=
[ "$code" = 0 ] || fail "exit code $code"
grep -qi 'segmentation\|abort\|runtime error' "$work/bolvin.log" && fail "crash output: $(cat "$work/bolvin.log")"

[ $failures -eq 0 ] && echo "all mpris checks passed"
exit $(( failures > 0 ))
