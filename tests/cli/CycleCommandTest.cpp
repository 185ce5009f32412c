// wavedump cycle on recordings that SoX and Python wrote: which cycle it takes
// and says it took, the wave it makes of it, and each way it refuses.
#include "tests/support/CaseNames.h"
#include "CliHarness.h"

#include <algorithm>
#include <cstdlib>

namespace {

using CaseNames::PrintTo;
namespace fs = std::filesystem;

const fs::path fixtures = HWD_FIXTURE_DIR;
const fs::path sine = fixtures / "tones" / "sox_s24_stereo_sine_480.wav";

struct CycleCase {
    const char* name;
    std::vector<std::string> args;
    int exitCode;
    std::string errStart; // the first line on stderr begins so
    std::string errEnd;   // and ends so
};

class Cycle : public ::testing::TestWithParam<CycleCase> {};

TEST_P(Cycle, TakesTheCycleItSaysOrRefusesSayingWhy)
{
    std::vector<std::string> args{"cycle"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const RunResult run = runWavedump(args);
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.err;
    const std::vector<std::string> errLines = lines(run.err);
    ASSERT_FALSE(errLines.empty());
    EXPECT_TRUE(errLines[0].starts_with(GetParam().errStart)) << errLines[0];
    EXPECT_TRUE(errLines[0].ends_with(GetParam().errEnd)) << errLines[0];
    if (run.exitCode != 0 || GetParam().args.front() != sine.string())
        return;
    // The sine of half scale, from a rising zero crossing (the frame at or
    // just after it: at most a frame's rise, 1029, above zero).
    std::vector<int> samples;
    for (const std::string& line : lines(run.out))
        samples.push_back(std::stoi(line));
    ASSERT_EQ(samples.size(), 128u);
    EXPECT_LE(std::abs(samples[0]), 1100);
    EXPECT_GT(samples[1], samples[0]);
    EXPECT_NEAR(*std::max_element(samples.begin(), samples.end()), 16384, 40);
    EXPECT_NEAR(*std::min_element(samples.begin(), samples.end()), -16384, 40);
}

constexpr const char* sineLine = ", length 100 frames (480.00 Hz at 48000 Hz), ";

INSTANTIATE_TEST_SUITE_P(Cli, Cycle,
    ::testing::Values(
        CycleCase{"Found", {sine}, 0, "cycle: start ", std::string(sineLine) + "found"},
        CycleCase{"ByHand", {sine, "--start", "1000", "--length", "100"}, 0,
                  std::string("cycle: start 1000") + sineLine + "set by hand", ""},
        CycleCase{"PeriodFoundNearTheStart", {sine, "--start=2000"}, 0,
                  std::string("cycle: start 2000") + sineLine + "found", ""},
        CycleCase{"SmplLoop", {fixtures / "recordings" / "py_s16_smpl_before_data.wav"}, 0,
                  "cycle: start 100, length 800 frames (", "from the smpl loop"},
        CycleCase{"Silence", {fixtures / "tones" / "sox_s16_mono_silence.wav"}, 1,
                  "wavedump cycle: no steady pitch was found; give --start and --length", ""},
        CycleCase{"Compressed", {fixtures / "recordings" / "sox_msadpcm_mono.wav"}, 1,
                  "Failed to import wave file. File is in format 0x0002", ""},
        CycleCase{"PastTheEnd", {sine, "--start", "47950", "--length", "100"}, 1,
                  "wavedump cycle: the cycle at 47950, 100 frames long, runs past the end of the recording (48000 frames)", ""},
        CycleCase{"StartOutside", {sine, "--start", "48000"}, 1,
                  "wavedump cycle: --start must be a frame of the recording, 0 to 47999", ""},
        CycleCase{"LengthTooShort", {sine, "--length", "1.5"}, 2,
                  "wavedump cycle: --length must be 2 to 65536 frames, got '1.5'", ""},
        CycleCase{"StartNotANumber", {sine, "--start", "-3"}, 2,
                  "wavedump cycle: --start must be a frame number, got '-3'", ""}));

// -o writes the wave that would be printed, as a 300-byte file that loads back
// exactly.
TEST_F(CliTest, CycleWritesTheWavePrinted)
{
    const RunResult printed = runWavedump({"cycle", sine, "--start", "1000", "--length", "100.5"});
    const RunResult written = runWavedump({"cycle", sine, "--start", "1000", "--length", "100.5", "-o", file("c.wav")});
    ASSERT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(fs::file_size(file("c.wav")), 300u);
    EXPECT_EQ(runWavedump({"samples", file("c.wav")}).out, printed.out);
}

} // namespace
