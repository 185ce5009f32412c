// Usage errors name the problem on one line and exit 2; --help prints the
// usage on standard output and exits 0, whatever else is on the line;
// --version prints the version.
#include "tests/support/CaseNames.h"
#include "CliHarness.h"

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

const std::string saw = sourceFile("examples/saw.wav").string();

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    std::string line; // the whole line on stderr, without its newline
};

std::vector<UsageCase> usageCases()
{
    return {
        {"UnknownCommand", {"frobnicate", saw}, "wavedump: unknown command 'frobnicate' (try 'wavedump --help')"},
        {"MissingCommand", {}, "wavedump: missing command (try 'wavedump --help')"},
        {"SamplesMissingFile", {"samples"}, "wavedump samples: missing FILE"},
        {"SamplesTwoFiles", {"samples", saw, saw}, "wavedump samples: unexpected argument '" + saw + "'"},
        {"SamplesUnknownOp", {"samples", saw, "--op", "reverse"},
            "wavedump samples: unknown op 'reverse' (one of filter, normalize, additive, random-pd, clear, undo)"},
        {"SamplesOpWithoutValue", {"samples", saw, "--op"}, "wavedump samples: --op needs a value"},
        {"SamplesUnknownOption", {"samples", saw, "--slot", "97"}, "wavedump samples: unknown option '--slot'"},
        {"SeedNegative", {"samples", saw, "--seed", "-1"}, "wavedump samples: --seed must be 0 to 4294967295, got '-1'"},
        {"SeedTooLarge", {"show", saw, "--seed", "4294967296"},
            "wavedump show: --seed must be 0 to 4294967295, got '4294967296'"},
        {"SeedNotANumber", {"samples", saw, "--seed", "12x"},
            "wavedump samples: --seed must be 0 to 4294967295, got '12x'"},
        {"SeedTwice", {"samples", saw, "--seed", "1", "--seed", "2"}, "wavedump samples: --seed given twice"},
        {"InfoTakesNoOps", {"info", saw, "--op", "filter"}, "wavedump info: unknown option '--op'"},
        {"InfoMissingFile", {"info"}, "wavedump info: missing FILE"},
        {"SlotBelowUserSlots", {"syx", saw, "--slot", "96", "-o", "x.syx"},
            "wavedump syx: --slot must be 97 to 128, got 96"},
        {"SlotAboveUserSlots", {"syx", saw, "--slot", "129", "-o", "x.syx"},
            "wavedump syx: --slot must be 97 to 128, got 129"},
        {"SlotZero", {"syx", saw, "--slot", "0", "-o", "x.syx"}, "wavedump syx: --slot must be 97 to 128, got 0"},
        {"SlotNotANumber", {"syx", saw, "--slot", "97a", "-o", "x.syx"},
            "wavedump syx: --slot must be 97 to 128, got 97a"},
        {"SlotMissing", {"syx", saw, "-o", "x.syx"}, "wavedump syx: missing --slot N"},
        {"OutputMissing", {"syx", saw, "--slot", "97"}, "wavedump syx: missing -o OUT"},
        {"OutputWithoutValue", {"syx", saw, "--slot", "97", "-o"}, "wavedump syx: -o needs a value"},
        {"UsageBeforeLoading", {"syx", "/no/such.wav", "--slot", "96", "-o", "x.syx"},
            "wavedump syx: --slot must be 97 to 128, got 96"},
        {"ShowUnknownOption", {"show", saw, "-x"}, "wavedump show: unknown option '-x'"},
        {"LineBreakInAnArgument", {"samples", saw, "a\nb"}, "wavedump samples: unexpected argument 'a b'"},
    };
}

class Usage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(Usage, OneLineAndExitTwo)
{
    const RunResult run = runWavedump(GetParam().args);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, GetParam().line + "\n");
    EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(Cli, Usage, ::testing::ValuesIn(usageCases()),
    CaseNames::byName);

struct HelpCase {
    const char* name;
    std::vector<std::string> args;
};

class Help : public ::testing::TestWithParam<HelpCase> {};

TEST_P(Help, PrintsUsageAndExitsZero)
{
    const std::vector<std::string>& args = GetParam().args;
    const RunResult run = runWavedump(args);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(run.out.starts_with("usage: wavedump " + args.front() + " ")) << run.out;
}

INSTANTIATE_TEST_SUITE_P(Cli, Help,
    ::testing::Values(HelpCase{"Samples", {"samples", "--help"}}, HelpCase{"Info", {"info", "-h"}},
        HelpCase{"Syx", {"syx", "--help"}}, HelpCase{"Show", {"show", "--help"}},
        HelpCase{"WinsOverBadSlot", {"syx", "x.wav", "--slot", "5", "--help"}},
        HelpCase{"WinsOverUnknownOption", {"samples", "--bogus", "-h"}}),
    CaseNames::byName);

// The version is the CMake project's, on one line of standard output.
TEST(CliVersion, OneLineOnStandardOutputAndExitZero)
{
    const RunResult run = runWavedump({"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "wavedump " HWD_PROJECT_VERSION "\n");
    EXPECT_EQ(run.err, "");
}

} // namespace
