#pragma once

#include "audio/TonePreview.h"

#include <string>

namespace hwd {

class PreviewOutput;

// Listen: starts and stops the looped preview of the current wave on the
// default audio output. The preview stops when the toggle goes, so it never
// outlives the program's window.
class ListenToggle final {
public:
    ListenToggle(PreviewOutput& output, const Waveshape& wave) noexcept;
    ListenToggle(const ListenToggle&) = delete;
    ListenToggle& operator=(const ListenToggle&) = delete;
    ~ListenToggle();

    // Stops when listening, else starts from the start of the tone. When the
    // output cannot be opened, the warning box's text with the system's
    // reason; else empty.
    [[nodiscard]] std::string toggle();
    void stop() noexcept;
    // The wave heard from the next piece on: the Import Cycle window's result
    // while it is open, the current wave again after it.
    void follow(const Waveshape& wave) noexcept;
    [[nodiscard]] bool listening() const noexcept;

private:
    PreviewOutput& output_;
    TonePreview preview_;
};

// The first words of the warning box, before the system's reason.
inline constexpr const char* audioOpenFailed = "Failed to open the audio output. ";

} // namespace hwd
