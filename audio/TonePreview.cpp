#include "audio/TonePreview.h"

namespace hwd {

std::int16_t halfLevel(std::int16_t fullLevel) noexcept
{
    const int value = fullLevel;
    return static_cast<std::int16_t>(value >= 0 ? (value + 1) / 2 : -((1 - value) / 2));
}

TonePreview::TonePreview(const Waveshape& wave, double hz, std::uint32_t rate) noexcept
    : wave_(&wave), hz_(hz), rate_(rate)
{
}

void TonePreview::fill(std::span<std::int16_t> frames) noexcept
{
    for (std::int16_t& frame : frames) {
        frame = wave_->loaded ? halfLevel(ToneRender::frame(wave_->samples, nextFrame_, hz_, rate_)) : 0;
        ++nextFrame_;
    }
}

} // namespace hwd
