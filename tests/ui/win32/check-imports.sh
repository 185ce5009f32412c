#!/usr/bin/env bash
# Checks that a Windows program needs no DLL beyond the system's own (the
# program and the C++ runtime are linked in statically) and that it is built
# for the expected subsystem.
# usage: check-imports.sh OBJDUMP PROGRAM gui|console
set -euo pipefail
objdump=$1
program=$2
subsystem=$3

allowed="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll winmm.dll"
headers=$("$objdump" -p "$program")

failures=0
imports=$(printf '%s\n' "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:upper:]' '[:lower:]')
[ -n "$imports" ] || { echo "FAIL $program: no import table found"; exit 1; }
for dll in $imports; do
    if [[ " $allowed " == *" $dll "* ]]; then
        echo "ok   $dll"
    else
        echo "FAIL $dll is not a system DLL"
        failures=$((failures + 1))
    fi
done

case $subsystem in
    gui) expected="(Windows GUI)" ;;
    console) expected="(Windows CUI)" ;;
    *) echo "usage: check-imports.sh OBJDUMP PROGRAM gui|console" >&2; exit 2 ;;
esac
if grep -q "^Subsystem.*$expected" <<<"$headers"; then
    echo "ok   subsystem $expected"
else
    echo "FAIL subsystem is not $expected"
    failures=$((failures + 1))
fi
exit $((failures > 0))
