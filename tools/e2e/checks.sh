# The checks that run inside the test machine, after init.sh has plugged the
# gadget in. Each prints one PASS or FAIL line (a FAIL with what was seen
# below it); run_checks ends with "N passed, M failed".
#
# The cards, as init.sh sets them up:
#   0  VirMIDI: 4 devices of 16 subdevices, port IDs 0 to 63, never listed
#   1  the gadget's own side (f_midi), 2 subdevices: IDs 64 and 65
#   2  the USB MIDI interface on the host side, 2 subdevices: IDs 66 and 67
#   3  the loopback sound card: what is played on its device 0 comes out of
#      its device 1 (no MIDI device)
# What is sent to ID 66 arrives at the gadget's hw:1,0,0, ID 67 at hw:1,0,1.
# Once check_shared_port has loaded snd-seq-midi, each MIDI card also has a
# sequencer client of the card's name, one port per subdevice.

USB_PORT=66
USB_PORT_2=67
RECEIVER=hw:1,0,0
RECEIVER_2=hw:1,0,1
# A capture ends this long after the last byte; a send that has not ended
# after SEND_LIMIT_MS is killed and fails its check.
QUIET_MS=400
SEND_LIMIT_MS=15000
# A port that another program holds must fail at once: well before the 30 s
# that a send waits for a port, whatever the load on the machine that runs QEMU.
AT_ONCE_MS=5000
# A bank of all 32 user slots is 32 sends in one run.
BANK_LIMIT_MS=60000

# What a user outside the group audio is told: the 6 raw MIDI devices
# (midiC0D0 to midiC0D3, midiC1D0, midiC2D0) are kept from them.
NOTICE="6 MIDI devices here may not be opened by this user; members of the group 'audio' may"
NOTICE="$NOTICE (sudo usermod -aG audio \$USER, then log in again)"
NOT_LISTED="--port must be the ID of a port that 'wavedump ports' lists, got '$USB_PORT'"

EXPECTED_PORTS="64	f_midi
65	f_midi
66	Harlix MIDI Test Interface MIDI
67	Harlix MIDI Test Interface MIDI"

passed=0
failed=0

pass() {
    echo "PASS: $1"
    passed=$((passed + 1))
}

# fail NAME [DETAIL]...
fail() {
    echo "FAIL: $1"
    shift
    for detail in "$@"; do
        printf '%s\n' "$detail" | sed 's/^/    /'
    done
    failed=$((failed + 1))
}

byte_at() {
    od -An -tx1 -j "$2" -N 1 "$1" | tr -d ' \n'
}

# probe PORT COMMAND...: runs COMMAND under midi-probe, capturing on PORT ("-"
# for none) into /tmp/received, its stderr into /tmp/stderr; sets bytes,
# status, start_to_last_ms, last_to_exit_ms and total_ms. The command's own
# standard output is dropped: the probe's line comes last. Its time limit is
# SEND_LIMIT_MS, or probe_limit_ms when set.
probe() {
    port=$1
    shift
    bytes=0 status=none start_to_last_ms=-1 last_to_exit_ms=-1 total_ms=-1
    line=$(midi-probe "$port" /tmp/received "$QUIET_MS" "${probe_limit_ms:-$SEND_LIMIT_MS}" "$@" 2>/tmp/stderr \
        | tail -n 1)
    case "$line" in
    bytes=*) eval "$line" ;;
    *) echo "probe: $line $(cat /tmp/stderr)" >/tmp/stderr ;;
    esac
}

timing() {
    echo "TIME: $1: start to last byte ${start_to_last_ms} ms, last byte to exit ${last_to_exit_ms} ms," \
        "whole ${total_ms} ms"
}

# As a user of the machine: player is in the group audio, outsider is not.
as_user() {
    user=$1
    shift
    su -s /bin/sh "$user" -c "$*"
}

