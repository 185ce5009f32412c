#pragma once

#include "transfer/alsa/AlsaPortAccess.h"

#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The ALSA output's ways to a port as each test sets them up, with a log of
// the calls ("raw NAME", "sequencer C,D,S", "holder C,D,S", and "drop" for a
// stream dropped after a send that timed out) and the messages that went
// through the sequencer. Nothing waits: a stream is drained once written.
class ScriptedAlsaPortAccess final : public hwd::AlsaPortAccess {
public:
    // What each call answers (0 opens or takes it; ENOENT from the sequencer:
    // it has no port for the raw MIDI port).
    hwd::MidiResult rawMidiResult = hwd::midiSuccess;
    hwd::MidiResult sequencerResult = ENOENT;
    hwd::MidiResult sequencerWriteResult = hwd::midiSuccess;
    std::optional<hwd::AlsaPortHolder> portHolder;

    std::vector<std::string> calls;
    std::vector<std::vector<std::uint8_t>> sequencerMessages;

    hwd::AlsaOpenedStream openRawMidi(const std::string& name) override;
    hwd::AlsaOpenedStream openSequencerPort(const hwd::AlsaPortAddress& port) override;
    std::optional<hwd::AlsaPortHolder> holder(const hwd::AlsaPortAddress& port) override;
};
