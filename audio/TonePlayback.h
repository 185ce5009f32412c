#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace hwd {

// Plays mono 16-bit frames at rate on the system's default audio output and
// returns once they have been heard. The empty text when done, else the
// system's reason, e.g. "No such file or directory".
[[nodiscard]] std::string playOnDefaultOutput(std::span<const std::int16_t> frames, std::uint32_t rate);

} // namespace hwd
