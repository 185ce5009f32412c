// A raw MIDI port open for output. A message is written into the port's buffer
// at once, and has left once that buffer has drained.
#include "AlsaSystemPorts.h"

#include <alsa/asoundlib.h>

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <iterator>
#include <thread>

namespace hwd {

namespace {

using Clock = std::chrono::steady_clock;

// 300 bytes fit the smallest buffer a raw MIDI port has, so the write normally
// ends at once; a port that takes nothing for this long is stuck.
constexpr auto writeLimit = std::chrono::milliseconds(1000);
// How long to wait for room when the port cannot say when it has some.
constexpr auto roomPollInterval = std::chrono::milliseconds(1);

class RawMidiStream final : public AlsaOutputStream {
public:
    explicit RawMidiStream(snd_rawmidi_t* handle) : handle_(handle)
    {
        snd_rawmidi_params_t* params;
        snd_rawmidi_params_alloca(&params);
        if (snd_rawmidi_params_current(handle_, params) == 0)
            bufferSize_ = snd_rawmidi_params_get_buffer_size(params);
    }
    RawMidiStream(const RawMidiStream&) = delete;
    RawMidiStream& operator=(const RawMidiStream&) = delete;
    ~RawMidiStream() override { snd_rawmidi_close(handle_); }

    MidiResult write(std::span<const std::uint8_t> message) override
    {
        const auto deadline = Clock::now() + writeLimit;
        std::size_t written = 0;
        while (written < message.size()) {
            const ssize_t result = snd_rawmidi_write(handle_, message.data() + written, message.size() - written);
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
        return midiSuccess;
    }

    bool drained() override
    {
        // Other kinds of port (the sequencer-backed "virtual" one) keep no buffer
        // that the status reports, and their write has passed the bytes on
        // already. Their drain is not asked: it waits on the sequencer without
        // any time limit.
        if (snd_rawmidi_type(handle_) != SND_RAWMIDI_TYPE_HW)
            return true;
        snd_rawmidi_status_t* status;
        snd_rawmidi_status_alloca(&status);
        if (snd_rawmidi_status(handle_, status) < 0)
            return true;
        return snd_rawmidi_status_get_avail(status) >= bufferSize_;
    }

    void drop() override { snd_rawmidi_drop(handle_); }

private:
    void waitForRoom(std::chrono::milliseconds limit)
    {
        pollfd descriptors[4];
        const int count = snd_rawmidi_poll_descriptors(handle_, descriptors, std::size(descriptors));
        if (count <= 0) {
            std::this_thread::sleep_for(roomPollInterval);
            return;
        }
        ::poll(descriptors, static_cast<nfds_t>(count), static_cast<int>(std::max<long long>(limit.count(), 1)));
    }

    snd_rawmidi_t* handle_;
    std::size_t bufferSize_ = 0;
};

} // namespace

AlsaOpenedStream openRawMidiStream(const std::string& name)
{
    snd_rawmidi_t* handle = nullptr;
    if (const int result = snd_rawmidi_open(nullptr, &handle, name.c_str(), SND_RAWMIDI_NONBLOCK); result < 0)
        return {nullptr, static_cast<MidiResult>(-result)};
    return {std::make_unique<RawMidiStream>(handle), midiSuccess};
}

} // namespace hwd
