// How the loader walks the chunks of a file: each case is a file built byte by
// byte and the exact message the loader must leave (or none, when the file
// loads). Every case is loaded twice, from a real file and from memory, and the
// two ways must agree.
#include "tests/support/CaseNames.h"
#include "tests/support/LoaderMessages.h"
#include "support/MemoryLoad.h"
#include "ScratchDirectory.h"
#include "WavBytes.h"

#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace hwd;

namespace {

using namespace WavBytes;

SampleArray ramp(int start, int stride)
{
    SampleArray samples{};
    for (int i = 0; i < waveshapeSampleCount; ++i)
        samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(start + stride * i);
    return samples;
}

// The wave a loading case must end up with, and a different one for data
// chunks that must not be taken.
const SampleArray wanted = ramp(-32768, 511);
const SampleArray decoy = ramp(1000, 3);
const Bytes wantedData = sampleBytes(wanted);
const Bytes decoyData = sampleBytes(decoy);
const Bytes wantedChunk = chunk("data", wantedData);
const Bytes decoyChunk = chunk("data", decoyData);

// Where the reader stands after a chunk header, a move by this size would
// take a signed 32-bit offset back to `back` bytes before that point.
constexpr std::uint32_t backwards(std::uint32_t back)
{
    return static_cast<std::uint32_t>(0x100000000ull - back);
}

// A chunk as RIFF writes it: its body, then a pad byte when the body's size is odd.
Bytes padded(std::string_view id, const Bytes& body)
{
    return body.size() % 2 != 0 ? join({chunk(id, body), Bytes{0}}) : chunk(id, body);
}

struct LayoutCase {
    const char* name;
    Bytes file;
    const char* message;
};

std::ostream& operator<<(std::ostream& out, const LayoutCase& layout)
{
    return out << layout.name;
}

std::vector<LayoutCase> layoutCases()
{
    using namespace ExpectedMessage;
    const Bytes riff = riffHeader();
    const Bytes fmt = formatChunk();
    const Bytes list = chunk("LIST", join({text("INFOICMT"), le32(4), text("note")}));
    const Bytes fact = chunk("fact", le32(128));
    const Bytes zeroData = chunk("data", Bytes(256, 0));
    const Bytes fullFormat = formatBody();
    const Bytes shortFormat(fullFormat.begin(), fullFormat.end() - 2);
    // 16-bit mono in WAVE_FORMAT_EXTENSIBLE: 16 valid bits, no speaker mask, PCM's GUID.
    const Bytes extensiblePcm = join({formatBody(0xFFFE), le16(22), le16(16), le32(0),
                                      Bytes("\x01\0\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 16)});

    return {
        // Files that load, always with `wanted`.
        {"Plain", join({riff, fmt, wantedChunk}), none},
        {"ListBeforeFmt", join({riff, list, fmt, wantedChunk}), none},
        {"FactAndListBetweenFmtAndData", join({riff, fmt, fact, list, wantedChunk}), none},
        {"DataBeforeFmtSkippedForLaterData", join({riff, decoyChunk, fmt, wantedChunk}), none},
        {"OnlyFirstDataAfterFmtIsTaken", join({riff, fmt, wantedChunk, decoyChunk}), none},
        {"Fmt18Bytes", join({riff, chunk("fmt ", formatBody(1, 1, 16, 18)), wantedChunk}), none},
        {"Fmt40Bytes", join({riff, chunk("fmt ", formatBody(1, 1, 16, 40)), wantedChunk}), none},
        {"FmtDeclared14ButHolding16", join({riff, chunk("fmt ", 14, formatBody()), wantedChunk}), none},
        {"OddChunkBeforeFmtWithoutPad", join({riff, chunk("LIST", 3, text("abc")), fmt, wantedChunk}), none},
        {"OddChunkBetweenWithoutPad", join({riff, fmt, chunk("LIST", 5, text("abcde")), wantedChunk}), none},
        {"EmptyChunkBetween", join({riff, fmt, chunk("JUNK", 0), wantedChunk}), none},
        {"RiffSizeNotExamined", join({text("RIFF"), le32(0xFFFFFFFF), text("WAVE"), fmt, wantedChunk}), none},
        {"BytesAfterData", join({riff, fmt, wantedChunk, Bytes(1000, static_cast<char>(0xAA))}), none},

        // RIFF's pad byte after odd-sized bodies: found by the second walk.
        {"OddChunkBeforeFmtWithPad", join({riff, padded("LIST", text("abc")), fmt, wantedChunk}), none},
        {"OddChunkBetweenWithPad", join({riff, fmt, padded("LIST", text("abcde")), wantedChunk}), none},
        {"OddChunksBeforeAndBetweenWithPads",
         join({riff, padded("LIST", text("abc")), fmt, padded("junk", text("x")), wantedChunk}), none},
        {"OddFmt17WithPad", join({riff, padded("fmt ", formatBody(1, 1, 16, 17)), wantedChunk}), none},
        {"OddFmt17WithPadAfterOddChunk",
         join({riff, padded("LIST", text("abc")), padded("fmt ", formatBody(1, 1, 16, 17)), wantedChunk}), none},
        // Declared 15 but holding 16: 16 are read and no pad byte is skipped.
        {"PaddedWalkFmtDeclared15Holding16",
         join({riff, padded("LIST", text("abc")), chunk("fmt ", 15, formatBody()), wantedChunk}), none},
        // Data before fmt is skipped in the second walk too, with its pad byte.
        {"PaddedWalkSkipsOddDataBeforeFmt",
         join({riff, padded("data", Bytes(257, 0)), fmt, wantedChunk}), none},
        // Only the first walk's chunk header failures start the second walk; a
        // format the second walk finds is checked with its own messages.
        {"PaddedWalkChecksItsFormat", join({riff, padded("LIST", text("abc")), formatChunk(1, 2, 16), wantedChunk}),
         notMonoPcm},
        {"PaddedWalkChecksItsBitDepth",
         join({riff, padded("LIST", text("abc")), formatChunk(1, 1, 8), wantedChunk}), not16Bit},
        // When the second walk finds nothing either, the first walk's answer stands.
        {"NoDataInEitherWalk", join({riff, padded("LIST", text("abc")), fmt}), notWav},
        {"NoDataAfterPaddedChunkInEitherWalk", join({riff, fmt, padded("LIST", text("abcde"))}), noData},
        {"NoFmtInEitherWalk", join({riff, padded("LIST", text("abc")), wantedChunk}), notWav},
        {"FmtBodyCutInPaddedWalk", join({riff, padded("LIST", text("abc")), chunk("fmt ", 16, Bytes(10, 0))}),
         notWav},
        {"HugeChunkInPaddedWalk",
         join({riff, padded("LIST", text("abc")), chunk("JUNK", 0xFFFFFFFF), fmt, wantedChunk}), notWav},

        // The RIFF header.
        {"EmptyFile", {}, notWav},
        {"FourBytes", text("RIFF"), notWav},
        {"ElevenBytes", join({text("RIFF"), le32(0), text("WAV")}), notWav},
        {"HeaderOnly", riff, notWav},
        {"Rifx", join({riffHeader("RIFX"), fmt, wantedChunk}), notWav},
        {"Rf64", join({riffHeader("RF64"), fmt, wantedChunk}), notWav},
        {"LowerCaseRiff", join({riffHeader("riff"), fmt, wantedChunk}), notWav},
        {"AviForm", join({riffHeader("RIFF", "AVI "), fmt, wantedChunk}), notWav},

        // The search for the format chunk.
        {"NoFmt", join({riff, list, wantedChunk}), notWav},
        {"FmtIdInCapitals", join({riff, chunk("FMT ", formatBody()), wantedChunk}), notWav},
        {"ChunkHeaderCutBeforeFmt", join({riff, text("LIST"), le16(4)}), notWav},
        {"FmtBodyCut", join({riff, chunk("fmt ", 16, Bytes(10, 0))}), notWav},
        {"FmtDeclared8AtEndOfFile", join({riff, chunk("fmt ", 8, Bytes(8, 0))}), notWav},
        {"Huge80000000BeforeFmt", join({riff, chunk("JUNK", 0x80000000), fmt, wantedChunk}), notWav},
        {"HugeFFFFFFFFBeforeFmt", join({riff, chunk("JUNK", 0xFFFFFFFF), fmt, wantedChunk}), notWav},
        // As a signed offset this size is -8: the same header again, for ever.
        {"SizeThatWouldRereadItsOwnHeader", join({riff, chunk("JUNK", backwards(8)), fmt, wantedChunk}), notWav},
        // As a signed offset this size leads back into the LIST body, onto a
        // well-formed fmt and data that the walk had rightly stepped over.
        {"SizeThatWouldStepBackOntoFmt",
         join({riff, chunk("LIST", join({fmt, wantedChunk})), chunk("JUNK", backwards(8 + 24 + 264))}), notWav},

        // The format.
        {"Stereo", join({riff, formatChunk(1, 2, 16), wantedChunk}), notMonoPcm},
        {"NoChannels", join({riff, formatChunk(1, 0, 16), wantedChunk}), notMonoPcm},
        {"FloatTag", join({riff, formatChunk(3, 1, 32), wantedChunk}), notMonoPcm},
        {"FloatTagWith16Bits", join({riff, formatChunk(3, 1, 16), wantedChunk}), notMonoPcm},
        {"ExtensibleTag", join({riff, chunk("fmt ", formatBody(0xFFFE, 1, 16, 40)), wantedChunk}), notMonoPcm},
        // The sub-format is not looked for in a chunk declared too short to hold it.
        {"ExtensiblePcmDeclaredUnder40", join({riff, chunk("fmt ", 38, extensiblePcm), wantedChunk}), notMonoPcm},
        {"TagZero", join({riff, formatChunk(0, 1, 16), wantedChunk}), notMonoPcm},
        {"StereoEightBitIsRefusedAsStereo", join({riff, formatChunk(1, 2, 8), wantedChunk}), notMonoPcm},
        {"EightBit", join({riff, formatChunk(1, 1, 8), wantedChunk}), not16Bit},
        {"TwentyFourBit", join({riff, formatChunk(1, 1, 24), wantedChunk}), not16Bit},
        {"ThirtyTwoBit", join({riff, formatChunk(1, 1, 32), wantedChunk}), not16Bit},
        {"ZeroBit", join({riff, formatChunk(1, 1, 0), wantedChunk}), not16Bit},
        // 16 format bytes are read whatever the declared size, so the bit depth
        // is taken from the first two letters of "data".
        {"FmtDeclared14Holding14", join({riff, chunk("fmt ", 14, shortFormat), zeroData}), not16Bit},

        // The search for the data chunk.
        {"NoData", join({riff, fmt}), noData},
        {"NoDataAfterList", join({riff, fmt, list}), noData},
        {"DataOnlyBeforeFmt", join({riff, decoyChunk, fmt}), noData},
        {"DataIdInCapitals", join({riff, fmt, chunk("DATA", wantedData)}), noData},
        {"ChunkHeaderCutAfterFmt", join({riff, fmt, text("data"), le16(256)}), noData},
        {"FmtDeclaredLongerThanItsBody", join({riff, chunk("fmt ", 40, formatBody()), wantedChunk}), noData},
        {"Fmt80000000", join({riff, chunk("fmt ", 0x80000000, formatBody()), wantedChunk}), noData},
        {"FmtFFFFFFFF", join({riff, chunk("fmt ", 0xFFFFFFFF, formatBody()), wantedChunk}), noData},
        {"Huge80000000BetweenFmtAndData", join({riff, fmt, chunk("JUNK", 0x80000000), wantedChunk}), noData},
        {"HugeFFFFFFFFBetweenFmtAndData", join({riff, fmt, chunk("JUNK", 0xFFFFFFFF), wantedChunk}), noData},
        {"SizeThatWouldRereadItsOwnHeaderAfterFmt", join({riff, fmt, chunk("JUNK", backwards(8)), wantedChunk}),
         noData},
        // As a signed offset this size leads back to the data chunk before fmt.
        {"SizeThatWouldStepBackOntoData",
         join({riff, wantedChunk, fmt, chunk("JUNK", backwards(8 + 24 + 264))}), noData},

        // The data chunk's size and contents.
        {"Data256Cut", join({riff, fmt, chunk("data", 256, Bytes(255, 0))}), short256},
        {"Data256Absent", join({riff, fmt, chunk("data", 256)}), short256},
        {"Data257Cut", join({riff, fmt, chunk("data", 257, Bytes(256, 0))}), truncated},
        {"OddDataNeedsItsLastByte", join({riff, fmt, chunk("data", 259, Bytes(258, 0))}), truncated},
        {"Data131070Cut", join({riff, fmt, chunk("data", 131070, Bytes(131069, 0))}), truncated},
        {"Data131071Declared", join({riff, fmt, chunk("data", 131071, Bytes(300, 0))}), tooMany},
        {"Data80000000Declared", join({riff, fmt, chunk("data", 0x80000000)}), tooMany},
        {"DataFFFFFFFFDeclared", join({riff, fmt, chunk("data", 0xFFFFFFFF)}), tooMany},
        {"Data255", join({riff, fmt, chunk("data", Bytes(255, 0))}), tooFew},
        {"Data0", join({riff, fmt, chunk("data", {})}), tooFew},
    };
}

class LoaderLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(LoaderLayout, LeavesItsMessageAndTheWantedWave)
{
    const LayoutCase& layout = GetParam();
    const ScratchDirectory directory;
    const auto path = directory.write("layout.wav", layout.file);
    const bool expectLoad = *layout.message == '\0';

    Waveshape fromFile;
    WaveFileLoader fileLoader(fromFile);
    EXPECT_EQ(fileLoader.load(path.c_str()), expectLoad);
    EXPECT_STREQ(fromFile.lastError, layout.message);
    EXPECT_EQ(fromFile.loaded, expectLoad);
    EXPECT_FALSE(fromFile.resampled);
    if (expectLoad) {
        EXPECT_EQ(fromFile.samples, wanted);
    }

    Waveshape fromMemory;
    WaveFileLoader memoryLoader(fromMemory);
    EXPECT_EQ(loadFromMemory(memoryLoader, layout.file), expectLoad);
    EXPECT_STREQ(fromMemory.lastError, layout.message);
    if (expectLoad) {
        EXPECT_EQ(fromMemory.samples, wanted);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, LoaderLayout, testing::ValuesIn(layoutCases()),
                         CaseNames::byName);

} // namespace
