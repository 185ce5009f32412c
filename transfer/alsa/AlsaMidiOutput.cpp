// The MIDI output layer on ALSA's raw MIDI interface. Device ids number the
// output subdevices of all cards in (card, device, subdevice) order (see
// AlsaPortList.h); the ports of the virtual raw MIDI driver count as software
// ports, everything else as hardware. A long message is written into the port's
// stream at once and is done when the stream has drained, which the completion
// signal's wait watches. A port that another program holds through the ALSA
// sequencer (a DAW connected to the interface) is reached through the
// sequencer's own port for it.
#include "AlsaMidiOutput.h"

#include "AlsaPortList.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace hwd {

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait looks whether the port's stream has drained; 300 bytes take
// about 100 ms on a MIDI link.
constexpr auto drainPollInterval = std::chrono::milliseconds(1);

// Codes of their own, beyond every errno value, for failures told in words a
// musician can act on. The default port's open when no port is listed at all:
constexpr MidiResult noOutputPort = 0x10000;
constexpr const char* noOutputPortText = "there is no MIDI output port";
// A port that another program holds, with no way round it, when the system
// says which program that is:
constexpr MidiResult heldByProgram = 0x10001;

// The port while it is open, shared with the completion signal that watches it.
struct OpenPort {
    std::unique_ptr<AlsaOutputStream> stream;
    // A message has been written and the stream has not been seen drained yet.
    bool inFlight = false;
};

// Manual reset: set when the watched port's stream has drained or been dropped.
class AlsaCompletionSignal final : public MidiCompletionSignal {
public:
    void reset() override { signalled_ = false; }

    bool wait(unsigned timeoutMs) override
    {
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (signalled_)
                return true;
            if (port_ && port_->inFlight && port_->stream->drained()) {
                port_->inFlight = false;
                signalled_ = true;
                return true;
            }
            const auto now = Clock::now();
            if (now >= deadline)
                return false;
            std::this_thread::sleep_for(std::min<Clock::duration>(drainPollInterval, deadline - now));
        }
    }

    void set() noexcept { signalled_ = true; }
    void watch(OpenPort* port) noexcept { port_ = port; }

private:
    bool signalled_ = false;
    OpenPort* port_ = nullptr;
};

class AlsaMidiOutput final : public MidiOutput {
public:
    AlsaMidiOutput(std::unique_ptr<AlsaCards> cards, std::unique_ptr<AlsaPortAccess> access)
        : cards_(std::move(cards)), access_(std::move(access))
    {
    }
    AlsaMidiOutput(const AlsaMidiOutput&) = delete;
    AlsaMidiOutput& operator=(const AlsaMidiOutput&) = delete;
    ~AlsaMidiOutput() override { close(); }

    unsigned deviceCount() override { return static_cast<unsigned>(ports().size()); }

    MidiResult deviceCaps(unsigned deviceId, MidiOutputCaps& caps) override
    {
        const auto& ports = this->ports();
        if (deviceId >= ports.size())
            return ENODEV;
        const AlsaOutputPort& port = ports[deviceId];
        const std::size_t length = strnlen(port.name.c_str(), sizeof caps.name - 1);
        std::memset(caps.name, 0, sizeof caps.name);
        std::memcpy(caps.name, port.name.data(), length);
        caps.hardwarePort = !port.software;
        return midiSuccess;
    }

    MidiAccessProblem accessProblem() override { return cards_->accessProblem(); }

    std::unique_ptr<MidiCompletionSignal> createCompletionSignal() override
    {
        return std::make_unique<AlsaCompletionSignal>();
    }

    MidiResult open(int deviceId, MidiCompletionSignal& done) override
    {
        auto* signal = dynamic_cast<AlsaCompletionSignal*>(&done);
        if (!signal)
            return EINVAL;
        if (port_.stream)
            return EBUSY;
        note_.clear();
        holderText_.clear();

        std::optional<AlsaPortAddress> address;
        if (deviceId != defaultMidiDevice) {
            const auto& ports = this->ports();
            if (deviceId < 0 || static_cast<std::size_t>(deviceId) >= ports.size())
                return ENODEV;
            const AlsaOutputPort& port = ports[static_cast<std::size_t>(deviceId)];
            address = AlsaPortAddress{port.card, port.device, port.subdevice};
        }
        AlsaOpenedStream opened = access_->openRawMidi(address ? hardwareName(*address) : "default");
        if (opened.error == EBUSY && address)
            opened = shareHeldPort(*address);
        if (!opened.stream) {
            // The system's "No such file or directory" tells a musician nothing.
            const bool noPort = !address && (opened.error == ENOENT || opened.error == ENODEV);
            return noPort && deviceCount() == 0 ? noOutputPort : opened.error;
        }

        port_ = OpenPort{std::move(opened.stream), false};
        signal_ = signal;
        signal_->watch(&port_);
        return midiSuccess;
    }

