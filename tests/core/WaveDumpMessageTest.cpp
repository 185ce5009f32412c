// The 300-byte waveshape dump: its fixed bytes, where each sample byte lands in
// the 7-bit packing, and the round trip through decode.
#include "tests/support/CaseNames.h"
#include "transfer/WaveDumpMessage.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <vector>

using namespace hwd;

namespace {

using Message = std::vector<std::uint8_t>;

Message buildMessage(const SampleArray& samples, std::uint8_t waveNumber)
{
    Waveshape wave;
    wave.samples = samples;
    const auto built = WaveDumpMessage::build(wave, waveNumber);
    return Message(built.begin(), built.end());
}

Message withHeader(std::uint8_t waveNumber)
{
    Message message(300, 0x00);
    const std::uint8_t head[] = {0xF0, 0x01, 0x20, 0x01, 0x0A, waveNumber};
    std::copy(std::begin(head), std::end(head), message.begin());
    message[299] = 0xF7;
    return message;
}

SampleArray randomSamples(std::mt19937& random)
{
    std::uniform_int_distribution<int> value(-32768, 32767);
    SampleArray samples{};
    for (auto& sample : samples)
        sample = static_cast<std::int16_t>(value(random));
    return samples;
}

TEST(WaveDumpMessage, WorkedExample)
{
    SampleArray samples{};
    samples[0] = 4660;
    samples[1] = -2;
    samples[2] = 32767;
    samples[3] = -32768;
    const Message message = buildMessage(samples, 96);

    Message expected = withHeader(0x60);
    const std::uint8_t start[] = {0xF0, 0x01, 0x20, 0x01, 0x0A, 0x60, 0x1C, 0x34,
                                  0x12, 0x7E, 0x7F, 0x7F, 0x7F, 0x00, 0x01, 0x00};
    std::copy(std::begin(start), std::end(start), expected.begin());
    EXPECT_EQ(message, expected);
}

TEST(WaveDumpMessage, ResultIsTheProcessWideBuffer)
{
    const Waveshape wave;
    const auto built = WaveDumpMessage::build(wave, 100);
    EXPECT_EQ(built.size(), 300u);
    EXPECT_EQ(built.data(), WaveDumpMessage::dumpBuffer().data());
}

TEST(WaveDumpMessage, SilentWaveIsAllZerosBetweenHeaderAndEnd)
{
    EXPECT_EQ(buildMessage(SampleArray{}, 96), withHeader(0x60));
}

TEST(WaveDumpMessage, MinusOneEverywhere)
{
    SampleArray samples{};
    samples.fill(-1);
    const Message message = buildMessage(samples, 127);

    Message expected = withHeader(0x7F);
    std::fill(expected.begin() + 6, expected.begin() + 294, 0x7F);
    const std::uint8_t lastGroup[] = {0x0F, 0x7F, 0x7F, 0x7F, 0x7F};
    std::copy(std::begin(lastGroup), std::end(lastGroup), expected.begin() + 294);
    EXPECT_EQ(message, expected);
}

TEST(WaveDumpMessage, WaveNumberIsWrittenUnchanged)
{
    for (int waveNumber = 96; waveNumber <= 127; ++waveNumber) {
        SCOPED_TRACE(testing::Message() << "slot " << waveNumber + 1);
        EXPECT_EQ(buildMessage(SampleArray{}, static_cast<std::uint8_t>(waveNumber))[5], waveNumber);
    }
    EXPECT_EQ(buildMessage(SampleArray{}, WaveDumpMessage::firstUserSlot - 1)[5], 0x60);
    EXPECT_EQ(buildMessage(SampleArray{}, WaveDumpMessage::lastUserSlot - 1)[5], 0x7F);
}

struct Placement {
    const char* name;
    int position;
    std::int16_t value;
    std::map<int, std::uint8_t> bytes; // every non-zero byte between offsets 6 and 298
};

std::ostream& operator<<(std::ostream& out, const Placement& placement)
{
    return out << placement.name;
}

// Offsets worked out by hand from the group layout: sample byte j at
// 7 + 8 * (j / 7) + j % 7, its bit 7 in the leading byte 6 + 8 * (j / 7).
const Placement placements[] = {
    {"Min0", 0, -32768, {{6, 0x02}}},
    {"Max0", 0, 32767, {{6, 0x01}, {7, 0x7F}, {8, 0x7F}}},
    {"Min3SpansTwoGroups", 3, -32768, {{14, 0x01}}},
    {"Max3SpansTwoGroups", 3, 32767, {{6, 0x40}, {13, 0x7F}, {15, 0x7F}}},
    {"Min63", 63, -32768, {{150, 0x02}}},
    {"Max63", 63, 32767, {{150, 0x01}, {151, 0x7F}, {152, 0x7F}}},
    {"Min127InLastGroup", 127, -32768, {{294, 0x08}}},
    {"Max127InLastGroup", 127, 32767, {{294, 0x04}, {297, 0x7F}, {298, 0x7F}}},
    {"LowByteTopBitOnly", 1, 0x0080, {{6, 0x04}}},
    {"LowByte7F", 1, 0x007F, {{9, 0x7F}}},
    {"HighByteOnly", 2, 0x0100, {{12, 0x01}}},
};

class WaveDumpPlacement : public testing::TestWithParam<Placement> {};

TEST_P(WaveDumpPlacement, OneSampleLandsAtItsOffsets)
{
    const Placement& placement = GetParam();
    SampleArray samples{};
    samples[static_cast<std::size_t>(placement.position)] = placement.value;
    Message expected = withHeader(0x70);
    for (const auto& [offset, byte] : placement.bytes)
        expected[static_cast<std::size_t>(offset)] = byte;
    EXPECT_EQ(buildMessage(samples, 0x70), expected);
}

INSTANTIATE_TEST_SUITE_P(Samples, WaveDumpPlacement, testing::ValuesIn(placements),
                         CaseNames::byName);

TEST(WaveDumpMessage, OnlyTheEndsCarryTheTopBit)
{
    std::mt19937 random(2024);
    for (int round = 0; round < 50; ++round) {
        const Message message = buildMessage(randomSamples(random), static_cast<std::uint8_t>(96 + round % 32));
        SCOPED_TRACE(testing::Message() << "round " << round);
        EXPECT_EQ(message.front(), 0xF0);
        EXPECT_EQ(message.back(), 0xF7);
        EXPECT_TRUE(std::all_of(message.begin() + 1, message.end() - 1, [](std::uint8_t b) { return b < 0x80; }));
        EXPECT_EQ(message[294] & 0xF0, 0) << "the last leading byte holds four bits only";
    }
}

TEST(WaveDumpMessage, BuildsAreRepeatableAndForgetTheLastWave)
{
    std::mt19937 random(7);
    const SampleArray first = randomSamples(random);
    const Message once = buildMessage(first, 100);
    EXPECT_EQ(buildMessage(first, 100), once);

    SampleArray loud{};
    loud.fill(-1);
    (void)buildMessage(loud, 127);
    EXPECT_EQ(buildMessage(SampleArray{}, 96), withHeader(0x60));
    EXPECT_EQ(buildMessage(first, 100), once);
}

TEST(WaveDumpMessage, BuildReadsOnlyTheSamples)
{
    Waveshape wave;
    wave.loaded = false;
    wave.resampled = true;
    wave.samples[5] = 1234;
    wave.undo.fill(-1);
    wave.lastError = "kept";
    const Waveshape before = wave;
    const auto built = WaveDumpMessage::build(wave, 96);
    EXPECT_EQ(Message(built.begin(), built.end()), buildMessage(before.samples, 96));
    EXPECT_EQ(wave.samples, before.samples);
    EXPECT_EQ(wave.undo, before.undo);
    EXPECT_EQ(wave.loaded, before.loaded);
    EXPECT_EQ(wave.resampled, before.resampled);
    EXPECT_EQ(wave.lastError, before.lastError);
}

TEST(WaveDumpMessage, RoundTripsThroughDecode)
{
    std::mt19937 random(99);
    std::vector<SampleArray> waves;
    for (int round = 0; round < 100; ++round)
        waves.push_back(randomSamples(random));
    // The top bit set on the first and the last sample byte, and on neither.
    SampleArray ends{};
    ends.front() = static_cast<std::int16_t>(0x0080);
    ends.back() = static_cast<std::int16_t>(0x8000);
    waves.push_back(ends);
    SampleArray allEnds{};
    allEnds.fill(static_cast<std::int16_t>(0x8080));
    waves.push_back(allEnds);
    waves.push_back(SampleArray{});

    for (std::size_t round = 0; round < waves.size(); ++round) {
        SCOPED_TRACE(testing::Message() << "wave " << round);
        const auto waveNumber = static_cast<std::uint8_t>(96 + round % 32);
        const Message message = buildMessage(waves[round], waveNumber);
        const auto decoded = WaveDumpMessage::decode(message);
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(decoded->waveNumber, waveNumber);
        EXPECT_EQ(decoded->samples, waves[round]);
    }
}

struct Damage {
    const char* name;
    void (*apply)(Message&);
};

std::ostream& operator<<(std::ostream& out, const Damage& damage)
{
    return out << damage.name;
}

const Damage damages[] = {
    {"OneByteShort", [](Message& m) { m.pop_back(); }},
    {"OneByteLong", [](Message& m) { m.push_back(0xF7); }},
    {"Empty", [](Message& m) { m.clear(); }},
    {"NoStart", [](Message& m) { m[0] = 0xF1; }},
    {"OtherManufacturer", [](Message& m) { m[1] = 0x02; }},
    {"OtherDevice", [](Message& m) { m[2] = 0x21; }},
    {"OtherFirstCommand", [](Message& m) { m[3] = 0x02; }},
    {"OtherSecondCommand", [](Message& m) { m[4] = 0x0B; }},
    {"SlotBelowUserSlots", [](Message& m) { m[5] = 0x5F; }},
    {"SlotZero", [](Message& m) { m[5] = 0x00; }},
    {"SlotWithTopBit", [](Message& m) { m[5] = 0x80; }},
    {"NoEnd", [](Message& m) { m[299] = 0x00; }},
    {"TopBitInLeadingByte", [](Message& m) { m[6] |= 0x80; }},
    {"TopBitInDataByte", [](Message& m) { m[100] |= 0x80; }},
    {"TopBitInLastDataByte", [](Message& m) { m[298] |= 0x80; }},
    {"UnusedBitsOfLastLeadingByte", [](Message& m) { m[294] |= 0x10; }},
};

class WaveDumpDecode : public testing::TestWithParam<Damage> {};

TEST_P(WaveDumpDecode, RefusesADamagedMessage)
{
    std::mt19937 random(5);
    Message message = buildMessage(randomSamples(random), 110);
    ASSERT_TRUE(WaveDumpMessage::decode(message).has_value());
    GetParam().apply(message);
    EXPECT_FALSE(WaveDumpMessage::decode(message).has_value());
}

INSTANTIATE_TEST_SUITE_P(Damages, WaveDumpDecode, testing::ValuesIn(damages),
                         CaseNames::byName);

} // namespace
