#pragma once

#include "Drawing.h"
#include "wave/Waveshape.h"

namespace hwd {

inline constexpr Colour waveBoxColour{128, 128, 255}; // the main picture's light blue

// The 128 samples drawn into box as the main picture draws a wave: black
// outermost pixels, the light blue box, black bars from the centre line on the
// main picture's scale, and the centre line over them.
void drawWaveBars(Drawing& drawing, Rect box, const SampleArray& wave);

} // namespace hwd
