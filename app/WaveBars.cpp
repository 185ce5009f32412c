#include "WaveBars.h"

#include "WaveViewGeometry.h"

namespace hwd {

void drawWaveBars(Drawing& drawing, Rect box, const SampleArray& wave)
{
    constexpr Colour black{0, 0, 0};
    if (box.width <= 0 || box.height <= 0)
        return;
    drawing.fill(box, black);
    if (box.width > 2 && box.height > 2)
        drawing.fill({box.x + 1, box.y + 1, box.width - 2, box.height - 2}, waveBoxColour);

    const WaveViewGeometry::Mapping mapping(box.width, box.height, WaveViewGeometry::marginExtent);
    for (int i = 0; i < waveshapeSampleCount; ++i) {
        const Rect bar = mapping.bar(i, wave[static_cast<std::size_t>(i)]);
        if (bar.width > 0 && bar.height > 0)
            drawing.fill({box.x + bar.x, box.y + bar.y, bar.width, bar.height}, black);
    }
    drawing.fill({box.x, box.y + mapping.centreRow(), box.width, 1}, black);
}

} // namespace hwd
