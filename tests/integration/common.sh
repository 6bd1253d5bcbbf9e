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
# Clicks the tray icon with a button; the pointer must rest on it first, or the host drops it.
click_icon() {
  local icon; icon=$(icon_window) || return 1
  xdotool mousemove --window "$icon" 8 8; sleep 0.3; xdotool click "$1"
}
