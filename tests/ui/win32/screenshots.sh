#!/usr/bin/env bash
# Takes the desktop program's screenshots under wine on a display of its own
# and turns them into PNG files for a person to look at.
# usage: screenshots.sh WINE SCREENSHOTS_EXE OUTPUT_FOLDER
set -euo pipefail
wine=$1
program=$2
out=$3
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
cd "$out"
rm -f ./*.bmp
"$here/../../../tools/wine/with-display.sh" "$wine" "$program"
for bmp in ./*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png"
    rm "$bmp"
done
ls "$out"/*.png