# amidi -l's output ports in wavedump's form, VirMIDI's left out: one line per
# subdevice, the device's name for each of "(N subdevices)".
amidi_output_ports() {
    amidi -l | awk '
        NR > 1 && $1 ~ /O/ && $0 !~ /Virtual Raw MIDI/ {
            name = substr($0, index($0, $3))
            count = 1
            if (match(name, / \([0-9]+ subdevices\)$/)) {
                count = substr(name, RSTART + 2) + 0
                name = substr(name, 1, RSTART - 1)
            }
            for (i = 0; i < count; i++) print name
        }'
}

check_ports() {
    out=$(wavedump ports 2>/tmp/stderr)
    code=$?
    if [ $code -eq 0 ] && [ "$out" = "$EXPECTED_PORTS" ] && [ ! -s /tmp/stderr ]; then
        pass "ports lists the gadget's and the USB interface's ports from ID 64, no VirMIDI port"
    else
        fail "ports lists the gadget's and the USB interface's ports from ID 64, no VirMIDI port" \
            "exit $code" "$out" "$(cat /tmp/stderr)"
    fi

    names=$(printf '%s\n' "$out" | cut -f2-)
    if [ "$names" = "$(amidi_output_ports)" ]; then
        pass "amidi -l names the same output ports, apart from VirMIDI"
    else
        fail "amidi -l names the same output ports, apart from VirMIDI" "$(amidi -l)"
    fi
}

# The smallest of the numbers given; -1 counts as missing unless all are.
fastest() {
    printf '%s\n' "$@" | sort -n | awk '$1 >= 0 { print; found = 1; exit } END { if (!found) print -1 }'
}

# figure TEXT OURS THEIRS MAX_RATIO MAX_EXTRA_MS: one FIGURE line with the
# ratio and the difference of two times in ms, and whether ours is within the
# target: at most MAX_RATIO times theirs, or at most MAX_EXTRA_MS more ("-" for
# the target not set).
figure() {
    awk -v text="$1" -v ours="$2" -v theirs="$3" -v ratio="$4" -v extra="$5" 'BEGIN {
        met = ours >= 0 && theirs > 0
        if (ratio != "-") { target = sprintf("at most %s times", ratio); met = met && ours <= theirs * ratio }
        if (extra != "-") { target = sprintf("at most %s ms more", extra); met = met && ours <= theirs + extra }
        verdict = met ? "met" : "MISSED"
        printf "FIGURE: %s: ratio %.2f, difference %d ms (target %s) %s\n", \
            text, (theirs > 0 ? ours / theirs : 0), ours - theirs, target, verdict
    }'
}

# What wavedump costs beside the tool every Linux user has: the listing against
# amidi -l, and a send from its start to its last byte against amidi -s of the
# same dump. Each is run five times in turns and the fastest run counts: the
# emulated machine shares its host, whose other work only ever adds time.
# Figures, not checks, for the same reason.
figure_speed() {
    ports_ms= amidi_ms=
    for round in 1 2 3 4 5; do
        probe - wavedump ports
        ports_ms="${ports_ms:+$ports_ms }$total_ms"
        probe - amidi -l
        amidi_ms="${amidi_ms:+$amidi_ms }$total_ms"
    done
    ours=$(fastest $ports_ms)
    theirs=$(fastest $amidi_ms)
    figure "listing: wavedump ports $ours ms ($ports_ms), amidi -l $theirs ms ($amidi_ms)" "$ours" "$theirs" 1.2 -

    send_ms= amidi_ms=
    for round in 1 2 3 4 5; do
        probe "$RECEIVER" wavedump send /data/saw.wav --slot 97 --port "$USB_PORT"
        [ "$bytes" = 300 ] || start_to_last_ms=-1
        send_ms="${send_ms:+$send_ms }$start_to_last_ms"
        probe "$RECEIVER" amidi -p "hw:$HOST_CARD,0,0" -s /tmp/97.syx
        [ "$bytes" = 300 ] || start_to_last_ms=-1
        amidi_ms="${amidi_ms:+$amidi_ms }$start_to_last_ms"
    done
    ours=$(fastest $send_ms)
    theirs=$(fastest $amidi_ms)
    figure "send, start to last byte: wavedump send $ours ms ($send_ms), amidi -s $theirs ms ($amidi_ms)" \
        "$ours" "$theirs" - 50
}

