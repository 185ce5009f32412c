#pragma once

#include "audio/winmm/WaveOutCalls.h"

#include <cstdint>
#include <span>
#include <string>

namespace hwd {

// playOnDefaultOutput on the calls given: the frames as one buffer on the
// default waveOut device, waited for through an event that the device signals
// when it is done with it. The empty text when heard, else the system's reason.
[[nodiscard]] std::string playOnWaveOut(const WaveOutCalls& calls, std::span<const std::int16_t> frames,
                                        std::uint32_t rate);

// The time the wait allows beyond the frames' own length before it gives up
// on a device that never hands the buffer back, and the text it then answers.
inline constexpr DWORD playbackGraceMs = 5000;
inline constexpr const char* playbackStalled = "The audio output stopped before the end.";

} // namespace hwd
