#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What wavedump must print and write, worked out apart from the program's own
// code, so that a fault in the loader, the edits or the dump builder cannot
// move the expectation along with it: sample values read straight from a
// file's bytes or taken from the fixed rows of expected/waves.txt (written
// once by expected/make_waves.py), and dumps laid out byte by byte.

using Samples = std::vector<std::int16_t>;

// An example file, e.g. "saw.wav".
[[nodiscard]] std::filesystem::path example(std::string_view name);

// The samples of a well-formed WAV file's first "data" chunk after "fmt ", as
// stored; an odd last byte is dropped.
[[nodiscard]] Samples dataSamples(const std::filesystem::path& wav);

// What loading keeps of a run of samples: 128 as they stand, a longer run at
// the fixed nearest-sample picks for its length.
[[nodiscard]] Samples loadedSamples(const Samples& run);

// An example file as wavedump holds it after ops in order (seed: that of
// every random-pd).
[[nodiscard]] Samples expectedWave(std::string_view example, const std::vector<std::string>& ops = {},
    std::uint32_t seed = 0);

// The text `wavedump samples` prints: one decimal per line.
[[nodiscard]] std::string samplesText(std::span<const std::int16_t> samples);

// The 300-byte dump of 128 samples for a user slot (97 to 128).
[[nodiscard]] std::string expectedDump(std::span<const std::int16_t> samples, int slot);