# check_send NAME RECEIVER EXPECTED_FILE SLOT_BYTE COMMAND...
check_send() {
    name=$1 receiver=$2 expected=$3 slot_byte=$4
    shift 4
    probe "$receiver" "$@"
    timing "$name"
    if [ "$status" = 0 ] && [ "$bytes" = 300 ] && cmp -s /tmp/received "$expected" \
        && [ "$(byte_at /tmp/received 5)" = "$slot_byte" ] && [ ! -s /tmp/stderr ]; then
        pass "$name"
    else
        fail "$name" "exit $status, $bytes bytes, byte 5 $(byte_at /tmp/received 5)" "$(cat /tmp/stderr)" \
            "$(od -An -tx1 /tmp/received | head -n 3)"
    fi
}

check_sends() {
    for case in "97 60 saw" "100 63 sine" "128 7f square"; do
        set -- $case
        wavedump syx "/data/$3.wav" --slot "$1" -o "/tmp/$1.syx"
        check_send "send of $3.wav to slot $1 arrives as syx wrote it (byte 5 0x$2)" "$RECEIVER" "/tmp/$1.syx" "$2" \
            wavedump send "/data/$3.wav" --slot "$1" --port "$USB_PORT"
    done
    check_send "send to the interface's second port arrives on its second cable" "$RECEIVER_2" /tmp/97.syx 60 \
        wavedump send /data/saw.wav --slot 97 --port "$USB_PORT_2"
    check_send "send-syx of a file written by syx" "$RECEIVER" /tmp/100.syx 63 \
        wavedump send-syx /tmp/100.syx --port "$USB_PORT"
}

# A bank: each file its own send to the next slot, all of them arriving whole
# and in order on the far side, as syx writes the same files as one bank.
check_bank_send() {
    wavedump syx /data/saw.wav /data/sine.wav /data/square.wav --slot 110 -o /tmp/bank.syx
    for command in send send-syx; do
        if [ "$command" = send ]; then
            name="a bank send of three files arrives whole and in order (slot bytes 6d 6e 6f)"
            probe "$RECEIVER" wavedump send /data/saw.wav /data/sine.wav /data/square.wav --slot 110 \
                --port "$USB_PORT"
        else
            name="send-syx of the bank that syx wrote for the same files arrives whole and in order"
            probe "$RECEIVER" wavedump send-syx /tmp/bank.syx --port "$USB_PORT"
        fi
        timing "$name"
        slots="$(byte_at /tmp/received 5) $(byte_at /tmp/received 305) $(byte_at /tmp/received 605)"
        if [ "$status" = 0 ] && [ "$bytes" = 900 ] && cmp -s /tmp/received /tmp/bank.syx \
            && [ "$slots" = "6d 6e 6f" ] && [ ! -s /tmp/stderr ]; then
            pass "$name"
        else
            fail "$name" "exit $status, $bytes bytes, slot bytes $slots" "$(cat /tmp/stderr)"
        fi
    done
}

