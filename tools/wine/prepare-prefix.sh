#!/usr/bin/env bash
# Makes a wine prefix in which the Windows programs look and behave as on a
# Windows desktop: Tahoma and Marlett in its Fonts folder (wine does not take
# Debian's copies by itself, and dialogs come out wider in DejaVu), and
# windows managed by wine itself, since the test display runs no window
# manager (without it windows get no title bar and no focus).
# usage: tools/wine/prepare-prefix.sh PREFIX
set -euo pipefail
prefix=${1:?usage: prepare-prefix.sh PREFIX}
here=$(cd "$(dirname "$0")" && pwd)
wine=$("$here/find-wine.sh")
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$prefix/.hwd-ready" ]; then
    mkdir -p "$prefix"
    # No display is needed to make the prefix.
    DISPLAY= "$wine" wineboot --init >/dev/null 2>&1
    fonts=$prefix/drive_c/windows/Fonts
    mkdir -p "$fonts"
    for font in tahoma.ttf tahomabd.ttf marlett.ttf; do
        [ -f "/usr/share/wine/fonts/$font" ] && cp "/usr/share/wine/fonts/$font" "$fonts/"
    done
    DISPLAY= "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    "$(dirname "$wine")/wineserver" -w
    touch "$prefix/.hwd-ready"
fi
