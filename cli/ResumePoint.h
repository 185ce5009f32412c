#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace hwd {

// Where a bank run starts when --from SLOT resumes it after a run that
// stopped: at the first of the run's dumps (in the order they go out) that is
// for SLOT, the ones before it skipped. Without --from, at the first.
struct ResumePoint {
    std::size_t first = 0; // the index of the first dump to send
    std::string problem;   // a usage error's text when SLOT is none of the run's slots
};

// slots: the slot of each of the run's dumps, in order; from: the value of
// --from, or nullptr when not given.
[[nodiscard]] ResumePoint resumePoint(std::span<const int> slots, const std::string* from);

} // namespace hwd
