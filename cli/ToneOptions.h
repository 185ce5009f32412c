#pragma once

#include "Arguments.h"

#include <cstdint>
#include <optional>
#include <string>

namespace hwd {

// The tone that render writes and play plays, as their options ask for it.
struct Tone {
    double hz = 0;
    double seconds = 2.0;
    std::uint32_t rate = 48000;
};

// --note N or --freq HZ (middle C when neither), --seconds S and, for a command
// that takes it, --rate R. Nothing, with the usage problem, when one is out of
// range or both --note and --freq are given.
[[nodiscard]] std::optional<Tone> toneOf(const Arguments& arguments, std::string& problem);

} // namespace hwd
