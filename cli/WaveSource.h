#pragma once

#include "wave/WaveOps.h"

#include <cstdint>
#include <optional>
#include <span>

namespace hwd {

struct Waveshape;

// Brings a WAV file into the wave as the desktop program does and then edits it
// as the Wave Tweaker would: the loader fills the wave, the editor's opening
// snapshot sets undo to the loaded samples, and the ops run in order (every
// random-pd with seed when one is given, else with the millisecond tick count).
//
// Returns nullptr when the file loaded, else the loader's message (the wave's
// lastError), which the caller shows as it stands. A failed load runs no op.
[[nodiscard]] const char* loadAndEdit(Waveshape& wave, const char* path, std::span<const WaveOp> ops,
    std::optional<std::uint32_t> seed) noexcept;

// Shows a load failure as one line on standard error ("MESSAGE", or
// "FILE: MESSAGE" when a file name is given) and returns the exit code 1.
int loadFailure(const char* message, const char* file = nullptr);

} // namespace hwd
