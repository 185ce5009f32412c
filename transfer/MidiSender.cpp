#include "MidiSender.h"

#include "WaveDumpMessage.h"
#include "wave/Waveshape.h"

#include <cstdio>
#include <cstring>

namespace hwd {

namespace {

// The platform's error text is cut at 98 characters.
constexpr std::size_t errorTextSize = 100;
constexpr std::size_t errorTextLimit = 99;

} // namespace

MidiSender::MidiSender(MidiOutput& output, const Waveshape& wave, ListControl& portList,
                       ListControl& waveNumberList, MessagePresenter& messages) noexcept
    : output_(output), wave_(wave), portList_(portList), waveNumberList_(waveNumberList), messages_(messages)
{
}

void MidiSender::fillWaveNumberList()
{
    for (int waveNumber = WaveDumpMessage::firstWaveNumber; waveNumber <= WaveDumpMessage::lastWaveNumber;
         ++waveNumber) {
        char label[8];
        std::snprintf(label, sizeof label, "%03d", waveNumber + 1);
        const int index = waveNumberList_.addItem(label);
        waveNumberList_.setItemData(index, waveNumber);
    }
    waveNumberList_.setCurrentIndex(0);
}

void MidiSender::fillPortList()
{
    // The count is asked again before each device, as devices may come and go.
    for (unsigned device = 0; device < output_.deviceCount(); ++device) {
        MidiOutputCaps caps;
        if (output_.deviceCaps(device, caps) != midiSuccess || !caps.hardwarePort)
            continue;
        caps.name[midiDeviceNameSize - 1] = '\0';
        const int index = portList_.addItem(caps.name);
        portList_.setItemData(index, static_cast<long>(device));
    }
    // With no port listed this selects nothing.
    portList_.setCurrentIndex(0);
}

SendResult MidiSender::send()
{
    if (!wave_.loaded)
        return SendResult::notLoaded;
    if (!sendDone_)
        sendDone_ = output_.createCompletionSignal();

    const auto device = static_cast<int>(portList_.itemData(portList_.currentIndex()));
    if (const MidiResult opened = output_.open(device, *sendDone_); opened != midiSuccess) {
        reportFailure(MidiSenderMessages::openFailed, opened);
        return SendResult::openFailed;
    }

    const std::uint8_t waveNumber = selectedWaveNumber();
    const auto message = WaveDumpMessage::build(wave_, waveNumber);
    output_.prepare(message);
    // Cleared right before the long message, so only this buffer's completion ends the wait.
    sendDone_->reset();
    const MidiResult sent = output_.sendLong(message);
    const bool finished = sendDone_->wait(sendTimeoutMs);
    if (!finished)
        output_.reset();
    if (sent != midiSuccess)
        reportFailure(MidiSenderMessages::sendFailed, sent);
    output_.unprepare();
    output_.pause(closePauseMs);
    output_.close();
    if (sent != midiSuccess)
        return SendResult::refused;
    return finished ? SendResult::sent : SendResult::timedOut;
}

std::uint8_t MidiSender::selectedWaveNumber() const
{
    return static_cast<std::uint8_t>(waveNumberList_.itemData(waveNumberList_.currentIndex()));
}

void MidiSender::reportFailure(const char* sentence, MidiResult code)
{
    char errorText[errorTextSize] = {};
    output_.errorText(code, errorText, errorTextLimit);
    errorText[errorTextLimit - 1] = '\0';
    char text[errorTextSize + 128];
    std::snprintf(text, sizeof text, "%s%s", sentence, errorText);
    messages_.show(text, applicationCaption, MessageIcon::Error);
}

} // namespace hwd
