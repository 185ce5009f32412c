#pragma once

#include "wave/ToneRender.h"
#include "wave/Waveshape.h"

#include <cstdint>
#include <span>

namespace hwd {

// Listen plays middle C...
inline constexpr int previewNote = 60;
// ...at the rate every current output takes without resampling.
inline constexpr std::uint32_t previewRate = 48000;

// A full-level frame at half level: halved, halves away from zero.
[[nodiscard]] std::int16_t halfLevel(std::int16_t fullLevel) noexcept;

// The looped preview's sound: the tone that `wavedump render` writes for the
// current wave, at half level, made a piece at a time as the audio output asks
// for it. It reads the wave at every fill, so a load, a Tweaker button or a pen
// stroke is heard from the next frame made; while no wave is loaded it makes
// silence. Frame numbers run on from one fill to the next.
class TonePreview final {
public:
    explicit TonePreview(const Waveshape& wave, double hz = ToneRender::noteFrequency(previewNote),
                         std::uint32_t rate = previewRate) noexcept;

    // The next frames.size() frames.
    void fill(std::span<std::int16_t> frames) noexcept;
    // The next frame made is frame 0 again.
    void restart() noexcept { nextFrame_ = 0; }
    // Plays wave from the next fill on, without a break in the tone.
    void follow(const Waveshape& wave) noexcept { wave_ = &wave; }

    [[nodiscard]] std::uint32_t rate() const noexcept { return rate_; }
    [[nodiscard]] std::uint64_t framesMade() const noexcept { return nextFrame_; }

private:
    const Waveshape* wave_;
    double hz_;
    std::uint32_t rate_;
    std::uint64_t nextFrame_ = 0;
};

} // namespace hwd
