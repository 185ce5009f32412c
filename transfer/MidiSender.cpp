#include "MidiSender.h"

#include "WaveDumpMessage.h"
#include "wave/Waveshape.h"

namespace hwd {

namespace {

// The platform's error text is cut at 98 characters: the size it is given
// includes the terminator.
constexpr std::size_t errorTextLimit = 99;

} // namespace

std::vector<MidiPort> listHardwarePorts(MidiOutput& output)
{
    std::vector<MidiPort> ports;
    for (unsigned device = 0; device < output.deviceCount(); ++device) {
        MidiOutputCaps caps;
        if (output.deviceCaps(device, caps) != midiSuccess || !caps.hardwarePort)
            continue;
        caps.name[midiDeviceNameSize - 1] = '\0';
        ports.push_back({device, caps.name});
    }
    return ports;
}

std::string SendOutcome::message() const
{
    switch (result) {
    case SendResult::openFailed:
        return MidiSenderMessages::openFailed + std::string(errorText.data());
    case SendResult::refused:
        return MidiSenderMessages::sendFailed + std::string(errorText.data());
    default:
        return {};
    }
}

SendOutcome MidiSender::send(const Waveshape& wave, int deviceId, std::uint8_t waveNumber)
{
    SendOutcome outcome;
    if (!wave.loaded)
        return outcome;
    if (!sendDone_)
        sendDone_ = output_.createCompletionSignal();

    if (const MidiResult opened = output_.open(deviceId, *sendDone_); opened != midiSuccess) {
        outcome.result = SendResult::openFailed;
        fetchErrorText(opened, outcome);
        return outcome;
    }

    std::string note = output_.openNote();
    const auto message = WaveDumpMessage::build(wave, waveNumber);
    output_.prepare(message);
    // Cleared right before the long message, so only this buffer's completion ends the wait.
    sendDone_->reset();
    const MidiResult sent = output_.sendLong(message);
    const bool finished = sendDone_->wait(sendTimeoutMs);
    if (!finished)
        output_.reset();
    if (sent != midiSuccess)
        fetchErrorText(sent, outcome);
    output_.unprepare();
    output_.pause(closePauseMs);
    output_.close();
    outcome.result = sent != midiSuccess ? SendResult::refused : finished ? SendResult::sent : SendResult::timedOut;
    if (sent == midiSuccess)
        outcome.note = std::move(note);
    return outcome;
}

void MidiSender::fetchErrorText(MidiResult code, SendOutcome& outcome)
{
    outcome.errorText.fill('\0');
    output_.errorText(code, outcome.errorText.data(), errorTextLimit);
    outcome.errorText[errorTextLimit - 1] = '\0';
}

} // namespace hwd
