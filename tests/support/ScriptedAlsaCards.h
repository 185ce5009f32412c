#pragma once

#include "transfer/alsa/AlsaCards.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The ALSA card interface as each test sets it up: cards by number, each with
// its raw MIDI devices' output subdevices, and a record of the walks made.

// A card as the stand-in answers for it. A device's subdevices are given by
// name; an empty optional is a subdevice whose information cannot be read.
struct ScriptedAlsaCard {
    std::optional<hwd::AlsaCardIdentity> identity;
    std::map<int, std::vector<std::optional<std::string>>> outputs;
    bool opens = true;
};

class ScriptedAlsaCards final : public hwd::AlsaCards {
public:
    // --- The script; change any of it between calls. ---
    std::map<int, ScriptedAlsaCard> cards;
    hwd::MidiAccessProblem access;
    // What deviceListVersion answers: a test that changes the cards changes it
    // too, as the system's would change.
    std::optional<std::uint64_t> version = 1;

    // --- The record. ---
    // How many walks of the cards began (asks for the first card).
    int walks = 0;

    int nextCard(int card) override;
    std::unique_ptr<hwd::AlsaCardControl> open(int card) override;
    hwd::MidiAccessProblem accessProblem() override { return access; }
    std::optional<std::uint64_t> deviceListVersion() override { return version; }
};

// n subdevices of the same name.
[[nodiscard]] std::vector<std::optional<std::string>> sameNames(const std::string& name, int n);

// The cards of the test machine of `make e2e`: VirMIDI's 4 devices of 16
// subdevices (ids 0 to 63), a USB MIDI gadget's own side (64, 65) and the USB
// interface it plugs into (66, 67).
[[nodiscard]] std::map<int, ScriptedAlsaCard> usbGadgetMachine();
