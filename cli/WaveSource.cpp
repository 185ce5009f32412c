#include "WaveSource.h"

#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <cstdio>

namespace hwd {

const char* loadAndEdit(Waveshape& wave, const char* path, std::span<const WaveOp> ops,
    std::optional<std::uint32_t> seed) noexcept
{
    if (!WaveFileLoader(wave).load(path))
        return wave.lastError;
    beginEditing(wave);
    applyWaveOps(wave, ops, seed);
    return nullptr;
}

int loadFailure(const char* message, const char* file)
{
    if (file != nullptr)
        std::fprintf(stderr, "%s: %s\n", file, message);
    else
        std::fprintf(stderr, "%s\n", message);
    return 1;
}

} // namespace hwd
