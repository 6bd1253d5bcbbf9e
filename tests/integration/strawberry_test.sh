#!/usr/bin/env bash
# A real Strawberry's library database as a source of the extras transfer: Strawberry scans a
# music folder into its database, the extras export from it, and an import writes them back
# with a dated copy beside it, both while Strawberry is stopped and while it runs. Skipped
# where Strawberry, sqlite3, sox or dbus-send is missing.
set -uo pipefail
extras_tool=$1
source "$(dirname "$0")/common.sh"
needs_desktop strawberry sqlite3 sox dbus-send

work=$(mktemp -d /tmp/bolvin-strawberry.XXXXXX)
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/music" && chmod 700 "$XDG_RUNTIME_DIR"
sb_pid=
cleanup() { [ -n "$sb_pid" ] && kill -9 "$sb_pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

for i in 0 1; do
  tone "$work/music/$i.ogg" "Tone $i" "The Relays" "Signal Hill" 30 $((300 + 100 * i))
done
db="$HOME/.local/share/strawberry/strawberry/strawberry.db"
sql() { sqlite3 -cmd ".timeout 5000" "$db" "$1"; }
on_bus() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetNameOwner string:org.mpris.MediaPlayer2.strawberry >/dev/null 2>&1
}
start_strawberry() {
  strawberry >>"$work/strawberry.log" 2>&1 & sb_pid=$!
  wait_for 60 eval '[ -f "$db" ] && on_bus' || fail "Strawberry did not start within 60 s: $(tail -5 "$work/strawberry.log")"
}
quit_strawberry() {
  for _ in 1 2 3; do
    dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.strawberry /org/mpris/MediaPlayer2 \
      org.mpris.MediaPlayer2.Quit >/dev/null 2>&1
    wait_for 10 eval "! kill -0 $sb_pid" && break
  done
  kill -0 "$sb_pid" 2>/dev/null && { fail "Strawberry did not quit"; kill -9 "$sb_pid"; }
  wait "$sb_pid" 2>/dev/null; sb_pid=
}

echo "== Strawberry scans the music folder into its database"
start_strawberry
quit_strawberry
# The folder is registered before the next start, as Strawberry's own settings would.
sql "INSERT INTO directories (path, subdirs) VALUES ('$work/music', 1);"
start_strawberry
wait_for 30 eval '[ "$(sql "SELECT count(*) FROM songs;")" = 2 ]' || fail "Strawberry did not scan the folder"
quit_strawberry
sql "UPDATE songs SET rating = 0.6, playcount = 4, lastplayed = 1700000000 WHERE title = 'Tone 0';"

echo "== the extras export from its database"
"$extras_tool" export strawberry "$db" "$work/extras.xml" >"$work/tool.log" 2>&1 || fail "export: $(cat "$work/tool.log")"
grep -q '<name>Tone 0</name>' "$work/extras.xml" || fail "the export lacks the tracks: $(cat "$work/extras.xml")"
grep -q '<rating>60</rating>' "$work/extras.xml" || fail "the export lacks the three-star rating"
grep -q '<playedcount>4</playedcount>' "$work/extras.xml" || fail "the export lacks the play count"

# extras with every rating set to RATING (0-100) and every play count to COUNT.
extras_with() {
  sed -e "s|<rating>[0-9]*</rating>|<rating>$1</rating>|" -e "s|<playedcount>[0-9]*</playedcount>|<playedcount>$2</playedcount>|" \
    "$work/extras.xml" >"$work/extras-$1.xml"
}
echo "== an import writes them back, with a dated copy, while Strawberry is stopped"
extras_with 100 9
"$extras_tool" import strawberry "$db" "$work/extras-100.xml" >"$work/tool.log" 2>&1 || fail "import: $(cat "$work/tool.log")"
grep -q "Strawberry" "$work/tool.log" || fail "the completion message does not say when Strawberry shows the values"
ls "$(dirname "$db")"/strawberry.before-import-*.db >/dev/null 2>&1 || fail "no dated copy beside the database"
# holds TITLE RATING COUNT: the song's rating (0-1) and play count are these.
holds() { [ "$(sql "SELECT abs(rating - $2) < 1e-9 AND playcount = $3 FROM songs WHERE title = '$1';")" = 1 ]; }
holds "Tone 0" 1.0 9 ||
  fail "the database holds $(sql "SELECT rating, playcount FROM songs WHERE title = 'Tone 0';")"

echo "== and while it runs"
start_strawberry
extras_with 40 2
"$extras_tool" import strawberry "$db" "$work/extras-40.xml" >"$work/tool.log" 2>&1 || fail "import while running: $(cat "$work/tool.log")"
quit_strawberry
holds "Tone 1" 0.4 2 ||
  fail "after Strawberry quit the database holds $(sql "SELECT rating, playcount FROM songs WHERE title = 'Tone 1';")"
[ "$(sql "PRAGMA integrity_check;")" = ok ] || fail "the database is damaged"

[ $failures -eq 0 ] && echo "all strawberry checks passed"
exit $(( failures > 0 ))