# All 32 user slots, each its own wave: a bank send arrives as syx writes the
# bank, and takes no longer than 32 single sends. Then a player's run that the
# port stops part way (its device made the root's alone) says where to resume,
# and the run resumed with --from delivers the rest: every byte of the bank
# arrives once, in order.
check_bank_resume() {
    mkdir -p /tmp/waves
    files=""
    for slot in $(seq 97 128); do
        wavedump wav /data/saw.wav --op random-pd --seed "$slot" -o "/tmp/waves/$slot.wav"
        files="$files /tmp/waves/$slot.wav"
    done
    wavedump syx $files --slot 97 -o /tmp/bank32.syx
    single_ms=0
    for run in 1 2 3 4; do
        probe "$RECEIVER" wavedump send /tmp/waves/97.wav --slot 97 --port "$USB_PORT"
        single_ms=$((single_ms + total_ms))
    done
    single_ms=$((single_ms / 4))
    probe_limit_ms=$BANK_LIMIT_MS
    probe "$RECEIVER" wavedump send $files --slot 97 --port "$USB_PORT"
    bank_ms=$total_ms
    echo "TIME: a 32-dump send ${bank_ms} ms; 32 single sends of ${single_ms} ms each $((32 * single_ms)) ms;" \
        "ratio $(awk -v a="$bank_ms" -v b="$((32 * single_ms))" 'BEGIN { printf "%.3f", a / b }') (goal: at most 1.05)"
    name="a 32-dump send arrives as syx wrote the bank, within 32 single sends' time and 5%"
    if [ "$status" = 0 ] && [ "$bytes" = 9600 ] && cmp -s /tmp/received /tmp/bank32.syx && [ ! -s /tmp/stderr ] \
        && [ $((bank_ms * 100)) -le $((32 * single_ms * 105)) ]; then
        pass "$name"
    else
        fail "$name" "exit $status, $bytes bytes after $bank_ms ms" "$(cat /tmp/stderr)"
    fi

    send_bank="wavedump send $files --slot 97 --port $USB_PORT"
    (usleep $((bank_ms * 1000 / 3)) && chmod 600 /dev/snd/midiC2D0) &
    stopper=$!
    probe "$RECEIVER" su -s /bin/sh player -c "$send_bank"
    wait $stopper
    chmod 660 /dev/snd/midiC2D0
    cp /tmp/received /tmp/first-part
    first="exit $status, $bytes bytes: $(cat /tmp/stderr)"
    first_status=$status
    refusal=$(head -n 1 /tmp/stderr)
    resume_line='s/^wavedump send: \([0-9]*\) of 32 dumps sent; stopped at slot \([0-9]*\); resume with --from \2$/\1 \2/p'
    stop=$(sed -n "$resume_line" /tmp/stderr)
    set -- $stop 0 0
    probe "$RECEIVER" su -s /bin/sh player -c "$send_bank --from $2"
    probe_limit_ms=
    cat /tmp/first-part /tmp/received >/tmp/resumed
    name="a bank stopped part way, resumed with the --from its last line names, arrives whole and in order"
    if [ "$first_status" = 1 ] && [ "$refusal" = "Error: Failed to open the specified MIDI port. Permission denied" ] \
        && [ "$1" -gt 0 ] && [ "$2" = $((97 + $1)) ] && [ "$status" = 0 ] && [ ! -s /tmp/stderr ] \
        && cmp -s /tmp/resumed /tmp/bank32.syx; then
        pass "$name (stopped at slot $2)"
    else
        fail "$name" "first run: $first" "resumed: exit $status, $bytes bytes: $(cat /tmp/stderr)"
    fi
}

# check_held_port NAME: a send to the interface's first output while a program
# that opened its raw MIDI device holds it fails at once, naming the program.
check_held_port() {
    # The shell's redirection holds the interface's first output, in the
    # process that then becomes sleep.
    sleep 30 >"/dev/snd/midiC2D0" &
    holder=$!
    usleep 200000
    probe - wavedump send /data/saw.wav --slot 97 --port "$USB_PORT"
    kill $holder
    wait $holder 2>/dev/null
    timing "$1"
    busy="Error: Failed to open the specified MIDI port. Device or resource busy (held by sleep, process $holder)"
    if [ "$status" = 1 ] && [ "$total_ms" -lt "$AT_ONCE_MS" ] && [ "$(cat /tmp/stderr)" = "$busy" ]; then
        pass "$1"
    else
        fail "$1" "exit $status after $total_ms ms" "$(cat /tmp/stderr)"
    fi
}

check_busy_port() {
    check_held_port "a port held by another program fails at once with the system's reason and the holder"
}

# The sequencer's port for the interface's first output, as aconnect names it,
# and one of VirMIDI's, which lives as long as the machine: a connection from
# it to the interface outlives the aconnect that made it.
SEQUENCER_PORT="Harlix MIDI Test Interface:0"
VIRMIDI_SEQUENCER_PORT="Virtual Raw MIDI 0-0:0"

