#include "transfer/AccessNotice.h"

#include "transfer/MidiOutput.h"

namespace hwd {

std::string accessNotice(const MidiAccessProblem& problem)
{
    if (problem.deniedDevices == 0)
        return {};
    std::string notice = std::to_string(problem.deniedDevices)
        + (problem.deniedDevices == 1 ? " MIDI device here may" : " MIDI devices here may")
        + " not be opened by this user; ";
    if (problem.group.empty())
        return notice + "ask the administrator for access to the sound devices";
    // $USER is left for the shell to fill in when the user runs the command.
    return notice + "members of the group '" + problem.group + "' may (sudo usermod -aG " + problem.group
        + " $USER, then log in again)";
}

} // namespace hwd
