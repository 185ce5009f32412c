#!/bin/sh
# wavedump.exe under wine with file names outside the ANSI code page (Chinese,
# Cyrillic, Greek): each must load, be named back in UTF-8 and be written as
# itself, exactly as an ASCII name of the same file would. wine's ANSI code
# page here is the Western one, so a program that took its arguments in it
# would get '?' for every such letter.
# Usage: unicode-names.sh WINE WAVEDUMP_EXE WAVE_FILE
set -u
wine=$1 wavedump=$2 wave=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# wine reads the Unix arguments and file names in the locale's encoding.
export LC_ALL=C.UTF-8
cd "$scratch" || exit 1

failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

# Runs wavedump.exe with the arguments given; its status in $status, its
# stdout in out, its stderr in err, both without the CR of wine's text mode.
# The lines that wine's ALSA driver adds on stderr when it finds no sound
# card are not the program's and are left out.
run() {
    "$wine" "$wavedump" "$@" >out.crlf 2>err.crlf
    status=$?
    tr -d '\r' <out.crlf >out
    tr -d '\r' <err.crlf | grep -v '^ALSA lib ' >err
}

same() { # FILE1 FILE2 WHAT
    cmp -s "$1" "$2" || { fail "$3 differs:"; diff "$1" "$2" | head -20; }
}

cp "$wave" plain.wav
run samples plain.wav
[ "$status" -eq 0 ] && [ "$(wc -l <out)" -eq 128 ] || { echo "samples of an ASCII name failed ($status):"; cat err; exit 1; }
cp out plain.samples
run info plain.wav
[ "$status" -eq 0 ] || { echo "info of an ASCII name failed:"; cat err; exit 1; }
sed 1d out >plain.info
run syx plain.wav --slot 97 -o plain.syx
[ "$status" -eq 0 ] || { echo "syx of an ASCII name failed:"; cat err; exit 1; }
run wav plain.wav -o plain-copy.wav
[ "$status" -eq 0 ] || { echo "wav of an ASCII name failed:"; cat err; exit 1; }
run send-syx plain.syx
cp out plain.send.out; cp err plain.send.err; plain_send_status=$status

for stem in 波形 Волна Κύμα; do
    cp "$wave" "$stem.wav"

    run samples "$stem.wav"
    [ "$status" -eq 0 ] || fail "samples $stem.wav: status $status: $(cat err)"
    same out plain.samples "samples $stem.wav"

    run info "$stem.wav"
    [ "$status" -eq 0 ] || fail "info $stem.wav: status $status: $(cat err)"
    [ "$(head -n 1 out)" = "file: $stem.wav" ] || fail "info $stem.wav names it '$(head -n 1 out)'"
    sed 1d out >info.rest
    same info.rest plain.info "info $stem.wav"

    run syx "$stem.wav" --slot 97 -o "dumps $stem/"
    [ "$status" -eq 0 ] || fail "syx $stem.wav -o folder: status $status: $(cat err)"
    [ -f "dumps $stem/097-$stem.syx" ] || fail "syx wrote $(ls "dumps $stem" 2>&1), not 097-$stem.syx"
    [ -f "dumps $stem/097-$stem.syx" ] && same "dumps $stem/097-$stem.syx" plain.syx "the dump of $stem.wav"

    run wav plain.wav -o "копия $stem.wav"
    [ "$status" -eq 0 ] || fail "wav -o 'копия $stem.wav': status $status: $(cat err)"
    [ -f "копия $stem.wav" ] && same "копия $stem.wav" plain-copy.wav "wav -o 'копия $stem.wav'" \
        || fail "wav did not write 'копия $stem.wav': $(ls)"

    # A file that is not there is named as it was given.
    run syx plain.wav "λείπει $stem.wav" --slot 97 -o missing.syx
    [ "$status" -eq 1 ] || fail "syx of a missing $stem file: status $status"
    grep -qxF "λείπει $stem.wav: Failed to open wave file. Make sure another application does not have it open." err \
        || fail "syx of a missing $stem file said: $(cat err)"
    run send-syx "λείπει $stem.syx"
    [ "$status" -eq 1 ] || fail "send-syx of a missing $stem file: status $status"
    grep -qxF "wavedump send-syx: cannot read 'λείπει $stem.syx': No such file or directory" err \
        || fail "send-syx of a missing $stem file said: $(cat err)"

    # With no synthesizer there, the bank goes as far as the ASCII one does.
    cp plain.syx "$stem.syx"
    run send-syx "$stem.syx"
    [ "$status" -eq "$plain_send_status" ] || fail "send-syx $stem.syx: status $status, $plain_send_status for plain.syx"
    same out plain.send.out "send-syx $stem.syx's stdout"
    same err plain.send.err "send-syx $stem.syx's stderr"
done
[ "$failed" -eq 0 ] && echo "all names passed"
exit $failed
