#include "WaveOps.h"

#include "WaveOperations.h"

namespace hwd {

std::optional<WaveOp> waveOpNamed(std::string_view name) noexcept
{
    for (const WaveOpEntry& entry : waveOpTable) {
        if (entry.name == name)
            return entry.op;
    }
    return std::nullopt;
}

const char* waveOpNames() noexcept
{
    return "filter, normalize, additive, random-pd, clear, undo";
}

void applyWaveOp(Waveshape& wave, WaveOp op, std::uint32_t seed) noexcept
{
    switch (op) {
    case WaveOp::filter: WaveOperations::filter(wave); return;
    case WaveOp::normalize: WaveOperations::normalize(wave); return;
    case WaveOp::additive: WaveOperations::additive(wave); return;
    case WaveOp::randomPD: WaveOperations::randomPD(wave, seed); return;
    case WaveOp::clear: WaveOperations::clear(wave); return;
    case WaveOp::undo: WaveOperations::undoLast(wave); return;
    }
}

void applyWaveOps(Waveshape& wave, std::span<const WaveOp> ops, std::optional<std::uint32_t> seed) noexcept
{
    for (const WaveOp op : ops)
        applyWaveOp(wave, op, seed ? *seed : WaveOperations::millisecondTicks());
}

void beginEditing(Waveshape& wave) noexcept
{
    WaveOperations::takeSnapshot(wave);
}

} // namespace hwd
