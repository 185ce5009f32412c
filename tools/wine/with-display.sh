#!/usr/bin/env bash
# Runs a command with DISPLAY set to a virtual X display of its own (Xvfb,
# 1280x1024, 24 bits), started for the command and stopped after it. The
# command's exit status is passed on.
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
DISPLAY=":$display" "$@"
