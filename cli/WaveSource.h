#pragma once

#include "transfer/DumpBank.h"
#include "wave/WaveOps.h"
#include "wave/Waveshape.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hwd {

// Brings a WAV file into the wave as the desktop program does and then edits it
// as the Wave Tweaker would: the loader fills the wave, the editor's opening
// snapshot sets undo to the loaded samples, and the ops run in order (every
// random-pd with seed when one is given, else with the millisecond tick count).
//
// file is the name as given on the command line (see PathArgument.h).
// Returns nullptr when the file loaded, else the loader's message (the wave's
// lastError), which the caller shows as it stands. A failed load runs no op.
[[nodiscard]] const char* loadAndEdit(Waveshape& wave, std::string_view file, std::span<const WaveOp> ops,
    std::optional<std::uint32_t> seed);

// A wave command's FILE brought into the wave and edited: a WAV file as
// loadAndEdit brings it, or the one dump of a dump file (see DumpFile.h), as
// it would arrive, after which the ops run as after a load. 0 when done, else
// 1 after one line on standard error: the loader's message as it stands, or,
// for a dump file, "wavedump COMMAND: " and what is wrong with it in the words
// of send-syx.
[[nodiscard]] int loadWaveOrDump(std::string_view command, Waveshape& wave, const std::string& file,
    std::span<const WaveOp> ops, std::optional<std::uint32_t> seed);

// Shows a load failure as one line on standard error ("MESSAGE", or
// "FILE: MESSAGE" when a file name is given) and returns the exit code 1.
int loadFailure(const char* message, const char* file = nullptr);

// The wave of one file in a run of files for consecutive slots.
using SlotWave = SlotDump;

// Only user slots are ever written: files from firstSlot on that would pass
// slot 128 are a usage error of command (exit 2, after one line); nothing when
// they fit.
[[nodiscard]] std::optional<int> slotRangeProblem(std::string_view command, int firstSlot, std::size_t fileCount);

// Every file loaded and edited, the first for firstSlot and each next one for
// the next slot. All of them are tried, so that every file that fails is
// named (when there are several) with the loader's message; nothing then.
[[nodiscard]] std::optional<std::vector<SlotWave>> loadForSlots(std::span<const std::string> files, int firstSlot,
    std::span<const WaveOp> ops, std::optional<std::uint32_t> seed);

} // namespace hwd