# check_sent_round NAME NOTE: the last probe's send arrived whole through the
# sequencer, said so with NOTE, and waited the dump's time on the wire (96 ms)
# before its 100 ms pause.
check_sent_round() {
    timing "$1"
    if [ "$status" = 0 ] && [ "$bytes" = 300 ] && cmp -s /tmp/received /tmp/97.syx \
        && [ "$(cat /tmp/stderr)" = "wavedump send: $2" ] && [ "$last_to_exit_ms" -ge 150 ]; then
        pass "$1"
    else
        fail "$1" "exit $status, $bytes bytes, last byte to exit $last_to_exit_ms ms" "$(cat /tmp/stderr)" \
            "$(aconnect -l)"
    fi
}

# A sequencer connection to the interface, as a DAW makes, holds its raw MIDI
# device: the dump goes through the sequencer's port for it instead. The
# sequencer's raw MIDI driver is loaded here, after check_busy_port has seen
# a held port without it.
check_shared_port() {
    while read -r module; do
        insmod "/lib/modules/$module" || echo "E2E: cannot load $module"
    done </lib/modules/load-later
    tries=0
    until aconnect -o | grep -q "'Harlix MIDI Test Interface'" || [ $tries -ge 50 ]; do
        tries=$((tries + 1))
        usleep 100000
    done

    seq-holder "$SEQUENCER_PORT" >/tmp/holder 2>&1 &
    holder=$!
    tries=0
    until grep -q connected /tmp/holder || [ $tries -ge 50 ]; do
        tries=$((tries + 1))
        usleep 100000
    done
    probe "$RECEIVER" wavedump send /data/saw.wav --slot 97 --port "$USB_PORT"
    kill $holder
    wait $holder 2>/dev/null
    check_sent_round "a port a program holds through the sequencer takes the dump that way, and the program is named" \
        "sent through the ALSA sequencer (the port is held by seq-holder, process $holder)"

    aconnect "$VIRMIDI_SEQUENCER_PORT" "$SEQUENCER_PORT"
    probe "$RECEIVER" wavedump send /data/saw.wav --slot 97 --port "$USB_PORT"
    aconnect -d "$VIRMIDI_SEQUENCER_PORT" "$SEQUENCER_PORT"
    check_sent_round "a port held by a connection whose maker has ended takes the dump through the sequencer" \
        "sent through the ALSA sequencer (the port is in use through the sequencer)"

    check_held_port "a port a program holds outside the sequencer still fails at once, naming the program"
}

check_nobody_reading() {
    probe - wavedump send /data/sine.wav --slot 110 --port "$USB_PORT"
    timing "send with nobody reading"
    if [ "$status" = 0 ] && [ ! -s /tmp/stderr ]; then
        pass "a send with nobody reading on the far side still ends"
    else
        fail "a send with nobody reading on the far side still ends" "exit $status after $total_ms ms" \
            "$(cat /tmp/stderr)"
    fi
}

