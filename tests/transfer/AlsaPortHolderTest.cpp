// Who holds an output, read from /proc/asound/cardC/midiD as the kernel wrote
// it on `make e2e`'s machine with the USB interface's first output and first
// input held.
#include "tests/support/CaseNames.h"

#include "transfer/alsa/AlsaSystemPorts.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

constexpr const char* procText = R"(Harlix MIDI Test Interface

Output 0
  Tx bytes     : 27000
  Owner PID    : 466
  Mode         : native
  Buffer size  : 4096
  Avail        : 4096
Output 1
  Tx bytes     : 300
Input 0
  Rx bytes     : 0
  Owner PID    : 467
  Buffer size  : 4096
  Avail        : 0
  Overruns     : 0
Input 1
  Rx bytes     : 0
)";

struct Owner {
    const char* name;
    unsigned subdevice;
    std::optional<int> pid;
};

const std::vector<Owner> owners = {
    {"HeldOutput", 0, 466},
    {"FreeOutputBeforeAHeldInput", 1, std::nullopt},
    {"NoSuchOutput", 2, std::nullopt},
};

class AlsaOutputOwner : public ::testing::TestWithParam<Owner> {};

TEST_P(AlsaOutputOwner, IsTheOwnerPidInTheOutputsOwnSection)
{
    EXPECT_EQ(outputOwner(procText, GetParam().subdevice), GetParam().pid);
}

INSTANTIATE_TEST_SUITE_P(ProcText, AlsaOutputOwner, ::testing::ValuesIn(owners), CaseNames::byName);

} // namespace
