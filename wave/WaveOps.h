#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace hwd {

struct Waveshape;

// The Wave Tweaker's six edits as one table, shared by the editor of both
// desktop programs and by wavedump's `--op NAME`.
enum class WaveOp { filter, normalize, additive, randomPD, clear, undo };

struct WaveOpEntry {
    WaveOp op;
    std::string_view name;  // as wavedump names it
    const char* label;      // the editor button's text
};

// In the order the editor shows its buttons from the top, which is also the
// order wavedump lists them.
inline constexpr std::array<WaveOpEntry, 6> waveOpTable{{
    {WaveOp::filter, "filter", "Filter"},
    {WaveOp::normalize, "normalize", "Normalize"},
    {WaveOp::additive, "additive", "Additive"},
    {WaveOp::randomPD, "random-pd", "Random PD"},
    {WaveOp::clear, "clear", "Clear"},
    {WaveOp::undo, "undo", "Undo"},
}};

// The op called name ("filter", "normalize", "additive", "random-pd", "clear",
// "undo"), or nothing for any other text.
[[nodiscard]] std::optional<WaveOp> waveOpNamed(std::string_view name) noexcept;

// "filter, normalize, additive, random-pd, clear, undo", for usage texts.
[[nodiscard]] const char* waveOpNames() noexcept;

// One edit, as its button runs it; random-pd is seeded with seed.
void applyWaveOp(Waveshape& wave, WaveOp op, std::uint32_t seed) noexcept;

// Applies ops to wave in order, as the editor's buttons would. Every random-pd
// is seeded with seed when one is given, else with the millisecond tick count
// at that moment, as a click in the editor is.
void applyWaveOps(Waveshape& wave, std::span<const WaveOp> ops, std::optional<std::uint32_t> seed) noexcept;

// What opening the editor does to the wave: undo becomes a copy of the samples,
// so that Undo right after opening changes nothing.
void beginEditing(Waveshape& wave) noexcept;

} // namespace hwd