check_permissions() {
    out=$(as_user outsider "wavedump ports" 2>/tmp/stderr)
    code=$?
    if [ $code -eq 0 ] && [ -z "$out" ] && [ "$(cat /tmp/stderr)" = "wavedump ports: $NOTICE" ]; then
        pass "a user outside the group audio is told why no port is listed, and the remedy"
    else
        fail "a user outside the group audio is told why no port is listed, and the remedy" \
            "exit $code" "$out" "$(cat /tmp/stderr)"
    fi

    as_user outsider "wavedump send /data/saw.wav --slot 97 --port $USB_PORT" >/dev/null 2>/tmp/stderr
    code=$?
    if [ $code -eq 2 ] && [ "$(cat /tmp/stderr)" = "wavedump send: $NOT_LISTED ($NOTICE)" ]; then
        pass "a send by a user outside the group audio names the remedy instead of (none is listed)"
    else
        fail "a send by a user outside the group audio names the remedy instead of (none is listed)" \
            "exit $code" "$(cat /tmp/stderr)"
    fi

    # With no port listed the send goes to the system's default port. alsa-lib
    # cannot even resolve that name without the control device, so its reason
    # is "No such file or directory"; the line after it says what helps.
    as_user outsider "wavedump send /data/saw.wav --slot 97" >/dev/null 2>/tmp/stderr
    code=$?
    open_failed="Error: Failed to open the specified MIDI port. "
    if [ $code -eq 1 ] && [ "$(head -n 1 /tmp/stderr | cut -c1-47)" = "$open_failed" ] \
        && [ "$(sed -n 2p /tmp/stderr)" = "wavedump send: $NOTICE" ] && [ "$(wc -l </tmp/stderr)" -eq 2 ]; then
        pass "a send to the default port by a user outside the group audio fails with the remedy"
    else
        fail "a send to the default port by a user outside the group audio fails with the remedy" \
            "exit $code" "$(cat /tmp/stderr)"
    fi

    out=$(as_user player "wavedump ports" 2>/tmp/stderr)
    code=$?
    if [ $code -eq 0 ] && [ "$out" = "$EXPECTED_PORTS" ] && [ ! -s /tmp/stderr ]; then
        pass "a member of the group audio sees every port and no notice"
    else
        fail "a member of the group audio sees every port and no notice" "exit $code" "$out" "$(cat /tmp/stderr)"
    fi

    check_send "a member of the group audio sends" "$RECEIVER" /tmp/97.syx 60 \
        su -s /bin/sh player -c "wavedump send /data/saw.wav --slot 97 --port $USB_PORT"
}

# The default audio output of wavedump play, pointed at the loopback card, and
# the recorder on the card's other side.
LOOPBACK_CONFIG=/e2e/loopback.conf
LOOPBACK_RECORDER=hw:Loopback,1

# 16-bit samples, one decimal a line.
decimals() {
    od -An -v -td2 | tr -s ' ' '\n' | sed '/^$/d'
}

# compare_tone RENDER CAPTURE [FRAMES]: lays the render (a WAV with the plain
# 44-byte header) from its first non-zero frame, at half level (halved, halves
# away from zero), against the raw capture from its first non-zero frame; with
# FRAMES, only that many of the tone's first frames. Prints "tone=T lead=L
# compared=C exact=E near=N far=F first_far=X": the tone's frames laid against
# the capture, the capture's silent frames before the tone, the frames laid side
# by side, those equal, those one off, and the rest (the tone's frames missing
# from the capture counted among them), and the first frame among the rest (-1
# when there is none).
compare_tone() {
    tail -c +45 "$1" | decimals >/tmp/expected.txt
    decimals <"$2" >/tmp/captured.txt
    awk -v limit="${3:--1}" '
        function half(v) { return v >= 0 ? int((v + 1) / 2) : -int((1 - v) / 2) }
        # Counters that index arrays start as numbers, not as the empty string.
        BEGIN { n = 0; m = 0 }
        FNR == NR {
            if ($1 != 0) started = 1
            if (started && (limit < 0 || n < limit)) want[n++] = half($1)
            next
        }
        !begun && $1 == 0 { lead++; next }
        {
            begun = 1
            if (m < n) {
                d = $1 - want[m]
                if (d < 0) d = -d
                if (d == 0) exact++; else if (d == 1) near++; else if (!far++) first = m
            }
            m++
        }
        END {
            compared = m < n ? m : n
            printf "tone=%d lead=%d compared=%d exact=%d near=%d far=%d first_far=%d\n", \
                n, lead, compared, exact + 0, near + 0, far + n - compared, far ? first : (compared < n ? m : -1)
        }' /tmp/expected.txt /tmp/captured.txt
}

