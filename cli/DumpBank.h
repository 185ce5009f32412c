#pragma once

#include "TerminalSender.h"

#include <string>
#include <vector>

namespace hwd {

// What a dump file that `wavedump syx` wrote holds: one 300-byte waveshape
// dump, or a bank of them one after another (at most one per user slot, 32).
struct DumpBank {
    std::vector<SlotDump> dumps; // in the file's order
    std::string problem;         // empty when every dump is good, else what is wrong, naming the file
};

inline constexpr std::size_t maxBankDumps = 32;

// Reads the file and checks every dump in it: each must be a well-formed dump
// for a user slot that this program would write byte for byte. Only a regular
// file is read, and no more of it than the largest bank, so that neither a FIFO
// nor a large file can hold the command. path is the file as named on the
// command line (see PathArgument.h); the problem names it so.
[[nodiscard]] DumpBank readDumpBank(const std::string& path);

} // namespace hwd
