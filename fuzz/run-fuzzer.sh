#!/usr/bin/env bash
# Runs the WAV loader fuzzer for $FUZZ_SECONDS (default 60) seconds, seeded with
# the WAV fixtures that SoX and Python write. Exits non-zero when the fuzzer
# finds a crash, a broken invariant, a leak or an input that runs too long; the
# input is then left under BUILD_DIR/fuzz/artifacts.
# usage: FUZZ_SECONDS=N fuzz/run-fuzzer.sh BUILD_DIR
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: FUZZ_SECONDS=N $0 BUILD_DIR" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-60}
fuzzer="$build/bin/wave_loader_fuzzer"
work="$build/fuzz"

if [ ! -x "$fuzzer" ]; then
    echo "$0: $fuzzer is missing; build the target 'fuzz' first" >&2
    exit 2
fi

# The corpus stays between runs, so every run starts from what earlier ones found.
mkdir -p "$work/corpus" "$work/artifacts"
python3 "$source_dir/tests/fixtures/make_fixtures.py" "$work/seeds"

status=0
"$fuzzer" \
    -max_total_time="$seconds" \
    -timeout=5 \
    -rss_limit_mb=2048 \
    -dict="$source_dir/fuzz/wave.dict" \
    -artifact_prefix="$work/artifacts/" \
    -print_final_stats=1 \
    "$work/corpus" "$work/seeds" || status=$?

if [ "$status" -ne 0 ]; then
    echo "$0: the fuzzer failed (exit code $status); the input is in $work/artifacts" >&2
    exit "$status"
fi
