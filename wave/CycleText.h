#pragma once

#include "CycleImport.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hwd {

// A cycle's length as it is shown and typed: whole lengths without decimals,
// others with two. The cycle imported is always the one shown, so a found
// length is rounded to what its text says.
[[nodiscard]] double shownLength(double length) noexcept;
[[nodiscard]] std::string lengthText(double length);

// What the user typed: a start frame (digits only), and a length in frames
// with a point or a comma before its decimals. Nothing for anything else.
[[nodiscard]] std::optional<std::uint64_t> parseStartFrame(std::string_view text);
[[nodiscard]] std::optional<double> parseCycleLength(std::string_view text);

// "start 12345, length 400.91 frames (110.00 Hz at 44100 Hz), from the smpl
// loop", ending "found" or "set by hand" for the other origins.
[[nodiscard]] std::string describeCycle(const CycleChoice& choice, std::uint32_t rate);

// What the main dialog shows after the path: ", cycle at 12345, 400.91 frames".
[[nodiscard]] std::string cycleSuffix(const Cycle& cycle);

} // namespace hwd
