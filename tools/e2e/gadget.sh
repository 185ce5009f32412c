# The USB MIDI device of the test machine: a gadget made through configfs from
# the f_midi function and bound to dummy_hcd's device controller, so that the
# host side sees a real USB MIDI interface (snd-usb-audio) while the gadget side
# gets a raw MIDI card of its own where the bytes that the host sends arrive.
#
# plug_gadget sets GADGET_CARD and HOST_CARD, the two card numbers.

GADGET=/sys/kernel/config/usb_gadget/harlix
# Two ports each way, so that the port IDs count subdevices too.
GADGET_PORTS=2

# The card number whose /proc/asound/cards line matches the pattern, if any.
card_matching() {
    sed -n "s/^ *\([0-9][0-9]*\) \[.*$1.*/\1/p" /proc/asound/cards | head -n 1
}

plug_gadget() {
    mkdir -p "$GADGET" || return 1
    (
        cd "$GADGET" || exit 1
        echo 0x1d6b >idVendor   # Linux Foundation
        echo 0x0104 >idProduct  # multifunction composite gadget
        mkdir -p strings/0x409 configs/c.1/strings/0x409 functions/midi.harlix
        echo "Harlix" >strings/0x409/manufacturer
        echo "Harlix MIDI Test Interface" >strings/0x409/product
        echo "MIDI" >configs/c.1/strings/0x409/configuration
        echo "$GADGET_PORTS" >functions/midi.harlix/in_ports
        echo "$GADGET_PORTS" >functions/midi.harlix/out_ports
        echo "HarlixGadget" >functions/midi.harlix/id
        ln -s functions/midi.harlix configs/c.1/
    ) || return 1
    bind_gadget
}

# Binds the gadget to the controller and waits (at most 10 s) until the host
# side's card is there with its raw MIDI device.
bind_gadget() {
    echo dummy_udc.0 >"$GADGET/UDC" || return 1
    bound_at=$(cut -d' ' -f1 /proc/uptime)
    tries=0
    while [ $tries -lt 100 ]; do
        HOST_CARD=$(card_matching "USB-Audio")
        if [ -n "$HOST_CARD" ] && [ -e "/dev/snd/midiC${HOST_CARD}D0" ]; then
            GADGET_CARD=$(card_matching "HarlixGadget")
            after=$(awk -v a="$bound_at" '{ printf "%.2f", $1 - a }' /proc/uptime)
            echo "E2E: host card $HOST_CARD appeared $after s after binding; gadget card $GADGET_CARD"
            return 0
        fi
        tries=$((tries + 1))
        usleep 100000
    done
    cat /proc/asound/cards
    return 1
}

# Pulls the plug: the host side sees the device go away.
unplug_gadget() {
    echo "" >"$GADGET/UDC"
}
