#!/usr/bin/env bash
# Prints the wine loader: Debian's wine64 package puts it in its own folder,
# not on PATH; the wine package adds a wrapper on PATH.
set -euo pipefail
for candidate in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then
        echo "$candidate"
        exit 0
    fi
done
echo "find-wine.sh: no wine loader found (install wine64)" >&2
exit 1
