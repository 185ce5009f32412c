#!/usr/bin/env bash
# Runs each fuzzer (the WAV loader's, then the recording reader's) for
# $FUZZ_SECONDS (default 60) seconds, seeded with the WAV fixtures that SoX and
# Python write. Exits non-zero when a fuzzer finds a crash, a broken invariant,
# a leak or an input that runs too long; the input is then left under
# BUILD_DIR/fuzz/artifacts.
# usage: FUZZ_SECONDS=N fuzz/run-fuzzer.sh BUILD_DIR
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: FUZZ_SECONDS=N $0 BUILD_DIR" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-60}
work="$build/fuzz"

for name in wave_loader_fuzzer recording_fuzzer; do
    if [ ! -x "$build/bin/$name" ]; then
        echo "$0: $build/bin/$name is missing; build the target 'fuzz' first" >&2
        exit 2
    fi
done

# The seeds are the fixtures less the long recording, which its reader refuses
# from its header alone: as a seed it would only be 35 MB to copy and mutate.
mkdir -p "$work/artifacts"
python3 "$source_dir/tests/fixtures/make_fixtures.py" "$work/seeds"
find "$work/seeds" -name '*.wav' -size +1M -delete

for name in wave_loader_fuzzer recording_fuzzer; do
    # Each corpus stays between runs, so every run starts from what earlier ones found.
    corpus="$work/corpus"
    [ "$name" = wave_loader_fuzzer ] || corpus="$work/corpus-$name"
    mkdir -p "$corpus"
    status=0
    "$build/bin/$name" \
        -max_total_time="$seconds" \
        -timeout=5 \
        -rss_limit_mb=2048 \
        -dict="$source_dir/fuzz/wave.dict" \
        -artifact_prefix="$work/artifacts/$name-" \
        -print_final_stats=1 \
        "$corpus" "$work/seeds" || status=$?
    if [ "$status" -ne 0 ]; then
        echo "$0: $name failed (exit code $status); the input is in $work/artifacts" >&2
        exit "$status"
    fi
done
