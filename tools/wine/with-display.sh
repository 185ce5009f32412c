#!/usr/bin/env bash
# Runs a command with DISPLAY set to a virtual X display of its own (Xvfb,
# 1280x1024, 24 bits), started for the command and stopped after it. The
# command's exit status is passed on.
# With WINEPREFIX set, the prefix's wine server is stopped before and after
# the command: wine keeps one desktop per prefix, on the display of the
# program that started it, and the server outlives its last program for a
# few seconds. A program of a test run without a display (or on a display
# since stopped) would otherwise leave the next windowed program a desktop
# it cannot draw on. Windowed tests run alone, so no other program is cut off.
# usage: tools/wine/with-display.sh COMMAND [ARG]...
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: with-display.sh COMMAND [ARG]..." >&2; exit 2; }

# A free display number: no lock file and no socket for it yet.
display=
for number in $(seq 90 190); do
    if [ ! -e "/tmp/.X$number-lock" ] && [ ! -e "/tmp/.X11-unix/X$number" ]; then
        display=$number
        break
    fi
done
[ -n "$display" ] || { echo "with-display.sh: no free display" >&2; exit 1; }

Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.05
done
stop_wine_server() {
    [ -n "${WINEPREFIX:-}" ] || return 0
    local wine wineserver
    wine=$("$(dirname "$0")/find-wine.sh" 2>/dev/null) || return 0
    wineserver=$(dirname "$wine")/wineserver
    [ -x "$wineserver" ] || wineserver=$(command -v wineserver) || return 0
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w 2>/dev/null || true
}

stop_wine_server
status=0
DISPLAY=":$display" "$@" || status=$?
stop_wine_server
exit "$status"
