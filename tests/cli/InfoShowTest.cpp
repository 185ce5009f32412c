// What `info` tells about a file and what `show` draws.
#include "tests/support/CaseNames.h"
#include "tests/support/LoaderMessages.h"
#include "CliHarness.h"

#include "wave/WaveFileLoader.h"

#include <algorithm>

using namespace hwd;

namespace {

// Rows show their names in test names and failure reports.
using CaseNames::PrintTo;

namespace fs = std::filesystem;

bool hasLine(const std::string& text, const std::string& line)
{
    const std::vector<std::string> all = lines(text);
    return std::find(all.begin(), all.end(), line) != all.end();
}

struct InfoCase {
    const char* name;
    fs::path file;
    std::vector<std::string> facts;
};

class Info : public ::testing::TestWithParam<InfoCase> {};

TEST_P(Info, TellsTheHeadersFacts)
{
    const RunResult run = runWavedump({"info", GetParam().file});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    for (const std::string& fact : GetParam().facts)
        EXPECT_TRUE(hasLine(run.out, fact)) << fact << " in\n" << run.out;
}

const fs::path fixtures = HWD_FIXTURE_DIR;

INSTANTIATE_TEST_SUITE_P(Cli, Info,
    ::testing::Values(InfoCase{"Verbatim", example("saw.wav"),
                          {"format: 1 (PCM)", "channels: 1", "sample rate: 44100 Hz", "bits per sample: 16",
                              "data bytes: 256", "sample count: 128", "resampled: no"}},
        InfoCase{"Resampled", example("long-sine-600.wav"), {"data bytes: 1200", "sample count: 600", "resampled: yes"}},
        // Python's wave module with a 301-byte LIST and its pad byte spliced in:
        // the second walk starts again from the first chunk.
        InfoCase{"LongOddChunkWithPad", fixtures / "py_padded_list301_between.wav",
            {"chunk walk: pad bytes", "chunk: 'fmt ' 16 bytes", "chunk: 'LIST' 301 bytes", "chunk: 'data' 256 bytes",
                "data bytes: 256", "sample count: 128", "resampled: no"}},
        InfoCase{"ExtensiblePcm", fixtures / "py_s16_mono_extensible.wav",
            {"chunk: 'fmt ' 40 bytes", "format: extensible (PCM)", "bits per sample: 16", "sample count: 700"}}),
    CaseNames::byName);

TEST_F(CliTest, InfoDescribesAFileTheLoaderRefuses)
{
    const fs::path stereo = makeFile("stereo.wav",
        WavBytes::riff({WavBytes::chunk("LIST", "INFO"), WavBytes::formatChunk(3, 2, 32), WavBytes::chunk("data", "")}));
    const RunResult run = runWavedump({"info", stereo});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, std::string(ExpectedMessage::notMonoPcm) + "\n");
    // The loader stops at the format, so no data chunk is taken or listed.
    for (const char* fact : {"format: 3 (IEEE float)", "channels: 2", "bits per sample: 32", "data bytes: none taken",
             "chunk: 'LIST' 4 bytes", "chunk walk: declared sizes"})
        EXPECT_TRUE(hasLine(run.out, fact)) << fact << " in\n" << run.out;
    EXPECT_EQ(run.out.find("chunk: 'data'"), std::string::npos) << run.out;
}

// info lists the chunks exactly as the loader walks them: an odd-sized chunk
// without a pad byte is stepped over at its declared size, and one with RIFF's
// pad byte is found by the second walk, which info names.
TEST_F(CliTest, InfoWalksTheChunksAsTheLoaderDoes)
{
    using namespace WavBytes;
    const std::string data = chunk("data", scatteredSampleBytes(128));
    const fs::path unpadded = makeFile("unpadded.wav", riff({formatChunk(1, 1, 16), chunk("LIST", "abc"), data}));
    RunResult run = runWavedump({"info", unpadded});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    for (const char* fact : {"chunk walk: declared sizes", "chunk: 'fmt ' 16 bytes", "chunk: 'LIST' 3 bytes",
             "chunk: 'data' 256 bytes", "data bytes: 256", "resampled: no"})
        EXPECT_TRUE(hasLine(run.out, fact)) << fact << " in\n" << run.out;
    EXPECT_EQ(lines(run.out).size(), 14u) << run.out; // three chunks, nothing bogus after them

    const fs::path withPad =
        makeFile("padded.wav", riff({chunk("LIST", "abc") + std::string(1, '\0'), formatChunk(1, 1, 16), data}));
    run = runWavedump({"info", withPad});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    for (const char* fact : {"chunk walk: pad bytes", "chunk: 'LIST' 3 bytes", "chunk: 'fmt ' 16 bytes",
             "data bytes: 256", "resampled: no"})
        EXPECT_TRUE(hasLine(run.out, fact)) << fact << " in\n" << run.out;
}

