#pragma once

#include "wave/Waveshape.h"

#include <string>

namespace hwd {

// The wave as a plain-ASCII bar picture for a terminal: 64 columns of two
// samples each (the one further from the centre line shown), bars of up to 8
// rows above and below a centre line, framed. Every line ends in '\n'.
[[nodiscard]] std::string drawBarPicture(const SampleArray& samples);

} // namespace hwd
