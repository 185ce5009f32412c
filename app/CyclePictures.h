#pragma once

#include "Drawing.h"
#include "WaveBars.h"
#include "wave/CycleImport.h"
#include "wave/Waveshape.h"

#include <cstdint>
#include <span>
#include <vector>

namespace hwd {

// The two pictures of the Import Cycle window, in pixels of their client areas.
namespace CyclePictures {

inline constexpr Colour black{0, 0, 0};
inline constexpr Colour white{255, 255, 255};
inline constexpr Colour boxColour = waveBoxColour; // the main picture's box
inline constexpr Colour markColour{255, 0, 128};   // the main picture's mark
inline constexpr Colour envelopeColour{48, 48, 128};

// The whole recording's envelope, summarised once so that each repaint costs
// the width of the picture and not the length of the recording.
class Overview final {
public:
    explicit Overview(std::span<const float> frames);

    // Each column shows the lowest and highest frame under it, on white; the
    // cycle is marked over it, at least one column wide.
    [[nodiscard]] Drawing draw(Size client, const Cycle& cycle) const;
    // The frame under column x.
    [[nodiscard]] std::uint64_t frameAt(int x, Size client) const noexcept;

private:
    struct Span {
        float lowest;
        float highest;
    };
    std::uint64_t frameCount_;
    std::uint64_t framesPerBlock_;
    std::vector<Span> blocks_;
};

// The cycle zoomed to the picture's width as a white trace, with the 128
// samples made of it drawn over it as the main picture draws a wave: black
// bars from the centre line in the light blue box, on the same scale.
[[nodiscard]] Drawing drawCycle(std::span<const float> frames, const Cycle& cycle, const SampleArray& wave,
                                Size client);

} // namespace CyclePictures

} // namespace hwd
