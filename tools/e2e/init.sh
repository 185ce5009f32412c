#!/bin/sh
# PID 1 of the test machine: mounts the kernel's file systems, loads the sound
# and USB modules, plugs a USB MIDI gadget into the software host controller,
# runs the checks and powers the machine off. Should anything here fail, the
# kernel panics and the machine stops at once (panic=-1 with QEMU's -no-reboot).
export PATH=/bin:/usr/bin
export HOME=/root

mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mount -t tmpfs tmpfs /tmp

echo "E2E: booted after $(cut -d' ' -f1 /proc/uptime) s"

# Dependencies first, in the order modprobe worked out on the build machine.
# VirMIDI comes before the USB drivers, so its card is card 0.
while read -r module parameters; do
    insmod "/lib/modules/$module" $parameters || echo "E2E: cannot load $module"
done </lib/modules/load-order

mount -t configfs configfs /sys/kernel/config

. /e2e/gadget.sh
if plug_gadget; then
    # What udev does on a desktop: the sound devices belong to the group audio.
    chgrp audio /dev/snd/*
    chmod 660 /dev/snd/*
    . /e2e/checks.sh
    run_checks
else
    echo "FAIL: the USB MIDI gadget appears on the host side"
    echo "0 passed, 1 failed"
fi

echo "E2E: done after $(cut -d' ' -f1 /proc/uptime) s"
sync
poweroff -f
