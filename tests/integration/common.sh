# Shared by the integration scripts: failure counting, bounded waits, and finding Bolvin's
# windows on the X display. Sourced, not run.

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# wait_for SECONDS COMMAND...: polls until the command succeeds; false on time-out.
wait_for() {
  local limit=$(( $1 * 10 )); shift
  for _ in $(seq "$limit"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
started() { [ -S "$XDG_RUNTIME_DIR/bolvin.socket" ]; }
visible_window() { xdotool search --onlyvisible --name "$1"; }
at_least_visible() { [ "$(xdotool search --onlyvisible --class bolvin 2>/dev/null | wc -l)" -ge "$1" ]; }
# The tray icon: the small window of ours that the tray host embedded.
icon_window() {
  for w in $(xdotool search --class bolvin 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
    [ "${WIDTH:-0}" -gt 0 ] && [ "$WIDTH" -le 64 ] && [ "$HEIGHT" -le 64 ] && { echo "$w"; return 0; }
  done
  return 1
}
# Clicks the tray icon with BUTTON until COMMAND... succeeds, at most three tries: while the
# tray host is still embedding the icon (slow under a sanitizer) a click can be lost. The
# pointer must rest on the icon first, or the host drops the click.
click_icon_until() {
  local button=$1 icon; shift
  for _ in 1 2 3; do
    wait_for 10 icon_window || return 1
    icon=$(icon_window)
    xdotool mousemove --window "$icon" 8 8 2>/dev/null; sleep 0.5; xdotool click "$button"
    wait_for 5 "$@" && return 0
  done
  return 1
}
# The tray menu, told from pop-ups (which may be showing too) by its window name.
menu_open() { [ -n "$(xdotool search --onlyvisible --name '^Bolvin menu$' 2>/dev/null)" ]; }
open_menu() { click_icon_until 3 menu_open; }
# needs_desktop TOOL...: skips the test (exit 77) without an X display and a session bus, or
# without any of the tools.
needs_desktop() {
  [ -n "${DISPLAY:-}" ] && [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || { echo "no display or session bus: skipped"; exit 77; }
  for tool in "$@"; do command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }; done
}
# tone FILE TITLE ARTIST ALBUM SECONDS HZ: a tagged Ogg tone for a player to play; skips the
# test when sox cannot make it. No audio is kept in the repository.
tone() {
  mkdir -p "$(dirname "$1")"
  printf 'TITLE=%s\nARTIST=%s\nALBUM=%s\n' "$2" "$3" "$4" >"$1.tags"
  sox -n -r 8000 -c 1 --comment-file "$1.tags" "$1" synth "$5" sine "$6" 2>/dev/null ||
    { echo "sox could not make test audio: skipped"; exit 77; }
  rm -f "$1.tags"
}
