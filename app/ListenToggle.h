#pragma once

#include "audio/TonePreview.h"

namespace hwd {

class MessagePresenter;
class PreviewOutput;

// Listen: starts and stops the looped preview of the current wave on the
// default audio output. A failure to open the output shows a warning box with
// the system's reason. The preview stops when the toggle goes, so it never
// outlives the program's window.
class ListenToggle final {
public:
    ListenToggle(PreviewOutput& output, MessagePresenter& messages, const Waveshape& wave) noexcept;
    ListenToggle(const ListenToggle&) = delete;
    ListenToggle& operator=(const ListenToggle&) = delete;
    ~ListenToggle();

    // Stops when listening, else starts from the start of the tone.
    void toggle();
    [[nodiscard]] bool listening() const noexcept;

private:
    PreviewOutput& output_;
    MessagePresenter& messages_;
    TonePreview preview_;
};

// The first words of the warning box, before the system's reason.
inline constexpr const char* audioOpenFailed = "Failed to open the audio output. ";

} // namespace hwd
