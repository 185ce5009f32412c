#include "WaveOps.h"

#include "wave/WaveOperations.h"

#include <array>

namespace {

struct NamedOp {
    std::string_view name;
    WaveOp op;
};

constexpr std::array<NamedOp, 6> namedOps{{
    {"filter", WaveOp::filter},
    {"normalize", WaveOp::normalize},
    {"additive", WaveOp::additive},
    {"random-pd", WaveOp::randomPD},
    {"clear", WaveOp::clear},
    {"undo", WaveOp::undo},
}};

void apply(Waveshape& wave, WaveOp op, std::optional<std::uint32_t> seed) noexcept
{
    switch (op) {
    case WaveOp::filter: WaveOperations::filter(wave); return;
    case WaveOp::normalize: WaveOperations::normalize(wave); return;
    case WaveOp::additive: WaveOperations::additive(wave); return;
    case WaveOp::randomPD:
        WaveOperations::randomPD(wave, seed ? *seed : WaveOperations::millisecondTicks());
        return;
    case WaveOp::clear: WaveOperations::clear(wave); return;
    case WaveOp::undo: WaveOperations::undoLast(wave); return;
    }
}

} // namespace

std::optional<WaveOp> waveOpNamed(std::string_view name) noexcept
{
    for (const NamedOp& named : namedOps) {
        if (named.name == name)
            return named.op;
    }
    return std::nullopt;
}

const char* waveOpNames() noexcept
{
    return "filter, normalize, additive, random-pd, clear, undo";
}

void applyWaveOps(Waveshape& wave, std::span<const WaveOp> ops, std::optional<std::uint32_t> seed) noexcept
{
    for (const WaveOp op : ops)
        apply(wave, op, seed);
}
