// WAV files written by SoX and by Python's `wave` module (tests/fixtures),
// each with the message the loader must give. For every file it accepts, the
// 128 samples must be those libsndfile reads from the same file, picked by the
// nearest-point rule.
#include "tests/support/CaseNames.h"
#include "tests/support/LoaderMessages.h"

#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace hwd;

#ifndef HWD_FIXTURE_DIR
#error "HWD_FIXTURE_DIR must name the directory that tests/fixtures/make_fixtures.py writes"
#endif

namespace {

using namespace ExpectedMessage;

struct Fixture {
    const char* file;
    const char* message;
};

std::ostream& operator<<(std::ostream& out, const Fixture& fixture)
{
    return out << fixture.file;
}

const Fixture fixtures[] = {
    {"sox_s16_mono_128.wav", none},
    {"sox_s16_mono_129.wav", none},
    {"sox_s16_mono_1000.wav", none},
    {"sox_s16_mono_4000_noise.wav", none},
    {"sox_s16_mono_65535.wav", none},
    {"sox_s16_mono_comment.wav", none},
    {"sox_s16_mono_65536.wav", tooMany},
    {"sox_s16_mono_127.wav", tooFew},
    {"sox_s16_stereo_1000.wav", notMonoPcm},
    // More than two channels: SoX writes WAVE_FORMAT_EXTENSIBLE, read as PCM,
    // so the channels are what is refused.
    {"sox_s16_3ch_1000.wav", notMonoPcm},
    {"sox_u8_mono_1000.wav", not16Bit},
    // Over 16 bits SoX writes WAVE_FORMAT_EXTENSIBLE, or a plain PCM header
    // when told wavpcm: the same PCM either way.
    {"sox_s24_mono_1000.wav", not16Bit},
    {"sox_s32_mono_1000.wav", not16Bit},
    {"sox_s24_wavpcm_mono_1000.wav", not16Bit},
    {"sox_f32_mono_1000.wav", notMonoPcm},
    {"sox_ulaw_mono_1000.wav", notMonoPcm},
    {"sox_alaw_mono_1000.wav", notMonoPcm},
    {"sox_imaadpcm_mono_1000.wav", notMonoPcm},
    {"sox_msadpcm_mono_1000.wav", notMonoPcm},
    {"py_s16_mono_128.wav", none},
    {"py_s16_mono_5000.wav", none},
    {"py_s16_mono_65535.wav", none},
    {"py_chunks_list_before_fmt.wav", none},
    {"py_chunks_list_between.wav", none},
    {"py_chunks_fact_list_between.wav", none},
    {"py_chunks_list_after_data.wav", none},
    {"py_chunks_fmt18.wav", none},
    {"py_chunks_fmt40.wav", none},
    // Odd-sized chunks followed by RIFF's pad byte (the same chunks without it
    // are in the byte-built layouts: libsndfile does not read those).
    {"py_padded_list_before_fmt.wav", none},
    {"py_padded_junk_between.wav", none},
    {"py_padded_fmt19.wav", none},
    {"py_padded_list_and_junk.wav", none},
    {"py_padded_list301_between.wav", none},
    {"py_s16_mono_extensible.wav", none},
    {"py_s16_mono_extensible_valid12.wav", not16Bit},
    {"py_s16_mono_65536.wav", tooMany},
    {"py_s16_mono_100.wav", tooFew},
    {"py_s16_mono_0.wav", tooFew},
    {"py_s16_mono_1000_cut.wav", truncated},
    {"py_s16_mono_128_cut.wav", short256},
    {"py_s16_stereo_500.wav", notMonoPcm},
    {"py_u8_mono_500.wav", not16Bit},
    {"py_s24_mono_500.wav", not16Bit},
    {"py_s32_mono_500.wav", not16Bit},
};

std::filesystem::path fixturePath(const char* name)
{
    return std::filesystem::path(HWD_FIXTURE_DIR) / name;
}

// All frames of a file as libsndfile reads them.
std::vector<short> framesByLibsndfile(const std::filesystem::path& path)
{
    SF_INFO info{};
    const std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(sf_open(path.c_str(), SFM_READ, &info), &sf_close);
    if (!file) {
        ADD_FAILURE() << "libsndfile cannot open " << path << ": " << sf_strerror(nullptr);
        return {};
    }
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.format & SF_FORMAT_SUBMASK, SF_FORMAT_PCM_16);
    std::vector<short> frames(static_cast<std::size_t>(info.frames));
    EXPECT_EQ(sf_read_short(file.get(), frames.data(), info.frames), info.frames);
    return frames;
}

class LoaderFixture : public testing::TestWithParam<Fixture> {};

TEST_P(LoaderFixture, GivesItsMessageOrTheSamplesLibsndfileReads)
{
    const Fixture& fixture = GetParam();
    const auto path = fixturePath(fixture.file);
    ASSERT_TRUE(std::filesystem::is_regular_file(path))
        << path << " is missing: ctest writes it, or run tests/fixtures/make_fixtures.py " << HWD_FIXTURE_DIR;

    Waveshape wave;
    WaveFileLoader loader(wave);
    const bool expectLoad = *fixture.message == '\0';
    EXPECT_EQ(loader.load(path.c_str()), expectLoad);
    EXPECT_STREQ(wave.lastError, fixture.message);
    if (!expectLoad)
        return;

    const std::vector<short> frames = framesByLibsndfile(path);
    ASSERT_GE(frames.size(), 128u);
    const auto run = static_cast<std::uint64_t>(frames.size());
    EXPECT_EQ(wave.resampled, run != 128);
    for (std::uint64_t i = 0; i < waveshapeSampleCount; ++i) {
        const std::uint64_t nearest = (i * run + 64) / 128; // i * run / 128, halves rounded up
        SCOPED_TRACE(testing::Message() << "position " << i << ", frame " << nearest);
        EXPECT_EQ(wave.samples[i], frames[nearest]);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, LoaderFixture, testing::ValuesIn(fixtures),
                         [](const testing::TestParamInfo<Fixture>& info) {
                             return CaseNames::testName(std::filesystem::path(info.param.file).stem().string());
                         });

TEST(LoaderFixtures, EveryWrittenFileHasAnExpectation)
{
    std::set<std::string> known;
    for (const Fixture& fixture : fixtures)
        known.insert(fixture.file);
    std::set<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(HWD_FIXTURE_DIR))
        if (entry.path().extension() == ".wav")
            written.insert(entry.path().filename().string());
    EXPECT_EQ(written, known);
}

} // namespace
