#!/usr/bin/env bash
# Starts the real bolvin under X with a tray host and checks the process lifecycle: one
# instance, a second start handing over to the first, a clean exit (asked, or ended by the
# system) that releases the lock, a crashed instance's lock taken over, and the first run
# showing the options window and the playing track at once (about 0.1-0.3 s; POPUP_LIMIT,
# 4 s by default, leaves room for a loaded machine and more for a sanitizer build).
set -uo pipefail
bolvin=$1
shots=$2
[ -n "${DISPLAY:-}" ] || { echo "no display: skipped"; exit 77; }
mkdir -p "$shots"

work=$(mktemp -d /tmp/bolvin-lifecycle.XXXXXX)
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME/.config/Bolvin" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
lock="$XDG_RUNTIME_DIR/bolvin.lock"
pids=()
cleanup() { for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done; rm -rf "$work"; }
trap cleanup EXIT

source "$(dirname "$0")/common.sh"
alive() { kill -0 "$1" 2>/dev/null; }
dead() { ! kill -0 "$1" 2>/dev/null; }
# Sets $code to the exit code of background child PID, waiting at most SECONDS for it
# (not in a subshell: only this shell can reap its children).
reap() {
  if wait_for "$2" dead "$1"; then wait "$1"; code=$?; else code=timeout; fi
}
shot() { import -window root "$shots/$1.png" 2>/dev/null; }

not_first_run() { printf '[StartUp]\nFirstRun=No\n' > "$HOME/.config/Bolvin/Bolvin.conf"; }

# A pop-up: a visible window of ours that is neither the options window nor the menu.
popup_shown() { xdotool search --onlyvisible --class bolvin getwindowname %@ 2>/dev/null | grep -qv '^Bolvin\( menu\)\?$'; }

echo "== first run shows the playing track and the options window, and asks nothing"
launched=$(date +%s%N)
"$bolvin" --player sim --speed 4 >"$work/first.log" 2>&1 & first=$!; pids+=($first)
wait_for "${POPUP_LIMIT:-4}" popup_shown || fail "no pop-up within ${POPUP_LIMIT:-4} s of the start"
echo "first pop-up after $(( ($(date +%s%N) - launched) / 1000000 )) ms"
wait_for 20 started || fail "first instance did not start"
wait_for 10 visible_window '^Bolvin$' || fail "the options window is not shown on the first run"
shot first-run-options
[ -z "$(ls -A "$HOME/.config/autostart" 2>/dev/null)" ] || fail "an autostart entry was written unasked"
grep -q '^FirstRun=No' "$HOME/.config/Bolvin/Bolvin.conf" || fail "FirstRun not stored as No"
"$bolvin" --quit || fail "--quit was not answered"
reap "$first" 10
[ "$code" = 0 ] || fail "first instance exit code $code after --quit"
[ ! -e "$lock" ] || fail "lock file left behind after a clean exit"

echo "== a second start opens the first one's window and ends"
not_first_run
"$bolvin" --player sim --speed 4 >"$work/one.log" 2>&1 & one=$!; pids+=($one)
wait_for 20 started || fail "instance did not start"
sleep 1   # let the tray host embed the icon before the picture
shot tray-running
visible_window '^Bolvin$' && fail "the options window is open before the second start"
"$bolvin" --player sim >"$work/two.log" 2>&1 & two=$!; pids+=($two)
reap "$two" 10
[ "$code" = 0 ] || fail "second instance exit code $code, want 0"
wait_for 10 visible_window '^Bolvin$' || fail "the running instance did not open its window"
shot second-start-window
alive "$one" || fail "the first instance died when the second started"

echo "== a second start during an import touches nothing of the user's"
# The sample library's extras with every rating at one star, made long by tracks the
# library does not have, so that the import is still under way when the second start comes.
extras="$work/extras.xml"
python3 - "$(dirname "$0")/../library/data/sample-library-export.xml" "$extras" <<'PY'
import re, sys
text = open(sys.argv[1], encoding='iso-8859-1').read()
text = re.sub(r'<rating>\d*</rating>', '<rating>20</rating>', text)
filler = ''.join('<track><name>Filler %d</name><artist>Nobody</artist><rating>80</rating><time>3:00</time></track>\n' % i
                 for i in range(600000))
