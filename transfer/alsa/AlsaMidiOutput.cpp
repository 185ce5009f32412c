// The MIDI output layer on ALSA's raw MIDI interface. Device ids number the
// output subdevices of all cards in (card, device, subdevice) order (see
// AlsaPortList.h); the ports of the virtual raw MIDI driver count as software
// ports, everything else as hardware. A long message is written into the port's
// buffer at once and is done when that buffer has drained, which the completion
// signal's wait watches.
#include "AlsaMidiOutput.h"

#include "AlsaPortList.h"

#include <alsa/asoundlib.h>

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace hwd {

namespace {

using Clock = std::chrono::steady_clock;

// 300 bytes fit the smallest buffer a raw MIDI port has, so the write normally
// ends at once; a port that takes nothing for this long is stuck.
constexpr auto writeLimit = std::chrono::milliseconds(1000);
// How often a wait looks whether the port's buffer has drained; 300 bytes take
// about 100 ms on a MIDI link.
constexpr auto drainPollInterval = std::chrono::milliseconds(1);

// The default port's open when no port is listed at all: a code of its own,
// beyond every errno value, with words a musician can act on.
constexpr MidiResult noOutputPort = 0x10000;
constexpr const char* noOutputPortText = "there is no MIDI output port";

// The port while it is open, shared with the completion signal that watches it.
struct OpenPort {
    snd_rawmidi_t* handle = nullptr;
    std::size_t bufferSize = 0;
    // A message has been written and the buffer has not been seen empty yet.
    bool inFlight = false;

    // True once the buffer is empty, or once the port can no longer say.
    bool drained()
    {
        // Other kinds of port (the sequencer-backed "virtual" one) keep no buffer
        // that the status reports, and their write has passed the bytes on
        // already. Their drain is not asked: it waits on the sequencer without
        // any time limit.
        if (snd_rawmidi_type(handle) != SND_RAWMIDI_TYPE_HW)
            return true;
        snd_rawmidi_status_t* status;
        snd_rawmidi_status_alloca(&status);
        if (snd_rawmidi_status(handle, status) < 0)
            return true;
        return snd_rawmidi_status_get_avail(status) >= bufferSize;
    }
};

// Manual reset: set when the watched port's buffer has drained or been dropped.
class AlsaCompletionSignal final : public MidiCompletionSignal {
public:
    void reset() override { signalled_ = false; }

    bool wait(unsigned timeoutMs) override
    {
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (signalled_)
                return true;
            if (port_ && port_->inFlight && port_->drained()) {
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
    explicit AlsaMidiOutput(std::unique_ptr<AlsaCards> cards) : cards_(std::move(cards)) {}
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
        if (port_.handle)
            return EBUSY;

        char name[48] = "default";
        if (deviceId != defaultMidiDevice && !portName(deviceId, name, sizeof name))
            return ENODEV;
        // Non-blocking, so that a port another program holds fails at once.
        snd_rawmidi_t* handle = nullptr;
        if (const int result = snd_rawmidi_open(nullptr, &handle, name, SND_RAWMIDI_NONBLOCK); result < 0) {
            // The system's "No such file or directory" tells a musician nothing.
            const bool noPort = deviceId == defaultMidiDevice && (result == -ENOENT || result == -ENODEV);
            return noPort && deviceCount() == 0 ? noOutputPort : static_cast<MidiResult>(-result);
        }

        snd_rawmidi_params_t* params;
        snd_rawmidi_params_alloca(&params);
        std::size_t bufferSize = 0;
        if (snd_rawmidi_params_current(handle, params) == 0)
            bufferSize = snd_rawmidi_params_get_buffer_size(params);
        port_ = OpenPort{handle, bufferSize, false};
        signal_ = signal;
        signal_->watch(&port_);
        return midiSuccess;
    }

    // Raw MIDI copies the bytes into the port's own buffer: nothing to lock in place.
    void prepare(std::span<const std::uint8_t>) override {}
    void unprepare() override {}

    MidiResult sendLong(std::span<const std::uint8_t> message) override
    {
        if (!port_.handle)
            return EBADF;
        const auto deadline = Clock::now() + writeLimit;
        std::size_t written = 0;
        while (written < message.size()) {
            const ssize_t result =
                snd_rawmidi_write(port_.handle, message.data() + written, message.size() - written);
            if (result > 0) {
                written += static_cast<std::size_t>(result);
                continue;
            }
            if (result < 0 && result != -EAGAIN && result != -EINTR)
                return static_cast<MidiResult>(-result);
            const auto now = Clock::now();
            if (now >= deadline)
                return ETIMEDOUT;
            waitForRoom(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now));
        }
        port_.inFlight = true;
        return midiSuccess;
    }

    void reset() override
    {
        if (!port_.handle)
            return;
        snd_rawmidi_drop(port_.handle);
        // The dropped buffer is done with, as after a drain.
        if (port_.inFlight && signal_)
            signal_->set();
        port_.inFlight = false;
    }

    void close() override
    {
        if (!port_.handle)
            return;
        if (signal_)
            signal_->watch(nullptr);
        signal_ = nullptr;
        snd_rawmidi_close(port_.handle);
        port_ = OpenPort{};
    }

    void errorText(MidiResult code, char* text, std::size_t size) override
    {
        // The codes are errno values; one that no int holds has no text (and
        // negating it would overflow).
        if (size == 0 || code > static_cast<MidiResult>(INT_MAX))
            return;
        const char* message = code == noOutputPort ? noOutputPortText : snd_strerror(-static_cast<int>(code));
        if (!message)
            return;
        const std::size_t length = strnlen(message, size - 1);
        std::memcpy(text, message, length);
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

    bool portName(int deviceId, char* name, std::size_t size)
    {
        const auto& ports = this->ports();
        if (deviceId < 0 || static_cast<std::size_t>(deviceId) >= ports.size())
            return false;
        const AlsaOutputPort& port = ports[static_cast<std::size_t>(deviceId)];
        std::snprintf(name, size, "hw:%d,%d,%u", port.card, port.device, port.subdevice);
        return true;
    }

    void waitForRoom(std::chrono::milliseconds limit)
    {
        pollfd descriptors[4];
        const int count = snd_rawmidi_poll_descriptors(port_.handle, descriptors, std::size(descriptors));
        if (count <= 0) {
            std::this_thread::sleep_for(drainPollInterval);
            return;
        }
        ::poll(descriptors, static_cast<nfds_t>(count), static_cast<int>(std::max<long long>(limit.count(), 1)));
    }

    std::unique_ptr<AlsaCards> cards_;
    // The ports of the last walk, and the version of the device list it saw.
    std::vector<AlsaOutputPort> ports_;
    std::optional<std::uint64_t> walkedVersion_;
    OpenPort port_;
    AlsaCompletionSignal* signal_ = nullptr;
};

void quietAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

} // namespace

std::unique_ptr<MidiOutput> makeAlsaMidiOutput(std::unique_ptr<AlsaCards> cards)
{
    // The library would print its own lines on stderr besides the failure the
    // user is shown; the error codes carry everything the program reports.
    snd_lib_error_set_handler(quietAlsaErrors);
    return std::make_unique<AlsaMidiOutput>(std::move(cards));
}

std::unique_ptr<MidiOutput> makeSystemMidiOutput()
{
    return makeAlsaMidiOutput(makeSystemAlsaCards());
}

} // namespace hwd
