#!/usr/bin/env bash
# The real bolvin rating tracks in a real Rhythmbox on an X display with a session bus: the
# rating hotkeys change the playing track's rating in Rhythmbox's library, and Rhythmbox's
# own MPRIS metadata shows it. Then the extras of its library go out to a file and back in,
# into the library file while Rhythmbox is stopped and into Rhythmbox while it runs. Skipped where Rhythmbox (with its MPRIS plugin), sox,
# playerctl or dbus-send is missing.
set -uo pipefail
bolvin=$1
extras_tool=$2
source "$(dirname "$0")/common.sh"
needs_desktop rhythmbox playerctl sox dbus-send xdotool
ls /usr/lib/*/rhythmbox/plugins/mpris/*.plugin >/dev/null 2>&1 || { echo "no Rhythmbox MPRIS plugin: skipped"; exit 77; }

work=$(mktemp -d /tmp/bolvin-rhythmbox.XXXXXX)
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
# Settings live in memory, so nothing depends on a dconf service on the bus.
export GSETTINGS_BACKEND=memory
mkdir -p "$HOME/.config/Bolvin" "$XDG_RUNTIME_DIR" "$work/music" && chmod 700 "$XDG_RUNTIME_DIR"
printf '[StartUp]\nFirstRun=No\nEnableHotKey=1\nHotKeyMod=Ctrl\n' >"$HOME/.config/Bolvin/Bolvin.conf"
# The music folder is Rhythmbox's library location.
printf 'XDG_MUSIC_DIR="%s"\n' "$work/music" >"$HOME/.config/user-dirs.dirs"
pid= rb_pid=
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  [ -n "$rb_pid" ] && kill -9 "$rb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

tracks=("Morning Static|The Relays|Signal Hill" "Copper Wire|The Relays|Signal Hill")
for i in "${!tracks[@]}"; do
  IFS='|' read -r title artist album <<<"${tracks[$i]}"
  tone "$work/music/$i.ogg" "$title" "$artist" "$album" 120 $((300 + 100 * i))
done
first="file://$work/music/0.ogg"

# A call to a name nobody owns would have the bus start a Rhythmbox of its own, which then
# holds the name against the one the test starts: ask only the one that runs.
rhythmdb() {
  local method=$1; shift
  on_bus org.gnome.Rhythmbox3 >/dev/null 2>&1 || { echo "Rhythmbox's RhythmDB is not on the bus" >&2; return 1; }
  dbus-send --session --print-reply --dest=org.gnome.Rhythmbox3 /org/gnome/Rhythmbox3/RhythmDB \
    "org.gnome.Rhythmbox3.RhythmDB.$method" "$@"
}
in_library() { rhythmdb GetEntryProperties "string:$first"; }
# Every song of the library file is known to the running Rhythmbox: it loads its file in the
# background, and the import while it runs writes to each song the file names.
whole_library_up() {
  local location
  for location in $(awk -v RS='</entry>' '/<entry type="song">/ && match($0, /<location>[^<]*/) { print substr($0, RSTART + 10, RLENGTH - 10) }' \
      "$HOME/.local/share/rhythmbox/rhythmdb.xml"); do
    rhythmdb GetEntryProperties "string:$location" >/dev/null 2>&1 || return 1
  done
}
# The rating in stars as Rhythmbox's database holds it ("0" when unrated).
stars() { rhythmdb GetEntryProperties "string:$first" 2>/dev/null | awk '$2 == "\"rating\"" { getline; print $3; exit }'; }
stars_are() { [ "$(stars)" = "$1" ]; }
# playerctl prints the double as it travelled (0.20000000000000001).
mpris_rating() { playerctl -p rhythmbox metadata xesam:userRating 2>/dev/null; }
mpris_rating_is() { awk -v a="$(mpris_rating)" -v b="$1" 'BEGIN { exit !(a != "" && (a - b) ^ 2 < 1e-6) }'; }
# Rhythmbox writes its library file when it quits.
saved_stars_are() {
  awk -v RS='</entry>' -v location="<location>$first</location>" -v rating="<rating>$1</rating>" \
    'index($0, location) && index($0, rating) { found = 1 } END { exit !found }' "$HOME/.local/share/rhythmbox/rhythmdb.xml"
}
title_is() { [ "$(playerctl -p rhythmbox metadata xesam:title 2>/dev/null)" = "$1" ]; }

echo "== Rhythmbox starts, takes the first track into its library and plays it"
rhythmbox >"$work/rhythmbox.log" 2>&1 & rb_pid=$!
on_bus() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetNameOwner "string:$1"
}
wait_for 60 on_bus org.mpris.MediaPlayer2.rhythmbox || fail "Rhythmbox did not come on the bus within 60 s: $(tail -5 "$work/rhythmbox.log")"
# Its first-run import of the music folder is not always prompt; opening the file adds it.
# Rhythmbox may take an open request while still starting up and not act on it: ask again.
for _ in 1 2 3 4; do
  playerctl -p rhythmbox open "$first" 2>/dev/null
  wait_for 8 title_is "Morning Static" && break
done
title_is "Morning Static" || { fail "Rhythmbox did not play $first: $(tail -5 "$work/rhythmbox.log")"; exit 1; }
in_library >/dev/null 2>&1 || { fail "Rhythmbox has no library entry for $first"; exit 1; }

echo "== the rating hotkeys rate the playing track in Rhythmbox"
"$bolvin" --player mpris:rhythmbox >"$work/bolvin.log" 2>&1 & pid=$!
wait_for 20 started || fail "bolvin did not start: $(cat "$work/bolvin.log")"
# The hotkeys are registered once the player is attached; the first press may come early.
for _ in 1 2 3; do
  xdotool key ctrl+Prior
  wait_for 5 stars_are 1 && break