# What wavedump play plays comes out of the loopback card's other side as the
# render at half level. All but its last 100 ms are compared: those are what
# play leaves queued when it drains, and while a stream drains, the loopback
# card under the emulator's timer now and then hands the recorder one timer
# tick (4 ms, 192 frames) of silence in their place; aplay shows the same.
# The figures for the whole tone are printed all the same.
check_play() {
    wavedump render /data/saw.wav --seconds 1 -o /tmp/render.wav
    arecord -q -D "$LOOPBACK_RECORDER" -f S16_LE -r 48000 -c 1 -t raw -d 30 /tmp/captured.raw 2>/tmp/recorder &
    recorder=$!
    usleep 300000
    probe - env ALSA_CONFIG_PATH="$LOOPBACK_CONFIG" wavedump play --seconds 1 /data/saw.wav
    usleep 300000
    kill -INT $recorder
    wait $recorder 2>/dev/null
    timing "play of 1 s on the loopback card"
    echo "TIME: play's whole tone on the loopback's far side: $(compare_tone /tmp/render.wav /tmp/captured.raw)"
    figures=$(compare_tone /tmp/render.wav /tmp/captured.raw $((48000 - 4800)))
    echo "TIME: play's tone but its last 100 ms on the loopback's far side: $figures"
    eval "$figures"
    name="play's tone comes out of the loopback's far side as the render at half level"
    if [ "$status" = 0 ] && [ ! -s /tmp/stderr ] && [ "$tone" = 43200 ] && [ "$compared" = "$tone" ] \
        && [ "$far" = 0 ]; then
        pass "$name"
    else
        fail "$name" "exit $status after $total_ms ms; $figures" "$(cat /tmp/stderr)" "$(cat /tmp/recorder)"
    fi

    # The sound devices, like the MIDI ones, belong to the group audio.
    as_user outsider "ALSA_CONFIG_PATH=$LOOPBACK_CONFIG wavedump play --seconds 1 /data/saw.wav" \
        >/dev/null 2>/tmp/stderr
    code=$?
    name="play by a user outside the group audio fails with the system's reason"
    reason=$(cut -c41- /tmp/stderr)
    if [ $code -eq 1 ] && [ "$(cut -c1-40 /tmp/stderr)" = "Error: Failed to open the audio output. " ] \
        && [ -n "$reason" ] && [ "$(wc -l </tmp/stderr)" -eq 1 ]; then
        pass "$name ($reason)"
    else
        fail "$name" "exit $code" "$(cat /tmp/stderr)"
    fi
}

# The preview's figures on the loopback card, which plays in real time: how
# soon an edit of the wave is heard, and what listening costs (of the emulated
# processor, so higher than on a desktop). The probe's lines are printed as
# FIGURE lines; the check is only that it ran and gave them.
check_preview_figures() {
    name="preview-probe ran 5 s on the loopback card and gave its figures"
    env ALSA_CONFIG_PATH="$LOOPBACK_CONFIG" preview-probe --seconds 5 >/tmp/figures 2>/tmp/stderr &
    prober=$!
    # The sizes the stream got from the card, while it plays.
    usleep 1000000
    sizes=$(grep -E '^(period_size|buffer_size):' /proc/asound/Loopback/pcm0p/sub0/hw_params | tr -d ' ' | tr '\n' ' ')
    wait $prober
    code=$?
    sed 's/^/FIGURE: preview on the loopback card: /' /tmp/figures
    echo "FIGURE: preview on the loopback card: the card's sizes in frames: $sizes"
    number='[0-9][0-9.]*'
    if [ $code -eq 0 ] && [ ! -s /tmp/stderr ] \
        && grep -q "^latency_ms min=$number median=$number max=$number" /tmp/figures \
        && grep -q "^cpu_percent=$number\$" /tmp/figures && grep -q "^services_per_second=$number\$" /tmp/figures; then
        pass "$name"
    else
        fail "$name" "exit $code" "$(cat /tmp/stderr)"
    fi

    # Again, with the card's far side recorded in the probe's own loop: when
    # each edit's first frame came out, and whether what came out is the tone
    # with each edit from its first frame on. Figures too: a late service under
    # the emulator shows as mismatched frames. The recorder's device needs the
    # system's configuration, read first.
    env ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$LOOPBACK_CONFIG" \
        preview-probe --seconds 5 --capture "$LOOPBACK_RECORDER" >/tmp/figures 2>/tmp/stderr
    sed 's/^/FIGURE: preview on the loopback card, recorded: /' /tmp/figures /tmp/stderr
}

