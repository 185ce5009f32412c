#!/usr/bin/env bash
# `make e2e`: wavedump against a real kernel MIDI driver stack. Boots Debian's
# stock kernel in QEMU from a small initramfs in which a USB MIDI gadget on
# dummy_hcd is the synthesizer: the host side is a real USB MIDI card
# (snd-usb-audio), the gadget side records what arrives. A loopback sound card
# (snd-aloop) gives what wavedump play and the preview's stream (held up past
# its buffer too) play back to a recorder. The checks run
# inside the machine (tools/e2e/checks.sh) and print PASS and FAIL lines and one
# line "N passed, M failed"; this script exits non-zero on any failure. FIGURE
# lines are measurements (the preview's latency and CPU use on the loopback
# card), not checks.
#
# usage: tools/e2e/run.sh [SCRATCH_FOLDER [BUILD_FOLDER]]     (default: build-e2e)
#
# With BUILD_FOLDER, a build folder already configured (such as `make test`'s),
# wavedump and the audio libraries are brought up to date there instead of
# being built anew in SCRATCH_FOLDER.
#
# E2E_ACCEL=kvm tries KVM first and falls back to TCG; E2E_VM_LIMIT is the
# machine's time limit in seconds (default 300).
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(realpath -m "${1:-$root/build-e2e}")
build=$scratch/wavedump
reused=${2:+$(realpath -m "$2")}
vm=$scratch/vm
vm_limit=${E2E_VM_LIMIT:-300}

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }'; }
run_started=$(now)

# --- What the run needs on this machine ---------------------------------------
step=$(now)
"$root/tools/install-deps.sh" e2e
echo "e2e: packages ready in $(since "$step") s"

# --- wavedump and the probe at the far end of the cable ------------------------
step=$(now)
mkdir -p "$scratch"
log=$scratch/wavedump-build.log
if [ -n "$reused" ] && [ -f "$reused/CMakeCache.txt" ]; then
    build=$reused
    : >"$log"
else
    timeout 1200 cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHWD_BUILD_DESKTOP=OFF \
        -DBUILD_TESTING=OFF -DHWD_BUILD_BENCHMARKS=OFF -DHWD_WARNINGS_AS_ERRORS=ON >"$log" 2>&1 \
        || { cat "$log"; exit 1; }
fi
timeout 1200 cmake --build "$build" -j"$(nproc)" --target wavedump hwd_audio_system >>"$log" 2>&1 \
    || { tail -n 50 "$log"; exit 1; }
mkdir -p "$vm"
timeout 300 g++ -std=c++20 -O2 -Wall -Wextra -Werror -o "$vm/midi-probe" "$root/tools/e2e/midi-probe.cpp" -lasound
# A program that holds the interface through the sequencer, as a DAW does.
timeout 300 g++ -std=c++20 -O2 -Wall -Wextra -Werror -o "$vm/seq-holder" "$root/tools/e2e/seq-holder.cpp" -lasound
# The preview's latency and CPU probe, on the audio libraries wavedump play links.
timeout 300 g++ -std=c++20 -O2 -Wall -Wextra -Werror -I"$root" -o "$vm/preview-probe" \
    "$root/bench/preview_probe.cpp" "$root/bench/preview_recorder.cpp" \
    "$build/audio/libhwd_audio_system.a" "$build/audio/libhwd_audio.a" "$build/wave/libhwd_wave.a" -lasound
# The preview held up past the card's buffer, on the same libraries.
timeout 300 g++ -std=c++20 -O2 -Wall -Wextra -Werror -I"$root" -o "$vm/underrun-probe" \
    "$root/tools/e2e/underrun-probe.cpp" "$root/bench/preview_recorder.cpp" \
    "$build/audio/libhwd_audio_system.a" "$build/audio/libhwd_audio.a" "$build/wave/libhwd_wave.a" -lasound
echo "e2e: wavedump, midi-probe, seq-holder, preview-probe and underrun-probe built in $(since "$step") s"

# --- The kernel: the image package linux-image-amd64 depends on, unpacked -----
step=$(now)
image_package() {
    apt-cache depends linux-image-amd64 2>/dev/null | sed -n 's/^ *Depends: \(linux-image-[^ ]*\)$/\1/p' | head -n 1
}
# apt warns that root downloads outside its sandbox: expected here, and kept in the log only.
download_image() {
    (cd "$vm" && timeout 600 apt-get download -q "$image_package" >"$vm/download.log" 2>&1)
}
image_package=$(image_package)
if [ -z "$image_package" ]; then
    timeout 600 apt-get update -qq
    image_package=$(image_package)