done
stars_are 1 || fail "rating up left $(stars) stars in Rhythmbox's library"
wait_for 5 mpris_rating_is 0.2 || fail "Rhythmbox's metadata shows rating $(mpris_rating)"
xdotool key ctrl+Prior
wait_for 5 stars_are 2 || fail "a second rating up left $(stars) stars"
xdotool key ctrl+Next
wait_for 5 stars_are 1 || fail "rating down left $(stars) stars"
wait_for 5 mpris_rating_is 0.2 || fail "Rhythmbox's metadata did not follow rating down"

# Quit as a user would, once its MPRIS plugin is up; a request during start-up may be lost.
quit_rhythmbox() {
  wait_for 60 on_bus org.mpris.MediaPlayer2.rhythmbox || fail "Rhythmbox's MPRIS name did not come back within 60 s"
  for _ in 1 2 3; do
    dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.rhythmbox /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit >/dev/null 2>&1
    wait_for 10 eval "! kill -0 $rb_pid" && break
  done
  kill -0 "$rb_pid" 2>/dev/null && fail "Rhythmbox did not quit"
  wait "$rb_pid" 2>/dev/null; rb_pid=
}

echo "== bolvin ends cleanly and leaves Rhythmbox playing; the rating is in Rhythmbox's library file"
"$bolvin" --quit >/dev/null 2>&1
wait_for 10 eval "! kill -0 $pid" || { fail "bolvin did not end on --quit"; kill -9 "$pid"; }
wait "$pid"; code=$?; pid=
[ "$code" = 0 ] || fail "exit code $code"
grep -qi 'segmentation\|abort\|runtime error' "$work/bolvin.log" && fail "crash output: $(cat "$work/bolvin.log")"
sleep 1
kill -0 "$rb_pid" 2>/dev/null || fail "Rhythmbox ended with bolvin"
quit_rhythmbox
saved_stars_are 1 || fail "Rhythmbox's library file does not hold the one-star rating"

echo "== its library's extras export, and import back while it is stopped and while it runs"
db="$HOME/.local/share/rhythmbox/rhythmdb.xml"
"$extras_tool" export rhythmbox "$db" "$work/extras.xml" >"$work/tool.log" 2>&1 || fail "export: $(cat "$work/tool.log")"
grep -q '<name>Morning Static</name>' "$work/extras.xml" || fail "the export lacks the rated track: $(cat "$work/extras.xml")"
grep -q '<rating>20</rating>' "$work/extras.xml" || fail "the export lacks the one-star rating"
# extras with NAME's rating set to RATING (0-100) and its play count to COUNT.
extras_with() {
  sed -e "s|<rating>[0-9]*</rating>|<rating>$1</rating>|" -e "s|<playedcount>[0-9]*</playedcount>|<playedcount>$2</playedcount>|" \
    "$work/extras.xml" >"$work/extras-$1.xml"
}
extras_with 100 9
"$extras_tool" import rhythmbox "$db" "$work/extras-100.xml" >"$work/tool.log" 2>&1 || fail "import into the file: $(cat "$work/tool.log")"
ls "$(dirname "$db")"/rhythmdb.before-import-*.xml >/dev/null 2>&1 || fail "no dated copy beside the library file"
saved_stars_are 5 || fail "the library file does not hold the imported five stars"
grep -q '<play-count>9</play-count>' "$db" || fail "the library file does not hold the imported play count"

# A Rhythmbox that ends at once (it found its old self still on the bus, say) is started again;
# one that runs without its library is a failure.
for _ in 1 2; do
  rhythmbox >>"$work/rhythmbox.log" 2>&1 & rb_pid=$!
  wait_for 60 whole_library_up && break
  kill -0 "$rb_pid" 2>/dev/null && break
  wait "$rb_pid"; echo "Rhythmbox ended with status $? before its library was up; starting it again"
done
whole_library_up || fail "Rhythmbox did not come back with its whole library within 60 s (running: \
$(kill -0 "$rb_pid" 2>/dev/null && echo yes || echo no); it asked: $(in_library 2>&1 | tail -2); log: $(tail -5 "$work/rhythmbox.log"))"
stars_are 5 || fail "Rhythmbox read $(stars) stars from its file, not the imported five"
extras_with 40 2
"$extras_tool" import rhythmbox "$db" "$work/extras-40.xml" >"$work/tool.log" 2>&1 || fail "import while running: $(cat "$work/tool.log")"
grep -q "Rhythmbox was running" "$work/tool.log" || fail "the import did not go to the running Rhythmbox: $(cat "$work/tool.log")"
stars_are 2 || fail "the running Rhythmbox holds $(stars) stars after the import"
quit_rhythmbox
saved_stars_are 2 || fail "Rhythmbox did not save the two stars imported while it ran"

echo "== ratings kept by Bolvin, for players that keep none, carry over into the stopped Rhythmbox's file"
extras_with 60 4
store="$work/bolvin/extras.sqlite"
"$extras_tool" import bolvin "$store" "$work/extras-60.xml" >"$work/tool.log" 2>&1 || fail "import into Bolvin's library: $(cat "$work/tool.log")"
"$extras_tool" export bolvin "$store" "$work/from-bolvin.xml" >"$work/tool.log" 2>&1 || fail "export of Bolvin's library: $(cat "$work/tool.log")"
"$extras_tool" import rhythmbox "$db" "$work/from-bolvin.xml" >"$work/tool.log" 2>&1 || fail "import of Bolvin's export: $(cat "$work/tool.log")"
saved_stars_are 3 || fail "Rhythmbox's library file does not hold the three stars Bolvin kept"

[ $failures -eq 0 ] && echo "all rhythmbox checks passed"
exit $(( failures > 0 ))
