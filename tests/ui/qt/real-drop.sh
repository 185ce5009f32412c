#!/usr/bin/env bash
# A WAV file dragged from another program onto the main window loads, as from
# a file manager: a real XDND drag on the virtual display that
# tools/wine/with-display.sh gives this script. The drag source ends its side
# of the drag at the drop, as small Qt tools do; asking it for the dropped
# data again would find it gone.
# usage: real-drop.sh PROGRAM DRAG_SOURCE WAV_FILE
set -euo pipefail
program=$1
drag_source=$2
wav=$3
work=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=xcb

"$program" >"$work/program.log" 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Harlix Wave Dump$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
# The picture lies 33 to 325 across and 146 to 252 down the window; a margin
# inside keeps its outline out of the comparison.
picture="270x90+$((X + 40))+$((Y + 152))"
sleep 0.5
import -window root -crop "$picture" "$work/before.png"

source_x=$((X + WIDTH + 40))
source_y=$((Y + HEIGHT + 40))
ASAN_OPTIONS=detect_leaks=0 "$drag_source" "$wav" "$source_x" "$source_y" >"$work/drag.log" 2>&1 &
source_pid=$!
timeout 20 xdotool search --sync --onlyvisible --name '^Drag source$' >/dev/null
sleep 0.3
xdotool mousemove $((source_x + 100)) $((source_y + 40)) sleep 0.2 mousedown 1
for step in 4 3 2 1 0; do
    xdotool mousemove $((X + 179 + step * 60)) $((Y + 199 + step * 40)) sleep 0.15
done
xdotool sleep 0.3 mouseup 1
for _ in $(seq 1 100); do
    kill -0 "$source_pid" 2>/dev/null || break
    sleep 0.1
done
kill "$source_pid" 2>/dev/null || true
wait "$source_pid" || { echo "the drag source says: $(cat "$work/drag.log")"; exit 1; }

# The picture shows the loaded wave within a few seconds.
for _ in $(seq 1 40); do
    sleep 0.1
    import -window root -crop "$picture" "$work/after.png"
    changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
    if [ "${changed%%.*}" -gt 2000 ] 2>/dev/null; then
        echo "the dropped file loaded: $changed pixels of the picture changed"
        exit 0
    fi
done
echo "the dropped file did not load: ${changed:-no} pixels of the picture changed"
cat "$work/program.log"
exit 1
