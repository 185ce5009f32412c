// `--op` and `--seed`: each edit, alone and in sequences, after the editor's
// opening snapshot, must give the fixed samples of expected/waves.txt.
#include "tests/support/CaseNames.h"
#include "CliHarness.h"

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

namespace fs = std::filesystem;

struct OpsCase {
    const char* name;
    const char* example;
    std::vector<std::string> ops;
    std::uint32_t seed = 0;
};

std::vector<OpsCase> opsCases()
{
    return {
        {"NoOp", "sine.wav", {}},
        {"Filter", "square.wav", {"filter"}},
        {"Normalize", "long-sine-600.wav", {"filter", "normalize"}},
        {"Additive", "saw.wav", {"additive"}},
        {"RandomPdSeed0", "saw.wav", {"random-pd"}, 0},
        {"RandomPdSeed1", "triangle.wav", {"random-pd"}, 1},
        {"RandomPdSeedMax", "sine.wav", {"random-pd"}, 4294967295u},
        {"RandomPdTwiceSameSeed", "sine.wav", {"random-pd", "random-pd"}, 12345},
        {"Clear", "saw.wav", {"clear"}},
        {"UndoRightAfterLoading", "saw.wav", {"undo"}},
        {"ClearThenUndo", "triangle.wav", {"clear", "undo"}},
        {"UndoTwice", "square.wav", {"additive", "filter", "undo", "undo"}},
        {"EverythingInTurn", "long-sine-600.wav",
            {"filter", "normalize", "additive", "random-pd", "clear", "undo", "normalize"}, 77},
    };
}

class Ops : public ::testing::TestWithParam<OpsCase> {};

TEST_P(Ops, SamplesAreTheWorkedOutOnes)
{
    const OpsCase& param = GetParam();
    std::vector<std::string> args{"samples", example(param.example)};
    for (const std::string& op : param.ops)
        args.insert(args.end(), {"--op", op});
    args.insert(args.end(), {"--seed", std::to_string(param.seed)});
    const RunResult run = runWavedump(args);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, samplesText(expectedWave(param.example, param.ops, param.seed)));
}

INSTANTIATE_TEST_SUITE_P(Cli, Ops, ::testing::ValuesIn(opsCases()),
    CaseNames::byName);

// Without --seed the tick count seeds Random PD: any result, but a whole wave.
TEST(OpsUnseeded, RandomPdStillPrints128Samples)
{
    const RunResult run = runWavedump({"samples", example("saw.wav"), "--op", "random-pd"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(lines(run.out).size(), 128u);
}

TEST(OpsUnseeded, OptionsWrittenWithEqualsSignsMeanTheSame)
{
    const fs::path wav = example("triangle.wav");
    const RunResult spaced = runWavedump({"samples", wav, "--op", "random-pd", "--seed", "9"});
    const RunResult joined = runWavedump({"samples", "--op=random-pd", "--seed=9", wav});
    EXPECT_EQ(spaced.exitCode, 0);
    EXPECT_EQ(spaced.out, joined.out);
}

} // namespace
