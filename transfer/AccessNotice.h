#pragma once

#include <string>

namespace hwd {

struct MidiAccessProblem;

// What to tell a user whom the MIDI system keeps from some of its devices: how
// many there are and the usual remedy, membership of the group that owns them.
// One line without its end, e.g. "6 MIDI devices here may not be opened by
// this user; members of the group 'audio' may (sudo usermod -aG audio $USER,
// then log in again)". Empty when nothing is kept from the user.
[[nodiscard]] std::string accessNotice(const MidiAccessProblem& problem);

// What to tell a user when no port is listed and nothing is kept from them.
inline constexpr const char* noHardwarePortNotice = "no hardware MIDI output port was found";

} // namespace hwd
