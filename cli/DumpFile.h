#pragma once

#include "transfer/DumpBank.h"

#include <optional>
#include <string>
#include <string_view>

namespace hwd {

// A wave command may be given the dump file that 'wavedump syx' wrote instead
// of a WAV file: its one dump, read and checked as send-syx reads it, is the
// wave. A bank is refused, since such a command shows or writes one wave.

// Whether the command line's file is a dump file: its name ends in ".syx" in
// any case. Every other name is read as a WAV file, as before.
[[nodiscard]] bool namesDumpFile(std::string_view file) noexcept;

struct OneDump {
    std::optional<SlotDump> dump; // set when the file holds exactly one good dump
    std::string problem;          // else why not, naming the file, without a full stop
    bool read = false;            // whether the file could be read: the problem is then in its bytes
};

// Reads file (the name as given on the command line) as a dump file of one dump.
[[nodiscard]] OneDump readOneDump(const std::string& file);

} // namespace hwd
