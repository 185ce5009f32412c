#pragma once

#include "transfer/MidiOutput.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace hwd {

// What the port list needs of ALSA's card enumeration and control interface,
// behind an interface so that the listing can be checked against a stand-in
// as well as against the machine's own cards.

struct AlsaCardIdentity {
    std::string driver;
    std::string id;
    std::string name;
};

// One card's control interface, open for as long as the object lives.
class AlsaCardControl {
public:
    virtual ~AlsaCardControl() = default;
    // Empty when the card does not say.
    [[nodiscard]] virtual std::optional<AlsaCardIdentity> identity() = 0;
    // The raw MIDI device after device (-1 for the first); -1 when there is none.
    [[nodiscard]] virtual int nextRawMidiDevice(int device) = 0;
    // How many output subdevices the device has; 0 when it has no output.
    [[nodiscard]] virtual unsigned outputSubdevices(int device) = 0;
    // The name of one output subdevice as amidi -l names it: the subdevice's
    // own, else the device's. Empty when the subdevice cannot be read.
    [[nodiscard]] virtual std::optional<std::string> outputName(int device, unsigned subdevice) = 0;
};

class AlsaCards {
public:
    virtual ~AlsaCards() = default;
    // The card after card (-1 for the first); -1 when there is none.
    [[nodiscard]] virtual int nextCard(int card) = 0;
    // Null when the card's control interface does not open.
    [[nodiscard]] virtual std::unique_ptr<AlsaCardControl> open(int card) = 0;
    // The sound devices this user may not open: ALSA skips their cards without
    // a word, so they would be missing from the list unexplained.
    [[nodiscard]] virtual MidiAccessProblem accessProblem() = 0;
    // A number that stays the same from one ask to the next unless a card or
    // a device of one came or went in between, cheap enough to ask before
    // each device. Empty when the system cannot tell, so that nothing is reused.
    [[nodiscard]] virtual std::optional<std::uint64_t> deviceListVersion() = 0;
};

// The machine's cards through alsa-lib, and /dev/snd for the access problem.
[[nodiscard]] std::unique_ptr<AlsaCards> makeSystemAlsaCards();

} // namespace hwd
