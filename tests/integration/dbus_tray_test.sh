#!/usr/bin/env bash
# The tray through D-Bus, as KDE and GNOME's AppIndicator extension show it: a display of
# its own with no XEmbed host, a StatusNotifierWatcher and dunst on a private session bus.
set -uo pipefail
bolvin=$1 watcher=$2
source "$(dirname "$0")/common.sh"
for tool in Xvfb dbus-run-session busctl dunst dunstctl xdotool python3; do
  command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }; done
if [ -z "${SNI_WORK:-}" ]; then # the private display and bus, then this script inside them
  export SNI_WORK=$(mktemp -d /tmp/bolvin-sni.XXXXXX) QT_QPA_PLATFORM=xcb
  export HOME="$SNI_WORK/home" XDG_RUNTIME_DIR="$SNI_WORK/runtime"
  mkdir -p "$HOME/.config/Bolvin" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$SNI_WORK/display" >/dev/null 2>&1 & xvfb=$!
  wait_for 10 test -s "$SNI_WORK/display" || fail "Xvfb did not start"
  DISPLAY=":$(head -1 "$SNI_WORK/display")" timeout 150 dbus-run-session -- "$0" "$@"; rc=$?
  kill "$xvfb"; rm -rf "$SNI_WORK"
  exit $(( rc | failures ))
fi

pids=()
trap 'kill "${pids[@]}" 2>/dev/null' EXIT
"$watcher" & watcher_pid=$!; pids+=($watcher_pid)
printf '[global]\nidle_threshold = 0\n' >"$SNI_WORK/dunstrc" # expire with nobody at the keyboard
dunst -config "$SNI_WORK/dunstrc" >"$SNI_WORK/dunst.log" 2>&1 & pids+=($!)
on_bus() { dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
  org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q true; }
wait_for 10 on_bus org.kde.StatusNotifierWatcher || fail "no watcher"
wait_for 10 on_bus org.freedesktop.Notifications || fail "no dunst: $(cat "$SNI_WORK/dunst.log")"

tip_has() { busctl --user get-property "$service" /StatusNotifierItem org.kde.StatusNotifierItem ToolTip | grep -q "$1"; }
click() { busctl --user call "$service" /StatusNotifierItem org.kde.StatusNotifierItem "$1" ii 8 8; }
visible() { [ -n "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]; }
# Clicks the menu entry labelled $1 through com.canonical.dbusmenu, as a tray host does.
click_entry() {
  local id=$(busctl --user --json=short -- call "$service" /MenuBar com.canonical.dbusmenu GetLayout iias 0 -1 0 |
    python3 -c 'import json, sys
def find(node):
    if node[1].get("label", {}).get("data") == sys.argv[1]: return node[0]
    return next((f for f in map(lambda c: find(c["data"]), node[2]) if f is not None), None)
print(find(json.load(sys.stdin)["data"][1]))' "$1")
  busctl --user call "$service" /MenuBar com.canonical.dbusmenu Event isvu "$id" clicked s "" 0 >/dev/null
}
# The bus name of the item registered last, if any: the fake watcher forgets none.
last_item() { busctl --user get-property org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
  org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems | sed -n 's#.*"\([^"/]*\)/[^"]*"$#\1#p'; }
start() {
  "$bolvin" "$@" >"$SNI_WORK/bolvin.log" 2>&1 & pid=$!; pids+=($pid)
  wait_for 20 eval '[ -n "$(last_item)" ] && [ "$(last_item)" != "${service:-}" ]' ||
    fail "no icon registered: $(cat "$SNI_WORK/bolvin.log")"
  service=$(last_item)
}
stop() { "$bolvin" --quit >/dev/null 2>&1; wait_for 10 eval "! kill -0 $pid" || fail "bolvin did not end on --quit"; }

echo "== the icon registers; its tooltip, menu and clicks work over D-Bus"
printf '[StartUp]\nFirstRun=No\nShowDelay=10000\n' >"$HOME/.config/Bolvin/Bolvin.conf"
start --player sim
wait_for 10 tip_has "Harbour Lights" || fail "no playing track in the tooltip"
click_entry "_Next Song" || fail "no \"&Next Song\" in the menu"
wait_for 10 tip_has "Tide Tables" || fail "\"&Next Song\" did not advance"
wait_for 10 at_least_visible 1 || fail "no track pop-ups for the new track"
click Activate # a left click: the pop-ups go
wait_for 5 eval '! at_least_visible 1' || fail "Activate did not take the track pop-ups away"
sleep 0.5
visible '^Jukebox$' && fail "the player's window showed unasked"
click Activate; click Activate # a double click: the player's window
wait_for 5 visible '^Jukebox$' || fail "a double Activate did not show the player's window"
sleep 1.5 # past Bolvin's wait for a tray host: one is there, so no window says otherwise
visible '^Bolvin$' && fail "Bolvin said there is no tray"
stop

echo "== balloons land in dunst, each in place of the last, and go when what they wait for comes"
start --player mpris:mpv
click_entry "_Show Bolvin" # connects first: "Connecting to mpv", then "Waiting for mpv to start."
wait_for 10 eval '[ "$(dunstctl count displayed)" -gt 0 ]' || fail "no balloon reached dunst"
sleep 1
[ "$(dunstctl count displayed)" = 1 ] || fail "$(dunstctl count displayed) balloons on show, not one"
mpris_plugin=/usr/lib/mpv-mpris/mpris.so
if command -v mpv >/dev/null && [ -f "$mpris_plugin" ]; then
  mpv --no-config --script="$mpris_plugin" --ao=null --no-video --idle=yes --no-terminal >/dev/null 2>&1 & pids+=($!)
  wait_for 5 eval '[ "$(dunstctl count displayed)" = 0 ]' || fail "the balloon stayed after mpv came"
else
  wait_for 35 eval '[ "$(dunstctl count displayed)" = 0 ]' || fail "a balloon stayed: $(dunstctl count)"
fi
dunstctl history | grep -q "Waiting for mpv to start." || fail "no balloon said Bolvin waits for mpv"
stop

echo "== started before the panel's tray, Bolvin moves its icon there once it comes"
kill "$watcher_pid"; wait_for 10 eval '! on_bus org.kde.StatusNotifierWatcher' || fail "the watcher did not go"
"$bolvin" --player sim >"$SNI_WORK/bolvin.log" 2>&1 & pid=$!; pids+=($pid)
wait_for 10 visible '^Bolvin$' || fail "without a tray, Bolvin's window did not open: $(cat "$SNI_WORK/bolvin.log")"
"$watcher" & pids+=($!)
service=
wait_for 20 eval '[ -n "$(last_item)" ]' || fail "the icon did not come to the tray: $(cat "$SNI_WORK/bolvin.log")"
service=$(last_item)
wait_for 10 tip_has "Bolvin" || fail "the icon in the tray is not Bolvin's"
visible '^Bolvin$' && fail "the window still says there is no tray"
stop

exit $(( failures > 0 ))
