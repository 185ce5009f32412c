#pragma once

#include "Arguments.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// What render and play share: the tone options checked, FILE loaded and
// edited, and the tone rendered at full level at rate, or at --rate when no
// rate is given. The frames, or the exit code once a usage error of command or
// a load failure has been reported.
struct RenderedTone {
    std::optional<int> exitCode;
    std::vector<std::int16_t> frames;
    std::uint32_t rate = 0;
};
[[nodiscard]] RenderedTone renderTone(std::string_view command, const Arguments& arguments,
    std::optional<std::uint32_t> rate = std::nullopt);

} // namespace hwd
