#!/usr/bin/env bash
# Bolvin in headless sway as on a Wayland session: on XWayland, its pop-ups untiled at the chosen
# corner, typed as notifications, the artwork window floating where it was left and moved exactly
# by keys and drags. Root reruns it as a plain user.
set -uo pipefail
bolvin=$1
shots=$2
for tool in sway swaymsg grim Xwayland xdotool xprop dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }; done
mkdir -p "$shots"
work=${SWAY_TEST_WORK:-$(mktemp -d /tmp/bolvin-sway.XXXXXX)}
if [ "$(id -u)" -eq 0 ]; then
  user=bolvin-sway
  id "$user" >/dev/null 2>&1 || useradd -m "$user" || { echo "cannot add user $user: skipped"; exit 77; }
  runuser -u "$user" -- true 2>/dev/null || { echo "$user can run nothing here (a private root?): skipped"; exit 77; }
  # The build may sit where that user cannot reach (root's home): it runs a copy, laid out as
  # the build is (resources and modules beside the program).
  build=$(dirname "$bolvin")
  mkdir -p "$work/app/lib" && cp "$bolvin" "$work/app/" && cp -r "$build/resources" "$work/app/" &&
    cp -r "$build/lib/bolvin" "$work/app/lib/" && cp "$0" "$(dirname "$0")/common.sh" "$work/" &&
    chown -R "$user" "$work" || { echo "cannot copy bolvin for $user: skipped"; exit 77; }
  runuser -u "$user" -- env -i PATH="$PATH" SWAY_TEST_WORK="$work" timeout 150 dbus-run-session -- \
    "$work/$(basename "$0")" "$work/app/bolvin" "$shots"; status=$?
  cp "$work"/*.png "$shots/"; rm -rf "$work"
  exit $status
fi

export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME/.config/Bolvin" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
source "$(dirname "$0")/common.sh"
printf 'xwayland enable\noutput HEADLESS-1 resolution 1280x800\n' >"$work/sway.conf"
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
sway_pid=$! pid=
trap '[ -n "$pid" ] && kill -9 "$pid"; kill "$sway_pid"; wait
  [ -n "${SWAY_TEST_WORK:-}" ] || { cp "$work"/*.png "$shots/"; rm -rf "$work"; }' EXIT
wait_for 20 eval 'ls "$XDG_RUNTIME_DIR"/wayland-? "$XDG_RUNTIME_DIR"/sway-ipc.*' || { echo "no sway: skipped"; exit 77; }
export WAYLAND_DISPLAY=$(basename "$XDG_RUNTIME_DIR"/wayland-?) SWAYSOCK=$(echo "$XDG_RUNTIME_DIR"/sway-ipc.*)
swaymsg exec "echo \$DISPLAY >$work/display" >/dev/null
wait_for 10 test -s "$work/display" || { echo "sway has no XWayland: skipped"; exit 77; }
export DISPLAY=$(cat "$work/display") XDG_SESSION_TYPE=wayland; unset QT_QPA_PLATFORM

# "X Y WIDTH HEIGHT" of each visible window of ours of a type: NOTIFICATION (pop-ups), UTILITY.
typed() {
  for w in $(xdotool search --onlyvisible --class bolvin 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q "= _NET_WM_WINDOW_TYPE_$1" || continue
    xdotool getwindowgeometry --shell "$w" | awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'
  done
}
popups() { typed NOTIFICATION; }
artwork_at() { [ "$(typed UTILITY | cut -d' ' -f1,2)" = "$1 $2" ]; }
settled() { local before; before=$(popups); sleep 0.3; [ -n "$before" ] && [ "$before" = "$(popups)" ]; }
# at_edges Left|Right Top|Bottom: each pop-up on that side, the nearest one at that end.
at_edges() {
  popups | awk -v side="$1" -v end="$2" '{ n++; ok += side == "Left" ? $1 <= 3 : $1 + $3 >= 1277
    if (n == 1 || $2 < top) top = $2; if ($2 + $4 > bottom) bottom = $2 + $4 }
    END { exit !(n && ok == n && (end == "Top" ? top <= 3 : bottom >= 797)) }'
}
# Pop-ups that scroll down start at the top, those that scroll up at the bottom.
for corner in "Left Top Down" "Right Bottom Up"; do
  set -- $corner; echo "== pop-ups at $1 $2"
  # The artwork window's place, in twips (15 a pixel): 200,100.
  printf '[StartUp]\nFirstRun=No\nXPos=%s\nYPos=%s\nDirection=%s\nShowDelay=10000\nFloatArtwork=1\nPosition=3000,1500\n' "$@" \
    >"$HOME/.config/Bolvin/Bolvin.conf"
  "$bolvin" --player sim >"$work/bolvin.log" 2>&1 & pid=$!
  wait_for 20 started || fail "bolvin did not start on XWayland: $(cat "$work/bolvin.log")"
  wait_for 5 settled && wait_for 5 at_edges "$1" "$2" || fail "pop-ups not at $1 $2 of 1280x800:"
  popups
  swaymsg -q "[instance=bolvin window_type=notification tiling] nop" && fail "sway tiled a pop-up"
  wait_for 5 swaymsg -q "[instance=bolvin window_type=utility floating] nop" || fail "the artwork window does not float"
  wait_for 5 artwork_at 200 100 || fail "the artwork window is not at its stored place: $(typed UTILITY)"
  # Ctrl+arrows move it a pixel a press.
  swaymsg -q "[instance=bolvin window_type=utility] focus" && xdotool key ctrl+Right ctrl+Right ctrl+Down
  wait_for 5 artwork_at 202 101 || fail "Ctrl+arrows did not move the artwork window: $(typed UTILITY)"
  xdotool mousemove 300 250 sleep 0.3 mousedown 1 sleep 0.3 mousemove 350 300 sleep 0.3 mouseup 1
  wait_for 5 artwork_at 252 151 || fail "a drag by 50,50 did not move the artwork window: $(typed UTILITY)"
  grim "$work/sway-popups-$1-$2.png" || fail "no screenshot"
  "$bolvin" --quit >/dev/null 2>&1
  wait_for 10 eval "! kill -0 $pid" || fail "bolvin did not end on --quit"; pid=
done
echo "== the options window floats at its own size"
printf '[StartUp]\nFirstRun=Yes\n' >"$HOME/.config/Bolvin/Bolvin.conf"
"$bolvin" --player sim >"$work/bolvin.log" 2>&1 & pid=$!
wait_for 20 swaymsg -q '[instance=bolvin title="^Bolvin$" floating] nop' || fail "the options window does not float"
size=$(xdotool search --onlyvisible --name '^Bolvin$' getwindowgeometry --shell 2>/dev/null | awk -F= '/WIDTH|HEIGHT/ { printf "%s ", $2 }')
[ -n "$size" ] && [ "${size%% *}" -lt 1280 ] || fail "the options window is stretched: $size"
grim "$work/sway-options.png" || fail "no screenshot"
"$bolvin" --quit >/dev/null 2>&1
wait_for 10 eval "! kill -0 $pid" || fail "bolvin did not end on --quit"; pid=
# Without XWayland it says once what that costs.
[ "$(env -u DISPLAY timeout 5 "$bolvin" --player sim 2>&1 | grep -c 'without XWayland')" = 1 ] || fail "no word on Wayland"
[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