TEST_F(CliTest, InfoSaysHowMuchOfACutChunkIsThere)
{
    const fs::path cut = makeFile("cut.wav",
        WavBytes::riff({WavBytes::formatChunk(1, 1, 16), WavBytes::chunk("data", 1000, WavBytes::scatteredSampleBytes(10))}));
    const RunResult run = runWavedump({"info", cut});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(hasLine(run.out, "chunk: 'data' 1000 bytes (20 present)")) << run.out;
}

// Whatever the file's name holds, the facts stay one to a line and there is
// exactly one "resampled:" line.
TEST_F(CliTest, InfoKeepsANameWithALineBreakOnOneLine)
{
    const fs::path odd = makeFile("odd\nresampled: yes.wav", WavBytes::monoWav(WavBytes::scatteredSampleBytes(128)));
    const RunResult run = runWavedump({"info", odd});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> all = lines(run.out);
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [](const std::string& line) { return line.starts_with("resampled:"); }),
        1);
    EXPECT_TRUE(hasLine(run.out, "resampled: no")) << run.out;
    EXPECT_TRUE(hasLine(run.out, "file: " + (folder_ / "odd?resampled: yes.wav").string())) << run.out;
}

// The square wave is at the top for its first half and at the bottom for its second.
TEST(Show, DrawsFullBarsAboveThenBelow)
{
    const RunResult run = runWavedump({"show", sourceFile("examples/square.wav")});
    ASSERT_EQ(run.exitCode, 0);
    const std::vector<std::string> picture = lines(run.out);
    ASSERT_EQ(picture.size(), 20u);
    EXPECT_EQ(picture[0], sourceFile("examples/square.wav").string() + ": 128 samples, min -32767, max 32767");
    const std::string above = "|" + std::string(32, '#') + std::string(32, ' ') + "|";
    const std::string below = "|" + std::string(32, ' ') + std::string(32, '#') + "|";
    for (std::size_t row = 2; row < 10; ++row)
        EXPECT_EQ(picture[row], above) << row;
    EXPECT_EQ(picture[10], "|" + std::string(64, '-') + "| 0");
    for (std::size_t row = 11; row < 19; ++row)
        EXPECT_EQ(picture[row], below) << row;
}

// Each column shows the sample of its pair that lies further from the centre;
// of two equally far, the first. So pairs (+20000, -20000) stand above the
// line and pairs (-20000, +20000) hang below it.
TEST_F(CliTest, ShowTakesTheFirstOfAnEquallyFarPair)
{
    std::string data;
    for (int pair = 0; pair < 64; ++pair) {
        const bool upFirst = pair < 32;
        data += WavBytes::le16(static_cast<std::uint16_t>(upFirst ? 20000 : -20000));
        data += WavBytes::le16(static_cast<std::uint16_t>(upFirst ? -20000 : 20000));
    }
    const fs::path file = makeFile("pairs.wav", WavBytes::riff({WavBytes::formatChunk(1, 1, 16), WavBytes::chunk("data", data)}));
    const RunResult run = runWavedump({"show", file});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> picture = lines(run.out);
    ASSERT_EQ(picture.size(), 20u);
    // 20000 of 32768 is 4.88 rows of 8, so 5 rows: rows 5 to 9 above, 11 to 15 below.
    const std::string above = "|" + std::string(32, '#') + std::string(32, ' ') + "|";
    const std::string below = "|" + std::string(32, ' ') + std::string(32, '#') + "|";
    const std::string empty = "|" + std::string(64, ' ') + "|";
    for (std::size_t row = 2; row < 10; ++row)
        EXPECT_EQ(picture[row], row >= 5 ? above : empty) << row;
    for (std::size_t row = 11; row < 19; ++row)
        EXPECT_EQ(picture[row], row <= 15 ? below : empty) << row;
}

TEST(Show, IsPlainAsciiAndEmptyWhenCleared)
{
    const RunResult run = runWavedump({"show", sourceFile("examples/long-sine-600.wav"), "--op", "clear"});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_TRUE(std::all_of(run.out.begin(), run.out.end(),
        [](char c) { return c == '\n' || (c >= 0x20 && c < 0x7F); }));
    EXPECT_EQ(run.out.find('#'), std::string::npos);
    EXPECT_TRUE(lines(run.out).front().ends_with(", resampled"));
}

} // namespace
