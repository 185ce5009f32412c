#pragma once

#include "wave/Waveshape.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace hwd {

// One dump of a bank: the samples and the user slot (97 to 128) they go to.
struct SlotDump {
    int slot = 0;
    SampleArray samples{};
};

// What a dump file holds: one 300-byte waveshape dump, or a bank of them one
// after another (at most one per user slot, 32).
struct DumpBank {
    std::vector<SlotDump> dumps; // in the file's order
    std::string problem;         // empty when every dump is good, else what is wrong, naming the file
    bool read = false;           // whether the file could be read: the problem is then in its bytes
};

inline constexpr std::size_t maxBankDumps = 32;

// Reads file and checks every dump in it: each must be a well-formed dump for
// a user slot that this program would write byte for byte. Only a regular file
// is read, and no more of it than the largest bank, so that neither a FIFO nor
// a large file can hold the caller. The problem names the file as name (the
// caller's spelling of it) and says what is wrong, without a full stop.
[[nodiscard]] DumpBank readDumpBank(const std::filesystem::path& file, const std::string& name);

} // namespace hwd
