// Placeholder until the ALSA rawmidi backend lands: no devices, every open fails.
#include "transfer/MidiOutput.h"

#include <cstring>

namespace {

class NoMidiOutput final : public MidiOutput {
public:
    unsigned deviceCount() override { return 0; }
    MidiResult deviceCaps(unsigned, MidiOutputCaps&) override { return 1; }
    std::unique_ptr<MidiCompletionSignal> createCompletionSignal() override { return std::make_unique<Signal>(); }
    MidiResult open(int, MidiCompletionSignal&) override { return 1; }
    void prepare(std::span<const std::uint8_t>) override {}
    MidiResult sendLong(std::span<const std::uint8_t>) override { return 1; }
    void reset() override {}
    void unprepare() override {}
    void close() override {}
    void errorText(MidiResult, char* text, std::size_t size) override { std::strncpy(text, "No MIDI output.", size - 1); }
    void pause(unsigned) override {}

private:
    struct Signal final : MidiCompletionSignal {
        void reset() override {}
        bool wait(unsigned) override { return false; }
    };
};

} // namespace

std::unique_ptr<MidiOutput> makeSystemMidiOutput()
{
    return std::make_unique<NoMidiOutput>();
}