open(sys.argv[2], 'w', encoding='iso-8859-1').write(text.replace('</library>', filler + '</library>'))
PY
library_copy="$HOME/.local/share/Bolvin/library/iTunes Music Library.xml"
harbour_rating() {
  python3 - "$library_copy" <<'PY'
import plistlib, sys
tracks = plistlib.load(open(sys.argv[1], 'rb'))['Tracks'].values()
print(next((t.get('Rating', 0) for t in tracks if t.get('Name') == 'Harbour Lights'), 'missing'))
PY
}
user_data() { find "$HOME/.config/Bolvin" "$HOME/.local/share/Bolvin" -type f -exec sha1sum {} + 2>/dev/null | sort; }
[ "$(harbour_rating)" = 100 ] || fail "the sample library's \"Harbour Lights\" is not at five stars: $(harbour_rating)"
# The Library page is the fifth; its import Start button the eighth stop of the tab chain.
options=$(xdotool search --onlyvisible --name '^Bolvin$' | head -1)
xdotool windowfocus --sync "$options" 2>/dev/null
for _ in 1 2 3 4; do xdotool key ctrl+Tab; sleep 0.2; done
for _ in 1 2 3 4 5 6 7 8; do xdotool key Tab; sleep 0.1; done
xdotool key space
if wait_for 10 visible_window '^Import Your Data$'; then
  xdotool type --delay 5 "$extras"; xdotool key Return
  wait_for 10 eval '! visible_window "^Import Your Data$"' || fail "the file dialog stayed open"
  before=$(user_data)
  "$bolvin" --player sim >"$work/during.log" 2>&1 & during=$!; pids+=($during)
  reap "$during" 10
  [ "$code" = 0 ] || fail "a second start during the import: exit code $code, want 0"
  [ "$(user_data)" = "$before" ] || fail "a second start during the import changed the user's files"
  [ "$(harbour_rating)" = 100 ] || fail "the import was over before the second start came: no test"
  wait_for 120 eval '[ "$(harbour_rating)" = 20 ]' || fail "the import did not reach the library: \"Harbour Lights\" at $(harbour_rating)"
  shot import-done
else
  fail "the import's file dialog did not open"
fi
alive "$one" || fail "the first instance died during the import"

echo "== a quit request ends it cleanly and releases the lock"
"$bolvin" --quit || fail "--quit was not answered"
reap "$one" 10
[ "$code" = 0 ] || fail "exit code $code after --quit"
[ ! -e "$lock" ] || fail "lock file left behind"
grep -qi 'segmentation\|abort\|runtime error' "$work/one.log" && fail "crash output: $(cat "$work/one.log")"

echo "== ended by the system, it shuts down as on Exit"
for signal in TERM HUP INT; do
  "$bolvin" --player sim >"$work/signal.log" 2>&1 & ended=$!; pids+=($ended)
  wait_for 20 started || fail "instance did not start"
  kill -"$signal" "$ended"
  reap "$ended" 10
  [ "$code" = 0 ] || fail "exit code $code after SIG$signal"
  [ ! -e "$lock" ] || fail "lock file left behind after SIG$signal"
done

echo "== a crashed instance's lock is taken over"
"$bolvin" --player sim >"$work/crash.log" 2>&1 & crash=$!; pids+=($crash)
wait_for 20 started || fail "instance did not start"
kill -9 "$crash"; wait "$crash" 2>/dev/null
[ -e "$lock" ] || fail "expected a stale lock after kill -9"
"$bolvin" --player sim >"$work/after.log" 2>&1 & after=$!; pids+=($after)
wait_for 20 started || fail "did not start over a stale lock"
sleep 0.5
alive "$after" || fail "refused to start over a stale lock: $(cat "$work/after.log")"
"$bolvin" --quit
reap "$after" 10
[ "$code" = 0 ] || fail "exit code $code"

echo "== \"&Exit\" in the tray menu ends it"
"$bolvin" --player sim --speed 4 >"$work/menu.log" 2>&1 & menu=$!; pids+=($menu)
wait_for 20 started || fail "instance did not start"
if wait_for 10 icon_window; then
  if open_menu; then sleep 0.3; shot tray-menu; else fail "the tray menu did not open"; fi
  xdotool key e
  reap "$menu" 10
  [ "$code" = 0 ] || fail "exit code $code after \"&Exit\""
  [ ! -e "$lock" ] || fail "lock file left behind after \"&Exit\""
  grep -qi 'segmentation\|abort\|runtime error' "$work/menu.log" && fail "crash output: $(cat "$work/menu.log")"
else
  echo "no tray icon embedded (no tray host?): menu check skipped"
  "$bolvin" --quit; reap "$menu" 10
fi

[ $failures -eq 0 ] && echo "all lifecycle checks passed"
exit $(( failures > 0 ))
