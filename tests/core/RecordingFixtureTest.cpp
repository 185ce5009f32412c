// Recordings written by SoX and Python (tests/fixtures, folder recordings/),
// each with what the reader must make of it. SoX wrote its files from the same
// ramp, 16-bit samples that are multiples of 256, which every sample size holds
// exactly: channel c of frame i is k = (i + 64 c) % 256 - 128 times 256, so
// the frame is the mean of its channels' k times 32767 / 128 = 255.9921875.
#include "tests/support/CaseNames.h"
#include "tests/support/LoaderMessages.h"

#include "wave/Recording.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace hwd;

namespace {

const std::filesystem::path recordings = std::filesystem::path(HWD_FIXTURE_DIR) / "recordings";

struct RecordingCase {
    const char* name;                                      // the file
    const char* error = nullptr;                           // the whole message, when the file is refused
    std::uint32_t rate = 0;
    std::uint16_t channels = 0;
    std::uint16_t bits = 0;
    bool isFloat = false;
    bool extensible = false;
    std::size_t frames = 0;
    std::vector<std::pair<std::size_t, float>> values = {}; // frame, value
    std::optional<LoopPoints> loop = std::nullopt;
};

using CaseNames::PrintTo;

const RecordingCase cases[] = {
    {.name = "sox_u8_mono.wav", .rate = 8000, .channels = 1, .bits = 8, .frames = 300,
     .values = {{0, -32767}, {200, 18431.4375f}, {299, -21759.3359375f}}},
    {.name = "sox_s16_stereo.wav", .rate = 44100, .channels = 2, .bits = 16, .frames = 300,
     .values = {{0, -24575.25f}, {200, -6143.8125f}, {299, -13567.5859375f}}},
    {.name = "sox_s16_3ch.wav", .rate = 22050, .channels = 3, .bits = 16, .extensible = true, .frames = 300,
     .values = {{0, -16383.5f}, {200, -8874.3958f}, {299, -5375.8359375f}}},
    {.name = "sox_s24_mono.wav", .rate = 96000, .channels = 1, .bits = 24, .extensible = true, .frames = 300,
     .values = {{0, -32767}, {200, 18431.4375f}, {299, -21759.3359375f}}},
    {.name = "sox_s24_stereo_wavpcm.wav", .rate = 48000, .channels = 2, .bits = 24, .frames = 300,
     .values = {{0, -24575.25f}, {200, -6143.8125f}, {299, -13567.5859375f}}},
    {.name = "sox_s32_stereo.wav", .rate = 11025, .channels = 2, .bits = 32, .extensible = true, .frames = 300,
     .values = {{0, -24575.25f}, {200, -6143.8125f}, {299, -13567.5859375f}}},
    {.name = "sox_f32_mono.wav", .rate = 8000, .channels = 1, .bits = 32, .isFloat = true, .frames = 300,
     .values = {{0, -32767}, {200, 18431.4375f}, {299, -21759.3359375f}}},
    // Eight channels: the mean of k is frame % 64 - 32.
    {.name = "sox_f64_8ch.wav", .rate = 8000, .channels = 8, .bits = 64, .isFloat = true, .frames = 300,
     .values = {{0, -8191.75f}, {200, -6143.8125f}, {299, 2815.9140625f}}},
    // (0.5, -0.25), (NaN, 0.5), (-infinity, -1), (1, 1): what is not a number is silence.
    {.name = "py_f32_extensible_stereo.wav", .rate = 44100, .channels = 2, .bits = 32, .isFloat = true,
     .extensible = true, .frames = 4, .values = {{0, 4095.875f}, {1, 8191.75f}, {2, -16383.5f}, {3, 32767}}},
    // Python's 16-bit mono ramp of 1000 frames (k of channel 0) with a smpl chunk before the data.
    {.name = "py_s16_smpl_before_data.wav", .rate = 44100, .channels = 1, .bits = 16, .frames = 1000,
     .values = {{0, -32767}, {999, 26367.1953125f}}, .loop = LoopPoints{100, 899}},
    {.name = "py_s16_smpl_no_loop.wav", .rate = 44100, .channels = 1, .bits = 16, .frames = 1000},
    {.name = "py_s16_smpl_loop_ends_at_start.wav", .rate = 44100, .channels = 1, .bits = 16, .frames = 1000},
    {.name = "py_s16_smpl_loop_past_end.wav", .rate = 44100, .channels = 1, .bits = 16, .frames = 1000},
    // Bytes 1 to 255, then 0 to 45; the smpl chunk after the odd-sized data.
    {.name = "py_u8_odd_data_padded_smpl_after.wav", .rate = 44100, .channels = 1, .bits = 8, .frames = 301,
     .values = {{0, -32511.0078125f}, {300, -21247.3515625f}}, .loop = LoopPoints{0, 300}},
    {.name = "py_u8_odd_data_unpadded_smpl_after.wav", .rate = 44100, .channels = 1, .bits = 8, .frames = 301,
     .values = {{0, -32511.0078125f}, {300, -21247.3515625f}}, .loop = LoopPoints{0, 300}},
    // 99 whole frames of 100 declared; the last one's channels are k = -30 and 34.
    {.name = "py_s16_stereo_cut.wav", .rate = 44100, .channels = 2, .bits = 16, .frames = 99,
     .values = {{98, 511.984375f}}},

    {.name = "py_not_wave.wav", .error = "Failed to import wave file. File does not appear to be a WAV file."},
    {.name = "py_fmt14.wav", .error = "Failed to import wave file. File has no complete format chunk."},
    {.name = "py_no_data.wav", .error = "Failed to import wave file. File has no data chunk."},
    {.name = "py_s16_no_samples.wav", .error = "Failed to import wave file. File holds no samples."},
    {.name = "py_s12_mono.wav", .error = "Failed to import wave file. File is 12 bit PCM; supported are 8, 16, 24 "
                                         "and 32 bit PCM and 32 or 64 bit float."},
    {.name = "sox_msadpcm_mono.wav",
     .error = "Failed to import wave file. File is in format 0x0002 (Microsoft ADPCM); supported are PCM and float."},
    {.name = "py_tag_1234.wav", .error = "Failed to import wave file. File is in format 0x1234; supported are PCM "
                                         "and float."},
    {.name = "py_extensible_unknown.wav", .error = "Failed to import wave file. File's extensible format names a "
                                                   "sub-format other than PCM and float; supported are PCM and float."},
    {.name = "sox_s16_9ch.wav", .error = "Failed to import wave file. File has 9 channels; supported are 1 to 8."},
    {.name = "py_rate0.wav", .error = "Failed to import wave file. File gives its sample rate as 0 Hz; supported is "
                                      "any rate of 1 Hz or more."},
    {.name = "py_u8_12min.wav", .error = "Failed to import wave file. File is 12:00 long (34560000 frames); at most "
                                         "10 minutes at 48 kHz (28800000 frames) can be imported."},
};

class RecordingFixture : public testing::TestWithParam<RecordingCase> {};

TEST_P(RecordingFixture, ReadsAsWorkedOutOrGivesItsMessage)
{
    const RecordingCase& row = GetParam();
    const RecordingRead read = readRecording(recordings / row.name);
    if (row.error != nullptr) {
        EXPECT_FALSE(read.recording);
        EXPECT_EQ(read.error, row.error);
        return;
    }
    ASSERT_TRUE(read.recording) << read.error;
    const Recording& recording = *read.recording;
    EXPECT_EQ(recording.rate, row.rate);
    EXPECT_EQ(recording.channels, row.channels);
    EXPECT_EQ(recording.bitsPerSample, row.bits);
    EXPECT_EQ(recording.isFloat, row.isFloat);
    EXPECT_EQ(recording.extensible, row.extensible);
    ASSERT_EQ(recording.frames.size(), row.frames);
    for (const auto& [frame, value] : row.values)
        EXPECT_NEAR(recording.frames[frame], value, 0.005) << "frame " << frame;
    EXPECT_EQ(recording.loop, row.loop);
}

INSTANTIATE_TEST_SUITE_P(Files, RecordingFixture, testing::ValuesIn(cases),
                         [](const testing::TestParamInfo<RecordingCase>& info) {
                             return CaseNames::testName(std::filesystem::path(info.param.name).stem().string());
                         });

// Only a regular file is opened, as by the loader, and with its message.
TEST(RecordingFixtures, AFolderIsNotOpened)
{
    EXPECT_EQ(readRecording(recordings).error, ExpectedMessage::cannotOpen);
}

TEST(RecordingFixtures, EveryWrittenFileHasAnExpectation)
{
    std::set<std::string> known;
    for (const RecordingCase& row : cases)
        known.insert(row.name);
    std::set<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(recordings))
        written.insert(entry.path().filename().string());
    EXPECT_EQ(written, known);
}

} // namespace
