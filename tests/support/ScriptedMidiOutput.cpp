#include "ScriptedMidiOutput.h"

#include <algorithm>
#include <cstring>

using namespace hwd;

// Logs into the output that made it, so the output has to outlive any use of it.
class ScriptedMidiOutput::Signal final : public MidiCompletionSignal {
public:
    Signal(ScriptedMidiOutput& owner, std::shared_ptr<bool> state) : owner_(owner), state_(std::move(state)) {}

    void reset() override
    {
        owner_.calls.emplace_back("resetSignal");
        *state_ = false;
    }

    bool wait(unsigned timeoutMs) override
    {
        owner_.calls.push_back("wait " + std::to_string(timeoutMs));
        return *state_;
    }

    [[nodiscard]] const std::shared_ptr<bool>& state() const noexcept { return state_; }

private:
    ScriptedMidiOutput& owner_;
    std::shared_ptr<bool> state_;
};

void ScriptedMidiOutput::setSignals()
{
    for (const auto& state : signalStates_)
        *state = true;
}

void ScriptedMidiOutput::clearRecord()
{
    calls.clear();
    sentMessages.clear();
    sentAddresses.clear();
}

unsigned ScriptedMidiOutput::deviceCount()
{
    calls.emplace_back("count");
    const unsigned call = countCalls_++;
    if (deviceCounts.empty())
        return static_cast<unsigned>(devices.size());
    return deviceCounts[std::min<std::size_t>(call, deviceCounts.size() - 1)];
}

MidiResult ScriptedMidiOutput::deviceCaps(unsigned deviceId, MidiOutputCaps& caps)
{
    calls.push_back("caps " + std::to_string(deviceId));
    if (deviceId >= devices.size() || devices[deviceId].kind == DeviceKind::CapsFail)
        return capsFailureCode;
    const Device& device = devices[deviceId];
    std::memset(caps.name, 0, sizeof caps.name);
    std::memcpy(caps.name, device.name.data(), std::min(device.name.size(), sizeof caps.name));
    caps.hardwarePort = device.kind == DeviceKind::HardwarePort;
    return midiSuccess;
}

std::unique_ptr<MidiCompletionSignal> ScriptedMidiOutput::createCompletionSignal()
{
    calls.emplace_back("createSignal");
    ++signalsCreated;
    auto state = std::make_shared<bool>(false);
    signalStates_.push_back(state);
    return std::make_unique<Signal>(*this, std::move(state));
}

MidiResult ScriptedMidiOutput::open(int deviceId, MidiCompletionSignal& done)
{
    calls.push_back("open " + std::to_string(deviceId));
    const std::size_t call = openCalls_++;
    const MidiResult result = call < openResults.size() ? openResults[call] : openResult;
    if (result != midiSuccess)
        return result;
    open_ = true;
    inFlight_ = false;
    const auto* ours = dynamic_cast<Signal*>(&done);
    portSignal_ = ours ? ours->state() : nullptr;
    // The platform signals the open itself through the same event.
    if (portSignal_)
        *portSignal_ = true;
    return midiSuccess;
}

void ScriptedMidiOutput::prepare(std::span<const std::uint8_t>)
{
    calls.emplace_back("prepare");
}

MidiResult ScriptedMidiOutput::sendLong(std::span<const std::uint8_t> message)
{
    calls.emplace_back("sendLong");
    sentMessages.emplace_back(message.begin(), message.end());
    sentAddresses.push_back(message.data());
    const std::size_t call = sendLongCalls_++;
    const MidiResult result = call < sendLongResults.size() ? sendLongResults[call] : sendLongResult;
    if (result != midiSuccess)
        return result;
    inFlight_ = true;
    if (completionComes) {
        inFlight_ = false;
        if (portSignal_)
            *portSignal_ = true;
    }
    return midiSuccess;
}

void ScriptedMidiOutput::reset()
{
    calls.emplace_back("reset");
    // The port hands a buffer in flight back, which completes it.
    if (inFlight_ && portSignal_)
        *portSignal_ = true;
    inFlight_ = false;
}

void ScriptedMidiOutput::unprepare()
{
    calls.emplace_back("unprepare");
}

void ScriptedMidiOutput::close()
{
    calls.emplace_back("close");
    open_ = false;
    inFlight_ = false;
    portSignal_ = nullptr;
}

void ScriptedMidiOutput::errorText(MidiResult code, char* text, std::size_t size)
{
    calls.push_back("errorText " + std::to_string(code) + " " + std::to_string(size));
    const auto found = errorTexts.find(code);
    if (found == errorTexts.end() || size == 0)
        return;
    const std::size_t length = std::min(found->second.size(), size - 1);
    std::memcpy(text, found->second.data(), length);
    text[length] = '\0';
}

void ScriptedMidiOutput::pause(unsigned milliseconds)
{
    calls.push_back("pause " + std::to_string(milliseconds));
}
