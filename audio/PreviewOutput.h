#pragma once

#include <string>

namespace hwd {

class TonePreview;

// The system's default audio output as the looped preview uses it. The
// platform's version feeds the device from the program's one event loop, taking
// frames from the source whenever the device has room, and keeps no more than a
// few tens of milliseconds queued, so that a change to the wave is soon heard.
class PreviewOutput {
public:
    virtual ~PreviewOutput() = default;
    // Opens the default output and starts playing source, which must outlive
    // the playing. The empty text when playing, else the system's reason.
    [[nodiscard]] virtual std::string start(TonePreview& source) = 0;
    // Stops at once and closes the device; nothing when not playing.
    virtual void stop() noexcept = 0;
    [[nodiscard]] virtual bool playing() const noexcept = 0;
};

} // namespace hwd
