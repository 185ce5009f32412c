#include "ScriptedAlsaPortAccess.h"

#include <memory>

using namespace hwd;

namespace {

class ScriptedStream final : public AlsaOutputStream {
public:
    ScriptedStream(ScriptedAlsaPortAccess& access, bool sequencer) : access_(access), sequencer_(sequencer) {}

    MidiResult write(std::span<const std::uint8_t> message) override
    {
        if (!sequencer_)
            return midiSuccess;
        access_.sequencerMessages.emplace_back(message.begin(), message.end());
        return access_.sequencerWriteResult;
    }
    bool drained() override { return true; }
    void drop() override { access_.calls.emplace_back("drop"); }

private:
    ScriptedAlsaPortAccess& access_;
    bool sequencer_;
};

std::string place(const AlsaPortAddress& port)
{
    return std::to_string(port.card) + "," + std::to_string(port.device) + "," + std::to_string(port.subdevice);
}

} // namespace

AlsaOpenedStream ScriptedAlsaPortAccess::openRawMidi(const std::string& name)
{
    calls.push_back("raw " + name);
    if (rawMidiResult != midiSuccess)
        return {nullptr, rawMidiResult};
    return {std::make_unique<ScriptedStream>(*this, false), midiSuccess};
}

AlsaOpenedStream ScriptedAlsaPortAccess::openSequencerPort(const AlsaPortAddress& port)
{
    calls.push_back("sequencer " + place(port));
    if (sequencerResult != midiSuccess)
        return {nullptr, sequencerResult};
    return {std::make_unique<ScriptedStream>(*this, true), midiSuccess};
}

std::optional<AlsaPortHolder> ScriptedAlsaPortAccess::holder(const AlsaPortAddress& port)
{
    calls.push_back("holder " + place(port));
    return portHolder;
}
