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
