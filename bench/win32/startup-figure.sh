#!/usr/bin/env bash
# The start-up figure: how long after its process was created the desktop
# program has painted its main dialog under wine, beside a bare one-button
# dialog program in the same run. A figure to read, not a pass or fail: it
# fails only when a program does not report its first paint.
# usage: startup-figure.sh WINE PROBE_EXE BASELINE_EXE [RUNS]
set -euo pipefail
export LC_ALL=C
wine=$1
probe=$2
baseline=$3
runs=${4:-9}
here=$(cd "$(dirname "$0")" && pwd)

measure() {
    local program=$1 output
    output=$(timeout 60 "$wine" "$program" 2>/dev/null) || true
    tr -d '\r' <<<"$output" | sed -n 's/^painted //p'
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) exit 1; print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

run_all() {
    # Once each first, so that both find the wine server and the libraries warm.
    measure "$baseline" >/dev/null
    measure "$probe" >/dev/null
    local program_times=() baseline_times=() value
    for _ in $(seq "$runs"); do
        value=$(measure "$baseline"); [ -n "$value" ] && baseline_times+=("$value")
        value=$(measure "$probe"); [ -n "$value" ] && program_times+=("$value")
    done
    [ ${#program_times[@]} -eq "$runs" ] && [ ${#baseline_times[@]} -eq "$runs" ] || {
        echo "a program did not report its first paint (${#program_times[@]} and ${#baseline_times[@]} of $runs)" >&2
        exit 1
    }
    printf 'first paint after process start, median of %s runs under wine:\n' "$runs"
    printf '  harlix-wave-dump main dialog  %8.1f ms   (fastest %.1f; runs: %s)\n' \
        "$(printf '%s\n' "${program_times[@]}" | median)" "$(printf '%s\n' "${program_times[@]}" | sort -n | head -1)" \
        "${program_times[*]}"
    printf '  bare one-button dialog        %8.1f ms   (fastest %.1f; runs: %s)\n' \
        "$(printf '%s\n' "${baseline_times[@]}" | median)" "$(printf '%s\n' "${baseline_times[@]}" | sort -n | head -1)" \
        "${baseline_times[*]}"
}

if [ -z "${HWD_STARTUP_ON_DISPLAY:-}" ]; then
    HWD_STARTUP_ON_DISPLAY=1 exec "$here/../../tools/wine/with-display.sh" "$0" "$@"
fi
run_all
