#!/bin/sh
# Runs a test on the X display when one answers, offscreen otherwise (where it skips).
if [ -n "$DISPLAY" ] && xdpyinfo >/dev/null 2>&1; then
    QT_QPA_PLATFORM=xcb
else
    QT_QPA_PLATFORM=offscreen
fi
export QT_QPA_PLATFORM
exec "$@"
