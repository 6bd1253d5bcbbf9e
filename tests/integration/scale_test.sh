#!/usr/bin/env bash
# The title pop-up at scale 1, 1.5 and 2, on a light desktop and on one whose settings portal
# asks for dark, before Bolvin starts or once its pop-up is up. Read from its pixels: no text
# reaches the window's edge, and the text stands out from its background, light on dark on
# the dark desktop, by at least 4.5:1.
# usage: scale_test.sh BOLVIN SCREENSHOT-FOLDER FAKE-SETTINGS-PORTAL
set -uo pipefail
bolvin=$1 shots=$2 portal=$3
source "$(dirname "$0")/common.sh"
needs_desktop xdotool import convert dbus-send
work=$(mktemp -d /tmp/bolvin-scale.XXXXXX)
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$shots" "$HOME/.config/Bolvin" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$work"' EXIT
printf '[StartUp]\nFirstRun=No\nPopArt=0\nStickyTitle=1\nPopUpWidth=4200\nPopUpHeight=2400\n' \
  >"$HOME/.config/Bolvin/Bolvin.conf"

# The track's pop-up, once it has stopped sliding in.
popup() {
  local w last= now
  for _ in $(seq 30); do
    w=$(xdotool search --onlyvisible --name '^Harbour Lights' 2>/dev/null | head -1)
    now=$(xdotool getwindowgeometry "$w" 2>/dev/null)
    [ -n "$w" ] && [ "$now" = "$last" ] && echo "$w" && return 0
    last=$now; sleep 0.3
  done
  return 1
}

# check PICTURE BAND SCHEME: prints what is wrong with the pop-up's pixels, nothing if all is well.
# A row's commonest colour is its background: the backgrounds are vertical gradients.
check() {
  convert "$1" -depth 8 txt:- | awk -F'[,:() ]+' -v band="$2" -v scheme="$3" '
    function contrast(a, b) { return a > b ? (a + 0.05) / (b + 0.05) : (b + 0.05) / (a + 0.05) }
    BEGIN { for (i = 0; i < 256; i++) { c = i / 255; lin[i] = c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ^ 2.4 } }
    NR > 1 {
      l = 0.2126 * lin[$3] + 0.7152 * lin[$4] + 0.0722 * lin[$5]
      L[$1, $2] = l; w = $1 + 1; h = $2 + 1
      if (++seen[$2, l] > most[$2]) { most[$2] = seen[$2, l]; bg[$2] = l }
    }
    END {
      # The frame lines, outer and inner, share one colour; the background runs between lo and hi.
      frame = L[0, int(h / 2)]; lo = 1; hi = 0
      for (y = 0; y < h; y++) if (contrast(bg[y], frame) > 1.05) { lo = bg[y] < lo ? bg[y] : lo; hi = bg[y] > hi ? bg[y] : hi }
      for (y = 1; y < h - 1; y++) for (x = 1; x < w - 1; x++) {
        if (x > band && y > band && x < w - 1 - band && y < h - 1 - band) continue
        l = L[x, y]; near = l < lo ? lo : l > hi ? hi : l
        if (contrast(l, near) > 1.3 && contrast(l, frame) > 1.3 && !edge++) printf "ink at %d,%d, within %d px of the edge; ", x, y, band
      }
      dark = scheme != "light"
      if (dark && hi > 0.1) printf "a light background (luminance %.2f) on a dark desktop; ", hi
      if (!dark && lo < 0.4) printf "a dark background (luminance %.2f) on a light desktop; ", lo
      # Text lines: runs of rows with a pixel darker (lighter, on a dark desktop) than the
      # row s background and unlike the frame; each line s strongest pixel against that background.
      for (y = int(h / 5); y < h - band; y++) {
        top = bg[y]
        for (x = band + 1; x < w - band; x++) if ((dark ? L[x, y] > top : L[x, y] < top) && contrast(L[x, y], frame) > 1.3) top = L[x, y]
        if (contrast(top, bg[y]) > 1.25) { best = contrast(top, bg[y]) > best ? contrast(top, bg[y]) : best; continue }
        if (best) { lines++; if (best < 4.5) printf "a text line above row %d has a contrast of %.1f:1; ", y, best }
        best = 0
      }
      if (!lines) printf "no %s text; ", dark ? "light" : "dark"
    }'
}

# late: a dark desktop whose portal answers once the pop-up is up.
for run in light:1 light:1.5 light:2 dark:1 dark:1.5 dark:2 late:1; do
  scheme=${run%:*} scale=${run#*:} name=scale-$scale-$scheme
  if [ $scheme != light ]; then
    "$portal" 1 "$([ $scheme = late ] && echo 2000)" >"$work/portal.log" 2>&1 & portal_pid=$!; pids+=($portal_pid)
    wait_for 5 eval 'dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner string:org.freedesktop.portal.Desktop | grep -q true' ||
      fail "$name: the fake portal did not start: $(cat "$work/portal.log")"
  fi
  QT_SCALE_FACTOR=$scale "$bolvin" --player sim >"$work/bolvin.log" 2>&1 & pid=$!
  # The playing track shows by itself at start.
  if w=$(popup) && { [ $scheme != late ] || sleep 2.5; } && import -window "$w" "$shots/$name.png"; then
    problems=$(check "$shots/$name.png" "$(awk -v s=$scale 'BEGIN { printf "%d", 3 * s + 0.5 }')" $scheme)
    [ -z "$problems" ] || fail "$name: $problems"
  else
    fail "$name: no pop-up: $(cat "$work/bolvin.log")"
  fi
  "$bolvin" --quit >/dev/null 2>&1
  wait_for 10 eval "! kill -0 $pid" || { fail "$name: bolvin did not end on --quit"; kill -9 $pid; }
  [ $scheme = light ] || { kill $portal_pid; wait $portal_pid 2>/dev/null; }
done
exit $((failures > 0))
