#include "Waveshape.h"

Waveshape& currentWaveshape() noexcept
{
    static Waveshape wave;
    return wave;
}
