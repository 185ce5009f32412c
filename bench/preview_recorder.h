#pragma once

// The far side of a loopback sound card, read in the preview probe's own poll
// loop: every frame that came out, with the moment it came out, worked out
// from when its read returned. What the probe played goes in at the card's
// device 0 and comes out here at the pace of the card's clock.

#include <poll.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct _snd_pcm;

class PreviewRecorder final {
public:
    using Clock = std::chrono::steady_clock;

    PreviewRecorder() = default;
    PreviewRecorder(const PreviewRecorder&) = delete;
    PreviewRecorder& operator=(const PreviewRecorder&) = delete;
    ~PreviewRecorder();

    // Opens device for capture, mono signed 16-bit at rate, and starts it. The
    // empty text, else ALSA's reason.
    [[nodiscard]] std::string open(const char* device, unsigned rate);
    [[nodiscard]] std::vector<pollfd> pollDescriptors() const;
    // Takes every frame there is; now is when they were taken. The empty text,
    // else ALSA's reason (an overrun among them: frames were lost).
    [[nodiscard]] std::string read(Clock::time_point now);

    [[nodiscard]] const std::vector<std::int16_t>& frames() const noexcept { return frames_; }
    // When frame index came out: the read that took it, less the time of the
    // frames taken after it in the same read.
    [[nodiscard]] Clock::time_point cameOut(std::size_t index) const;

private:
    struct Read {
        std::size_t endIndex;
        Clock::time_point at;
    };

    ::_snd_pcm* pcm_ = nullptr;
    unsigned rate_ = 0;
    std::vector<std::int16_t> frames_;
    std::vector<Read> reads_;
};