    std::string openNote() override { return note_; }

    // The stream copies the bytes: nothing to lock in place.
    void prepare(std::span<const std::uint8_t>) override {}
    void unprepare() override {}

    MidiResult sendLong(std::span<const std::uint8_t> message) override
    {
        if (!port_.stream)
            return EBADF;
        const MidiResult written = port_.stream->write(message);
        port_.inFlight = written == midiSuccess;
        // A message the stream did not take is done with at once: waiting for
        // it would only hold the failure back.
        if (written != midiSuccess && signal_)
            signal_->set();
        return written;
    }

    void reset() override
    {
        if (!port_.stream)
            return;
        port_.stream->drop();
        // The dropped message is done with, as after a drain.
        if (port_.inFlight && signal_)
            signal_->set();
        port_.inFlight = false;
    }

    void close() override
    {
        if (!port_.stream)
            return;
        if (signal_)
            signal_->watch(nullptr);
        signal_ = nullptr;
        port_ = OpenPort{};
    }

    void errorText(MidiResult code, char* text, std::size_t size) override
    {
        // The codes are errno values; one that no int holds has no text (and
        // negating it would overflow).
        if (size == 0 || code > static_cast<MidiResult>(INT_MAX))
            return;
        std::string message;
        if (code == noOutputPort)
            message = noOutputPortText;
        else if (code == heldByProgram)
            message = snd_strerror(-EBUSY) + holderText_;
        else if (const char* system = snd_strerror(-static_cast<int>(code)))
            message = system;
        else
            return;
        const std::size_t length = std::min(message.size(), size - 1);
        std::memcpy(text, message.data(), length);
        text[length] = '\0';
    }

    void pause(unsigned milliseconds) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }

private:
    // Devices come and go, so every ask looks whether the system's device list
    // changed; only then are the cards walked again. The port list asks the
    // count before each device, and a walk of every card for each ask made a
    // listing cost as many walks as there are subdevices.
    const std::vector<AlsaOutputPort>& ports()
    {
        const std::optional<std::uint64_t> version = cards_->deviceListVersion();
        if (!version || version != walkedVersion_) {
            ports_ = listAlsaOutputPorts(*cards_);
            walkedVersion_ = version;
        }
        return ports_;
    }

    static std::string hardwareName(const AlsaPortAddress& port)
    {
        return "hw:" + std::to_string(port.card) + "," + std::to_string(port.device) + ","
            + std::to_string(port.subdevice);
    }

    // The raw MIDI port is held by another program. A sequencer connection
    // holds it this way, and then the sequencer's port for it still takes the
    // dump; else the failure names the holder when the system does.
    AlsaOpenedStream shareHeldPort(const AlsaPortAddress& address)
    {
        const std::optional<AlsaPortHolder> holder = access_->holder(address);
        const bool named = holder && !holder->program.empty();
        const std::string who = named ? holder->program + ", process " + std::to_string(holder->pid) : "";
        AlsaOpenedStream shared = access_->openSequencerPort(address);
        if (shared.stream) {
            // The process that made a connection may have ended while the connection lives on.
            note_ = "sent through the ALSA sequencer (the port is "
                + (named ? "held by " + who : std::string("in use through the sequencer")) + ")";
            return shared;
        }
        if (!named)
            return {nullptr, EBUSY};
        holderText_ = " (held by " + who + ")";
        return {nullptr, heldByProgram};
    }

    std::unique_ptr<AlsaCards> cards_;
    std::unique_ptr<AlsaPortAccess> access_;
    // The ports of the last walk, and the version of the device list it saw.
    std::vector<AlsaOutputPort> ports_;
    std::optional<std::uint64_t> walkedVersion_;
    OpenPort port_;
    AlsaCompletionSignal* signal_ = nullptr;
    // How the open port is reached when another program holds it; empty the usual way.
    std::string note_;
    // Who holds the port that the last open found held, for its error text.
    std::string holderText_;
};

void quietAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

} // namespace

std::unique_ptr<MidiOutput> makeAlsaMidiOutput(std::unique_ptr<AlsaCards> cards, std::unique_ptr<AlsaPortAccess> access)
{
    // The library would print its own lines on stderr besides the failure the
    // user is shown; the error codes carry everything the program reports.
    snd_lib_error_set_handler(quietAlsaErrors);
    return std::make_unique<AlsaMidiOutput>(std::move(cards), std::move(access));
}

std::unique_ptr<MidiOutput> makeSystemMidiOutput()
{
    return makeAlsaMidiOutput(makeSystemAlsaCards(), makeSystemAlsaPortAccess());
}

} // namespace hwd