fi
kernel=$vm/kernel/$image_package
if [ ! -d "$kernel/lib/modules" ]; then
    rm -rf "$vm/kernel" "$vm"/*.deb
    if ! download_image; then
        # Package lists older than the archive name a kernel it no longer has.
        timeout 600 apt-get update -qq
        image_package=$(image_package)
        kernel=$vm/kernel/$image_package
        download_image || { cat "$vm/download.log"; exit 1; }
    fi
    deb=$(ls "$vm"/"$image_package"_*.deb)
    mkdir -p "$kernel"
    dpkg-deb -x "$deb" "$kernel"
    rm -f "$deb"
    # The package ships no modules.dep: depmod makes it from the unpacked tree.
    depmod -b "$kernel" "$(ls "$kernel/lib/modules")"
fi
kernel_version=$(ls "$kernel/lib/modules")
echo "e2e: kernel $kernel_version ready in $(since "$step") s"

# --- The initramfs -------------------------------------------------------------
step=$(now)
staging=$vm/initramfs
rm -rf "$staging"
mkdir -p "$staging"/{bin,dev,proc,sys,tmp,etc,root,data,e2e,lib/modules}

install -m 755 "$(command -v busybox)" "$staging/bin/busybox"
for applet in $(busybox --list); do
    [ -e "$staging/bin/$applet" ] || ln -s busybox "$staging/bin/$applet"
done

# A program with the shared libraries that ldd names, at the same paths.
add_program() {
    install -m 755 "$1" "$staging/bin/$(basename "$1")"
    for library in $(ldd "$1" | awk '/=> \// { print $3 } /^[[:space:]]*\// { print $1 }'); do
        mkdir -p "$staging$(dirname "$library")"
        cp -L "$library" "$staging$library"
    done
}
add_program "$build/bin/wavedump"
add_program "$(command -v amidi)"
add_program "$vm/midi-probe"
add_program "$vm/seq-holder"
add_program "$(command -v aconnect)"
add_program "$vm/preview-probe"
add_program "$vm/underrun-probe"
# The far side of the loopback sound card, for wavedump play.
add_program "$(command -v arecord)"
mkdir -p "$staging/usr/share/alsa"
cp /usr/share/alsa/alsa.conf "$staging/usr/share/alsa/"

# The drivers, each after what it needs. The sequencer's driver for raw MIDI
# devices (snd-seq-midi) is loaded by the checks, which first see a held port
# without it (lib/modules/load-later).
modprobe -d "$kernel" -S "$kernel_version" -a --show-depends snd-virmidi dummy_hcd usb_f_midi snd-usb-audio snd-aloop \
    snd-seq snd-seq-midi | awk '$1 == "insmod" && !seen[$2]++ { print $2 }' >"$vm/modules"
: >"$staging/lib/modules/load-order"
: >"$staging/lib/modules/load-later"
while read -r module; do
    cp "$module" "$staging/lib/modules/"
    name=$(basename "$module")
    if [ "$name" = snd-seq-midi.ko ]; then
        echo "$name" >>"$staging/lib/modules/load-later"
        continue
    fi
    # Four VirMIDI devices of 16 subdevices each: port IDs 0 to 63.
    [ "$name" = snd-virmidi.ko ] && name="$name midi_devs=4"
    # The loopback card keeps out of the way of the MIDI cards: card 3, so that
    # the gadget's and the USB interface's cards are still 1 and 2.
    [ "$name" = snd-aloop.ko ] && name="$name index=3 pcm_substreams=1"
    echo "$name" >>"$staging/lib/modules/load-order"
done <"$vm/modules"

# Users as on a desktop: player is in the group audio that owns the sound
# devices, outsider is not.
cat >"$staging/etc/passwd" <<'EOF'
root:x:0:0:root:/root:/bin/sh
player:x:1000:1000:player:/tmp:/bin/sh
outsider:x:1001:1001:outsider:/tmp:/bin/sh
EOF
cat >"$staging/etc/group" <<'EOF'
root:x:0:
audio:x:29:player
player:x:1000:
outsider:x:1001:
EOF
echo /bin/sh >"$staging/etc/shells"

install -m 755 "$root/tools/e2e/init.sh" "$staging/init"
cp "$root/tools/e2e/gadget.sh" "$root/tools/e2e/checks.sh" "$root/tools/e2e/loopback.conf" "$staging/e2e/"
cp "$root"/examples/{saw,sine,square}.wav "$staging/data/"

(cd "$staging" && find . | LC_ALL=C sort | cpio -o -H newc --quiet | gzip -1) >"$vm/initramfs.gz"
echo "e2e: initramfs of $(du -k "$vm/initramfs.gz" | cut -f1) KiB made in $(since "$step") s"

# --- The machine ---------------------------------------------------------------
# boot_machine ACCEL LIMIT_SECONDS
boot_machine() {
    timeout --kill-after=10 "$2" qemu-system-x86_64 -accel "$1" -m 512 -smp 1 \
        -display none -monitor none -serial stdio -no-reboot \
        -kernel "$(ls "$kernel"/boot/vmlinuz-*)" -initrd "$vm/initramfs.gz" \
        -append "console=ttyS0 quiet loglevel=3 panic=-1 rdinit=/init" </dev/null 2>&1 \
        | tr -d '\r' | tee "$vm/console.log"
}

step=$(now)
accel=tcg
if [ "${E2E_ACCEL:-tcg}" = kvm ] && [ -w /dev/kvm ]; then
    accel=kvm
fi
echo "e2e: booting with $accel (time limit ${vm_limit} s)"
if [ "$accel" = kvm ]; then
    # Where KVM is there but does not work the kernel hangs early: the run
    # with KVM gets a short limit, and TCG takes over.
    boot_machine kvm 120 || true
    if ! grep -q '^E2E: booted' "$vm/console.log"; then
        echo "e2e: no boot with KVM; again with TCG"
        boot_machine tcg "$vm_limit" || true
    fi
else
    boot_machine tcg "$vm_limit" || true
fi
echo "e2e: the machine ran for $(since "$step") s; the whole run took $(since "$run_started") s"

summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$vm/console.log" | tail -n 1 || true)
if [ -z "$summary" ]; then
    echo "FAIL: the test machine ran its checks to the end (see $vm/console.log)"
    echo "e2e: 0 passed, 1 failed"
    exit 1
fi
echo "e2e: $summary"
[ "$(echo "$summary" | awk '{ print $3 }')" = 0 ]
