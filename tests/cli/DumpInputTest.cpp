// samples, info, show and wav given a dump file instead of a WAV file: the
// one dump's wave, as it would arrive; a bank or a damaged dump refused in
// send-syx's words. The dumps are laid out here from a file Python's wave
// module wrote, whose first two samples set the top bit of the first bytes.
#include "tests/support/CaseNames.h"
#include "CliHarness.h"

#include <algorithm>

namespace {

using CaseNames::PrintTo;

namespace fs = std::filesystem;

const fs::path pyWave = fs::path(HWD_FIXTURE_DIR) / "py_s16_mono_128.wav";

// show's picture of a silent wave, after its title.
std::string silentPicture()
{
    const std::string edge = "+" + std::string(64, '-') + "+";
    std::string empty;
    for (int row = 0; row < 8; ++row)
        empty += "|" + std::string(64, ' ') + "|\n";
    return edge + " 32767\n" + empty + "|" + std::string(64, '-') + "| 0\n" + empty + edge + " -32768\n";
}

struct DumpInput {
    const char* name;
    std::vector<std::string> args; // "FILE" stands for the dump file, also in out
    std::string out;               // for a dump for slot 101
};

class DumpFileInput : public CliTest, public ::testing::WithParamInterface<DumpInput> {};

TEST_P(DumpFileInput, TakesTheOneDumpAndRefusesABankOrADamagedOne)
{
    const std::string dump = expectedDump(dataSamples(pyWave), 101);
    std::string damaged = dump;
    damaged[5] = 0x5F;
    const auto run = [&](const std::string& name, const std::string& bytes) {
        std::vector<std::string> args = GetParam().args;
        std::replace(args.begin(), args.end(), std::string("FILE"), makeFile(name, bytes).string());
        return runWavedump(args);
    };
    const std::string refusal = "wavedump " + GetParam().args.front() + ": '" + folder_.string() + "/";

    // The name's case does not matter.
    const RunResult taken = run("one.Syx", dump);
    EXPECT_EQ(taken.exitCode, 0) << taken.err;
    std::string out = GetParam().out;
    if (const std::size_t at = out.find("FILE"); at != std::string::npos)
        out.replace(at, 4, file("one.Syx").string());
    EXPECT_EQ(taken.out, out);

    const RunResult bank = run("bank.syx", dump + dump + dump);
    EXPECT_EQ(bank.exitCode, 1);
    EXPECT_EQ(bank.err, refusal + "bank.syx' holds 3 dumps, not one (wavedump unpack writes each as a WAV file)\n");
    const RunResult bad = run("damaged.syx", damaged);
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err, refusal + "damaged.syx' is not a waveshape dump for a user slot 97 to 128\n");
}

INSTANTIATE_TEST_SUITE_P(Cli, DumpFileInput,
    ::testing::Values(
        // The wave is the file it came from, byte for byte; ops edit it.
        DumpInput{"Wav", {"wav", "FILE", "-o", "-"}, FileBytes::read(pyWave)},
        DumpInput{"SamplesCleared", {"samples", "FILE", "--op", "clear"}, samplesText(Samples(128, 0))},
        DumpInput{"ShowCleared", {"show", "FILE", "--op", "clear"},
            "FILE: 128 samples, min 0, max 0\n" + silentPicture()},
        DumpInput{"Info", {"info", "FILE"},
            "file: FILE\nfile bytes: 300\ncontainer: waveshape dump (SysEx)\nslot: 101\nsample count: 128\n"
            "resampled: no\n"}),
    CaseNames::byName);

} // namespace
