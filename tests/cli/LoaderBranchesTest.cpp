// Every way a WAV file can load or be refused, through each wave subcommand:
// all of them keep the same samples or give the same message.
#include "tests/support/CaseNames.h"
#include "tests/support/LoaderMessages.h"
#include "CliHarness.h"

#include <sys/stat.h>

#include <algorithm>

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

namespace fs = std::filesystem;
using namespace WavBytes;
namespace Message = ExpectedMessage;

struct LoaderCase {
    const char* name;
    std::string bytes;
    const char* message; // nullptr: loads
    bool resampled = false;
};

std::vector<LoaderCase> loaderCases()
{
    const std::string pcm = formatChunk(1, 1, 16);
    return {
        {"Verbatim128", monoWav(scatteredSampleBytes(128)), nullptr, false},
        {"Resampled129", monoWav(scatteredSampleBytes(129)), nullptr, true},
        {"Resampled600", monoWav(scatteredSampleBytes(600)), nullptr, true},
        {"LargestRun65535", monoWav(scatteredSampleBytes(65535)), nullptr, true},
        {"OddDataByteIgnored", riff({pcm, chunk("data", scatteredSampleBytes(200) + "x")}), nullptr, true},
        {"EightBit", riff({formatChunk(1, 1, 8), chunk("data", scatteredSampleBytes(128))}), Message::not16Bit},
        {"TwentyFourBit", riff({formatChunk(1, 1, 24), chunk("data", scatteredSampleBytes(192))}), Message::not16Bit},
        {"ListBeforeFormat", riff({chunk("LIST", "INFOabcd"), pcm, chunk("data", scatteredSampleBytes(128))}), nullptr, false},
        {"FactBetween", riff({pcm, chunk("fact", le32(128)), chunk("data", scatteredSampleBytes(128))}), nullptr, false},
        {"Format18", riff({chunk("fmt ", formatBody() + le16(0)), chunk("data", scatteredSampleBytes(128))}), nullptr, false},
        {"Format40", riff({chunk("fmt ", formatBody() + std::string(24, '\x01')), chunk("data", scatteredSampleBytes(300))}), nullptr, true},
        {"DataBeforeFormatThenData", riff({chunk("data", scatteredSampleBytes(10)), pcm, chunk("data", scatteredSampleBytes(128))}), nullptr,
            false},
        {"Empty", "", Message::notWav},
        {"RiffHeaderOnly", riff({}), Message::notWav},
        {"NotRiff", "RIFX" + monoWav(scatteredSampleBytes(128)).substr(4), Message::notWav},
        {"NotWave", monoWav(scatteredSampleBytes(128)).substr(0, 8) + "AVI " + monoWav(scatteredSampleBytes(128)).substr(12), Message::notWav},
        {"FormatBodyCut", riff({}) + "fmt " + le32(16) + "1234567890", Message::notWav},
        {"HugeChunkBeforeFormat", riff({chunk("junk", 0xFFFFFFF0u, ""), pcm}), Message::notWav},
        {"Stereo", riff({formatChunk(1, 2, 16), chunk("data", scatteredSampleBytes(256))}), Message::notMonoPcm},
        {"FloatFormat", riff({formatChunk(3, 1, 32), chunk("data", scatteredSampleBytes(256))}), Message::notMonoPcm},
        {"FormatOnly", riff({pcm}), Message::noData},
        {"DataOnlyBeforeFormat", riff({chunk("data", scatteredSampleBytes(128)), pcm}), Message::noData},
        {"HugeChunkAfterFormat", riff({pcm, chunk("junk", 0xFFFFFFF0u, "")}), Message::noData},
        {"Declared256Cut", riff({pcm, chunk("data", 256, scatteredSampleBytes(100))}), Message::short256},
        {"TooMany131072", riff({pcm, chunk("data", scatteredSampleBytes(65536))}), Message::tooMany},
        {"TooFew0", riff({pcm, chunk("data", "")}), Message::tooFew},
        {"TooFew255", riff({pcm, chunk("data", scatteredSampleBytes(127) + "x")}), Message::tooFew},
        {"Truncated", riff({pcm, chunk("data", 2000, scatteredSampleBytes(500))}), Message::truncated},
    };
}

class LoaderBranches : public CliTest, public ::testing::WithParamInterface<LoaderCase> {};

TEST_P(LoaderBranches, SubcommandsLoadOrRefuseAlike)
{
    const LoaderCase& param = GetParam();
    const fs::path wav = makeFile("case.wav", param.bytes);

    const RunResult samples = runWavedump({"samples", wav});
    const RunResult info = runWavedump({"info", wav});
    const RunResult show = runWavedump({"show", wav});
    const RunResult syx = runWavedump({"syx", wav, "--slot", "97", "-o", file("out.syx")});
    if (param.message == nullptr) {
        const Samples expected = loadedSamples(dataSamples(wav));
        EXPECT_EQ(samples.exitCode, 0);
        EXPECT_EQ(samples.out, samplesText(expected));
        EXPECT_EQ(samples.err, "");

        EXPECT_EQ(info.exitCode, 0);
        const std::vector<std::string> infoLines = lines(info.out);
        const auto resampledLines = std::count_if(infoLines.begin(), infoLines.end(),
            [](const std::string& line) { return line.starts_with("resampled:"); });
        EXPECT_EQ(resampledLines, 1);
        const std::string wanted = param.resampled ? "resampled: yes" : "resampled: no";
        EXPECT_NE(std::find(infoLines.begin(), infoLines.end(), wanted), infoLines.end()) << info.out;

        EXPECT_EQ(show.exitCode, 0);
        ASSERT_FALSE(show.out.empty());
        EXPECT_EQ(lines(show.out).front().ends_with(", resampled"), param.resampled) << show.out;

        EXPECT_EQ(syx.exitCode, 0);
        EXPECT_EQ(FileBytes::read(file("out.syx")), expectedDump(expected, 97));
    } else {
        for (const RunResult* run : {&samples, &info, &show, &syx}) {
            EXPECT_EQ(run->exitCode, 1);
            EXPECT_EQ(run->err, std::string(param.message) + "\n");
        }
        EXPECT_EQ(samples.out, "");
        EXPECT_EQ(show.out, "");
        EXPECT_EQ(info.out.find("resampled:"), std::string::npos) << info.out;
        EXPECT_FALSE(fs::exists(file("out.syx")));
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, LoaderBranches, ::testing::ValuesIn(loaderCases()),
    CaseNames::byName);

// The files the loader cannot open at all; a FIFO without a writer fails at
// once instead of blocking.
TEST_F(CliTest, UnopenablePathsGiveTheOpenMessage)
{
    fs::create_directory(file("folder.wav"));
    ASSERT_EQ(::mkfifo(file("fifo.wav").c_str(), 0600), 0);
    for (const fs::path& path : {file("missing.wav"), file("folder.wav"), file("fifo.wav"), fs::path()}) {
        for (const char* command : {"samples", "info", "show"}) {
            const RunResult run = runWavedump({command, path});
            EXPECT_EQ(run.exitCode, 1) << command << " " << path;
            EXPECT_EQ(run.err, std::string(ExpectedMessage::cannotOpen) + "\n") << command << " " << path;
            EXPECT_EQ(run.out, "") << command << " " << path;
        }
    }
}

} // namespace
