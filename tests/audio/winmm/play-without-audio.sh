#!/bin/sh
# wavedump.exe play under wine, which offers no audio device: it must end with
# status 1 and say why in the system's words, and write nothing on stdout.
# wine's own audio drivers add lines of their own on stderr; only the
# program's line is looked at.
# Usage: play-without-audio.sh WINE WAVEDUMP_EXE WAVE_FILE
set -u
wine=$1 wavedump=$2 wave=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$wine" "$wavedump" play "$wave" --seconds 0.1 >"$scratch/out" 2>"$scratch/err"
status=$?
tr -d '\r' <"$scratch/err" >"$scratch/err.lf"

failed=0
if [ "$status" -ne 1 ]; then
    echo "exit status $status, expected 1"
    failed=1
fi
if [ -s "$scratch/out" ]; then
    echo "unexpected output on stdout:"
    cat "$scratch/out"
    failed=1
fi
expected='Error: Failed to open the audio output. A device ID has been used that is out of range for your system.'
if ! grep -qxF "$expected" "$scratch/err.lf"; then
    echo "stderr lacks the line: $expected"
    echo "stderr was:"
    cat "$scratch/err.lf"
    failed=1
fi
exit $failed
