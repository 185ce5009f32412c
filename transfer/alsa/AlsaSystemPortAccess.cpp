#include "AlsaSystemPorts.h"

namespace hwd {

namespace {

class SystemPortAccess final : public AlsaPortAccess {
public:
    AlsaOpenedStream openRawMidi(const std::string& name) override { return openRawMidiStream(name); }
    AlsaOpenedStream openSequencerPort(const AlsaPortAddress& port) override { return openSequencerStream(port); }
    std::optional<AlsaPortHolder> holder(const AlsaPortAddress& port) override { return readPortHolder(port); }
};

} // namespace

std::unique_ptr<AlsaPortAccess> makeSystemAlsaPortAccess()
{
    return std::make_unique<SystemPortAccess>();
}

} // namespace hwd
