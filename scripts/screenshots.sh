#!/usr/bin/env bash
# Takes the README's pictures: starts Bolvin on the simulated player on a private X display
# with a tray host and writes PNGs into docs/: the track pop-ups from each screen edge on a
# light and on a dark desktop at scale 1 and 2, the tray menu with "My Rating" open, every
# options page and the floating artwork window.
# Run it again whenever the look changes, and check the pictures in.
# usage: scripts/screenshots.sh [BOLVIN [FAKE-SETTINGS-PORTAL]]
#   (defaults: build/bolvin and the portal built beside it, which makes the desktop dark)
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bolvin=$(realpath "${1:-build/bolvin}")
portal=$(realpath "${2:-$(dirname "$bolvin")/tests/integration/fake_settings_portal}")
[ -x "$bolvin" ] || { echo "no executable at $bolvin: build it first"; exit 2; }
if [ -z "${BOLVIN_SHOTS_DESKTOP:-}" ]; then
  BOLVIN_SHOTS_DESKTOP=1 DESKTOP_TIMEOUT=900 exec scripts/with-desktop.sh "$0" "$bolvin" "$portal"
fi

docs="$root/docs"
mkdir -p "$docs"
work=$(mktemp -d /tmp/bolvin-shots.XXXXXX)
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
pid= portal_pid=
cleanup() { kill -9 $pid $portal_pid 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
source "$root/tests/integration/common.sh"
# A picture that could not be taken is reported, and the run ends in failure.
missed=0
miss() { echo "MISSED: $*"; missed=$((missed + 1)); }

read -r screen_w screen_h < <(xdotool getdisplaygeometry)
# Space kept around a cropped subject, so it is seen against the desktop.
margin=24
# Pop-ups a little bigger than the default, in twips, and sticky so they wait for the camera.
popup_size="PopUpWidth=4200\nPopUpHeight=2400\nStickyArt=1\nStickyTitle=1\n"

# wallpaper GRADIENT: a quiet one, so the pictures show where the screen's edges are.
wallpaper() {
  convert -size "${screen_w}x${screen_h}" gradient:"$1" "$work/wallpaper.png"
  display -window root "$work/wallpaper.png"
}
dusk='#3a4d66-#17202c'
wallpaper "$dusk"

# fresh_home [SETTINGS]: a new home whose settings hold SETTINGS (printf form); none means
# the first run.
fresh_home() {
  rm -rf "$HOME" && mkdir -p "$HOME/.config/Bolvin"
  [ $# -gt 0 ] && printf "[StartUp]\nFirstRun=No\n$1" > "$HOME/.config/Bolvin/Bolvin.conf"
  return 0
}
start() {
  "$bolvin" --player sim >"$work/bolvin.log" 2>&1 & pid=$!
  wait_for 20 started || { echo "bolvin did not start: $(cat "$work/bolvin.log")"; exit 1; }
}
stop() {
  "$bolvin" --quit >/dev/null 2>&1
  wait_for 10 eval "! kill -0 $pid" || kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null; pid=
}
# Prints "X Y W H" of each visible window of ours bigger than the tray icon.
windows() {
  local w
  for w in $(xdotool search --onlyvisible --class bolvin 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
    [ "${WIDTH:-0}" -gt 64 ] && [ "${HEIGHT:-0}" -gt 32 ] && echo "$X $Y $WIDTH $HEIGHT"
  done
  return 0
}
count_windows() { [ "$(windows | wc -l)" -ge "$1" ]; }
# Waits until the windows stop moving (a pop-up slides in over a few hundred ms).
settle() {
  local before after
  for _ in $(seq 20); do
    before=$(windows); sleep 0.4; after=$(windows)
    [ -n "$after" ] && [ "$before" = "$after" ] && return 0
  done
  return 1
}
# shoot NAME: the screen cropped to the visible windows plus a margin, at Qt's scale.
shoot() {
  local box
  box=$(windows | awk -v m=$margin -v s="${QT_SCALE_FACTOR:-1}" -v sw="$screen_w" -v sh="$screen_h" '
    NR == 1 { m *= s; l = $1; t = $2; r = $1 + $3; b = $2 + $4 }
    { if ($1 < l) l = $1; if ($2 < t) t = $2; if ($1 + $3 > r) r = $1 + $3; if ($2 + $4 > b) b = $2 + $4 }
    END { if (NR == 0) exit 1
          l -= m; t -= m; r += m; b += m
          if (l < 0) l = 0; if (t < 0) t = 0; if (r > sw) r = sw; if (b > sh) b = sh
          printf "%dx%d+%d+%d", r - l, b - t, l, t }') || { miss "nothing to shoot for $1"; return 1; }
  import -window root -crop "$box" +repage "$work/shot.png" && save "$work/shot.png" "$1"
}
# Small files: no metadata, the best compression.
save() {
  convert "$1" -strip -define png:compression-level=9 "$docs/$2.png"
  echo "docs/$2.png $(identify -format '%wx%h' "$docs/$2.png") $(($(stat -c %s "$docs/$2.png") / 1024)) KB"
}

echo "== the options pages (the first run shows the window)"
fresh_home
start
if wait_for 10 visible_window '^Bolvin$'; then
  options=$(visible_window '^Bolvin$' | head -1)
  xdotool windowfocus --sync "$options" 2>/dev/null
  for page in notification font hotkeys advanced library about; do
    sleep 0.5
    import -window "$options" "$work/shot.png" && save "$work/shot.png" "options-$page"
    xdotool key ctrl+Tab
  done
else
  miss "the options window did not show"
fi
stop

echo "== the track pop-ups from each edge, light and dark, at scale 1 and 2"
# SCHEME WALLPAPER; a desktop's settings portal is what tells Bolvin the desktop is dark.
while read -r scheme colours; do
  wallpaper "$colours"
  if [ "$scheme" = dark ]; then
    [ -x "$portal" ] || { miss "the dark pictures: no settings portal at $portal"; continue; }
    "$portal" 1 & portal_pid=$!
    wait_for 5 busctl --user status org.freedesktop.portal.Desktop || miss "the settings portal did not start"
  fi
  for scale in 1 2; do
    suffix=-$scheme$([ $scale = 1 ] || echo "-${scale}x")
    export QT_SCALE_FACTOR=$scale
    # NAME DIRECTION X-POSITION Y-POSITION; from the top on the left, clear of the tray.
    while read -r name direction xpos ypos; do
      fresh_home "${popup_size}Direction=$direction\nXPos=$xpos\nYPos=$ypos\n"
      start
      # The playing track shows by itself at start.
      if wait_for 20 icon_window && wait_for 10 count_windows 2 && settle; then
        shoot "popups-$name$suffix"
      else
        miss "no pop-ups for $name$suffix"
      fi
      stop
    done <<'EDGES'
up Up Right Bottom
down Down Left Top
left Left Right Bottom
right Right Left Bottom
EDGES
  done
  [ -n "$portal_pid" ] && kill "$portal_pid" && wait "$portal_pid" 2>/dev/null
  portal_pid=
done <<SCHEMES
light #f4f6f9-#cdd6e0
dark $dusk
SCHEMES
unset QT_SCALE_FACTOR
wallpaper "$dusk"

echo "== the tray menu with \"My Rating\""
fresh_home ""
start
# "My Rating" is enabled when a track starts: "&Next Song" starts one, and its pop-ups
# leave before the picture.
if open_menu && xdotool key n && sleep 1 && wait_for 20 eval '! count_windows 1' && open_menu; then
  # The first enabled entry is the submenu: the keyboard reaches it without aiming.
  xdotool key Down Right
  sleep 0.5
  shoot tray-menu-rating
else
  miss "the tray menu did not open"
fi
xdotool key Escape Escape
stop

echo "== the overview: pop-ups and the tray menu together"
fresh_home "${popup_size}Direction=Left\n"
start
# "&Next Song" starts a track, which brings its pop-ups and enables "My Rating".
if open_menu && xdotool key n && wait_for 10 count_windows 2 && settle && open_menu; then
  xdotool key Down Right
  sleep 0.5
  shoot overview
else
  miss "no overview"
fi
xdotool key Escape Escape
stop

echo "== the floating artwork window"
fresh_home "${popup_size}"
start
if wait_for 20 icon_window && wait_for 10 count_windows 2 && settle; then
  # The artwork pop-up is the one nearest the edge; a click on it brings the window.
  read -r x y w h < <(windows | sort -k2 -n -r | head -1)
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
  sleep 1
  # The pop-ups out of the way: a click on the icon closes them.
  click_icon_until 1 eval '! count_windows 2'
  settle || miss "the artwork window did not settle"
  shoot artwork-window
else
  miss "no pop-ups to click"
fi
stop
[ $missed -eq 0 ] && echo "all pictures taken"
exit $(( missed > 0 ))
