#include "Waveshape.h"

namespace hwd {

Waveshape& currentWaveshape() noexcept
{
    static Waveshape wave;
    return wave;
}

} // namespace hwd