# The preview held up as a send holds the program's only thread while Listen
# plays: no service for 200 ms, on the loopback card, which plays in real time
# and so runs dry and underruns. Once serviced again the tone must go on by
# itself, from the frame after the last one heard (underrun-probe tells how it
# judges that), with one silence of about the time held up less the 30 ms
# queued, and the tone on both sides of it.
STALL_MS=200

# between VALUE LOW HIGH: LOW <= VALUE <= HIGH, for decimals.
between() {
    awk -v value="$1" -v low="$2" -v high="$3" 'BEGIN { exit !(value >= low && value <= high) }'
}

check_underrun() {
    name="the preview's tone goes on, whole, after the program was held up for $STALL_MS ms"
    figures=$(env ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$LOOPBACK_CONFIG" \
        timeout 30 underrun-probe default "$LOOPBACK_RECORDER" "$STALL_MS" 2>/tmp/stderr)
    code=$?
    echo "TIME: the preview held up for $STALL_MS ms on the loopback card: $figures"
    stream=none continued=no longest_gap_ms=-1 before_ms=-1 after_ms=-1
    case "$figures" in
    stream=*) eval "$figures" ;;
    esac
    if [ $code -eq 0 ] && [ ! -s /tmp/stderr ] && [ "$stream" = playing ] && [ "$continued" = yes ] \
        && between "$longest_gap_ms" 100 500 && between "$before_ms" 500 2000 && between "$after_ms" 500 2000; then
        pass "$name"
    else
        fail "$name" "exit $code; $figures" "$(cat /tmp/stderr)"
    fi
}

check_unplugged() {
    unplug_gadget
    tries=0
    while [ -e /dev/snd/midiC2D0 ] && [ $tries -lt 50 ]; do
        tries=$((tries + 1))
        usleep 100000
    done
    # Both sides go: the host's card, and the gadget's own, which lives only
    # while the gadget is bound. VirMIDI is all that is left.
    probe - wavedump send /data/saw.wav --slot 97 --port "$USB_PORT"
    timing "send to an unplugged interface"
    if [ "$status" = 2 ] && [ "$(cat /tmp/stderr)" = "wavedump send: $NOT_LISTED (none is listed)" ]; then
        pass "a send to the unplugged interface fails at once with a clear error"
    else
        fail "a send to the unplugged interface fails at once with a clear error" "exit $status after $total_ms ms" \
            "$(cat /tmp/stderr)"
    fi

    out=$(wavedump ports 2>/tmp/stderr)
    if [ -z "$out" ] && [ "$(cat /tmp/stderr)" = "wavedump ports: no hardware MIDI output port was found" ]; then
        pass "ports lists nothing once the interface is unplugged, and says so"
    else
        fail "ports lists nothing once the interface is unplugged, and says so" "$out" "$(cat /tmp/stderr)"
    fi

    # Nothing listed: the send goes to the system's default port, VirMIDI's hw:0,0.
    probe - wavedump send /data/saw.wav --slot 97
    timing "send to the default port with nothing listed"
    if [ "$status" = 0 ] && [ ! -s /tmp/stderr ]; then
        pass "a send with nothing listed goes to the system's default port and ends"
    else
        fail "a send with nothing listed goes to the system's default port and ends" \
            "exit $status after $total_ms ms" "$(cat /tmp/stderr)"
    fi
}

run_checks() {
    check_ports
    check_sends
    figure_speed
    check_bank_send
    check_bank_resume
    check_busy_port
    check_shared_port
    check_nobody_reading
    check_permissions
    check_play
    check_preview_figures
    check_underrun
    # Last: the interface is gone afterwards.
    check_unplugged
    echo "$passed passed, $failed failed"
}
