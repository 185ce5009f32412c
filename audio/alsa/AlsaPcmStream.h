#pragma once

#include <poll.h>

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

    // The descriptors to watch and the events ALSA wants on each; empty when closed.
    [[nodiscard]] std::vector<pollfd> pollDescriptors() const;

    // After a watched descriptor fired (revents as poll() reported them, in the
    // order of pollDescriptors()): writes as many frames as the device has room
    // for and recovers from an underrun. The empty text while playing, else the
    // reason the stream stopped for good (it is then closed).
    [[nodiscard]] std::string service(std::vector<pollfd> fired);

private:
    ::_snd_pcm* pcm_ = nullptr;
    TonePreview* source_ = nullptr;
};

} // namespace hwd
