#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

struct Waveshape;

// The Wave Tweaker's buttons as the command line names them (`--op NAME`).
enum class WaveOp { filter, normalize, additive, randomPD, clear, undo };

// The op called name ("filter", "normalize", "additive", "random-pd", "clear",
// "undo"), or nothing for any other text.
[[nodiscard]] std::optional<WaveOp> waveOpNamed(std::string_view name) noexcept;

// "filter, normalize, additive, random-pd, clear, undo", for usage texts.
[[nodiscard]] const char* waveOpNames() noexcept;

// Applies ops to wave in order, as the editor's buttons would. Every random-pd
// is seeded with seed when one is given, else with the millisecond tick count
// at that moment, as a click in the editor is.
void applyWaveOps(Waveshape& wave, std::span<const WaveOp> ops, std::optional<std::uint32_t> seed) noexcept;
