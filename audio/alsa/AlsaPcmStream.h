#pragma once

#include <poll.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// ALSA's own handle type, so that users of this header need no ALSA headers.
struct _snd_pcm;

namespace hwd {

class TonePreview;

// A non-blocking ALSA playback stream that takes its frames from a TonePreview:
// mono, signed 16-bit, at the source's rate, with short periods so that little
// is queued ahead. It never waits: whoever runs the event loop watches its poll
// descriptors and calls service() when one fires. No toolkit here; the desktop
// program wraps it in its own notifiers.
class AlsaPcmStream final {
public:
    AlsaPcmStream() = default;
    AlsaPcmStream(const AlsaPcmStream&) = delete;
    AlsaPcmStream& operator=(const AlsaPcmStream&) = delete;
    ~AlsaPcmStream();

    // Opens device for playback, fills its buffer from source and starts it.
    // The empty text when playing, else ALSA's reason, e.g. "No such file or
    // directory".
    [[nodiscard]] std::string open(TonePreview& source, const char* device = "default");
    // Drops what is queued and closes; nothing when closed.
    void close() noexcept;
    [[nodiscard]] bool isOpen() const noexcept { return pcm_ != nullptr; }
    // The size of the device's buffer as set at open, in frames; 0 when closed.
    [[nodiscard]] std::size_t bufferFrames() const noexcept { return pcm_ != nullptr ? frames_.size() : 0; }

    // The descriptors to watch and the events ALSA wants on each; empty when closed.
    [[nodiscard]] std::vector<pollfd> pollDescriptors() const;

    // After a watched descriptor fired (revents as poll() reported them, in the
    // order of pollDescriptors()): recovers from an underrun or a suspend, and
    // writes as many frames as the device has room for, so that the tone runs
    // on from the frame after the last one taken. The empty text while playing,
    // else the reason the stream stopped for good (it is then closed): the
    // device is gone ("No such device"), or sent an error event that neither
    // its state nor a write explains ("Input/output error"), which would
    // otherwise fire again at once. Allocates nothing, so that the caller may
    // hold its descriptors for the whole playing.
    [[nodiscard]] std::string service(std::span<pollfd> fired);

    // How many frames will be heard before the next frame the source makes:
    // what the device holds ahead of its output (ALSA's delay) and what was
    // made but not yet taken. Over the device's rate, how long an edit of the
    // wave takes to be heard. Nothing when closed or when the device cannot
    // tell (e.g. after an underrun, until the next service).
    [[nodiscard]] std::optional<long> queuedFrames() const;

private:
    [[nodiscard]] std::string feed();
    [[nodiscard]] std::string leaveErrorState();
    [[nodiscard]] std::string startIfPrepared();
    [[nodiscard]] std::string recover(long error);
    [[nodiscard]] std::string fail(long error);

    ::_snd_pcm* pcm_ = nullptr;
    TonePreview* source_ = nullptr;
    // One buffer's worth, made at open: frames[madeFrom_, madeTo_) are made
    // but not yet taken by the device, and go before any new ones.
    std::vector<std::int16_t> frames_;
    std::size_t madeFrom_ = 0;
    std::size_t madeTo_ = 0;
    // Frames the device has taken, counted on, so that a service can tell
    // whether it took any.
    std::uint64_t framesTaken_ = 0;
};

} // namespace hwd
