// The Import Cycle window's rules through a scripted window, on recordings
// made in memory whose cycles are known: what the fields give, Auto, Listen on
// the result, the overview's click, the keys, and the two pictures.

#include "tests/support/CaseNames.h"
#include "ScriptedPreviewOutput.h"
#include "ScriptedWindow.h"
#include "app/CyclePictures.h"
#include "app/ImportCycleController.h"
#include "app/ListenToggle.h"
#include "app/ResourceIds.h"
#include "wave/Recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

using namespace hwd;

namespace {

using Log = ScriptedWindow::Log;
using CaseNames::PrintTo;

// A second of 480 Hz at 48 kHz, 100 frames a period: a fundamental and its
// third harmonic, each as the 128 samples must hold it.
double tone(double periods)
{
    const double phase = 2.0 * std::numbers::pi * periods;
    return 10000.0 * std::sin(phase) + 5000.0 * std::sin(3.0 * phase);
}

Recording toneRecording()
{
    Recording recording;
    recording.rate = 48000;
    recording.channels = 1;
    recording.bitsPerSample = 16;
    for (int n = 0; n < 48000; ++n)
        recording.frames.push_back(static_cast<float>(tone(n / 100.0)));
    return recording;
}

class ImportCycleControllerTest : public ::testing::Test {
protected:
    void open(std::optional<CycleChoice> initial)
    {
        importer.emplace(recording, initial, listen, current);
        importer->initialise(window);
    }
    void type(const char* start, const char* length)
    {
        window.setControlText(IDC_CYCLE_START, start);
        window.setControlText(IDC_CYCLE_LENGTH, length);
        importer->command(IDC_CYCLE_LENGTH, ControlEvent::Changed);
    }
    [[nodiscard]] std::string status() { return window.texts[IDC_CYCLE_STATUS]; }
    // The largest distance of the result from the tone over a cycle from start.
    [[nodiscard]] int distanceFromTone(std::uint64_t start) const
    {
        int distance = 0;
        for (int j = 0; j < 128; ++j) {
            const auto expected = static_cast<int>(std::lround(tone(start / 100.0 + j / 128.0)));
            distance = std::max(distance, std::abs(importer->samples()[static_cast<std::size_t>(j)] - expected));
        }
        return distance;
    }

    Recording recording = toneRecording();
    Log log;
    ScriptedWindow window{"import", log};
    ScriptedPreviewOutput preview;
    Waveshape current;
    ListenToggle listen{preview, current};
    std::optional<ImportCycleController> importer;
};

TEST_F(ImportCycleControllerTest, opensOnTheCycleGivenWithItsWaveAndOkFocused)
{
    open(CycleChoice{{200, 100.0}, CycleOrigin::found});

    EXPECT_EQ(log, (Log{"import: text 1012 200", "import: text 1013 100", "import: enable 1 on",
                        "import: text 1015 start 200, length 100 frames (480.00 Hz at 48000 Hz), found",
                        "import: repaint 1010", "import: repaint 1011", "import: focus 1"}));
    EXPECT_LE(distanceFromTone(200), 1);
    ASSERT_TRUE(importer->chosen());
    EXPECT_EQ(importer->chosen()->cycle, (Cycle{200, 100.0}));
}

TEST_F(ImportCycleControllerTest, withoutACycleItAsksForOneAndOffersNoOk)
{
    open(std::nullopt);

    EXPECT_EQ(window.texts[IDC_CYCLE_START], "0");
    EXPECT_FALSE(window.enabled[IDOK]);
    EXPECT_EQ(status(), "No steady pitch was found: set the start and the length by hand.");
    EXPECT_EQ(window.focus, IDC_CYCLE_LENGTH);
    importer->command(IDOK, ControlEvent::Other);
    EXPECT_EQ(std::count(log.begin(), log.end(), "import: end 1"), 0);
}

struct FieldsRow {
    const char* name;
    const char* start;
    const char* length;
    const char* status;
};

class TypedFields : public ImportCycleControllerTest, public ::testing::WithParamInterface<FieldsRow> {};

TEST_P(TypedFields, giveTheCycleOrSayWhyNot)
{
    open(std::nullopt);
    type(GetParam().start, GetParam().length);

    EXPECT_EQ(status(), GetParam().status);
    const bool fits = status().starts_with("start ");
    EXPECT_EQ(window.enabled[IDOK], fits);
    EXPECT_EQ(importer->chosen().has_value(), fits);
}

constexpr const char* startProblem = "The start must be a frame from 0 to 47999.";
constexpr const char* lengthProblem = "The length must be a number of frames from 2 to 65536.";

const FieldsRow fieldsRows[] = {
    {"Whole", "0", "100", "start 0, length 100 frames (480.00 Hz at 48000 Hz), set by hand"},
    {"DecimalComma", "250", "100,5", "start 250, length 100.50 frames (477.61 Hz at 48000 Hz), set by hand"},
    {"EndingOnTheLastFrame", "47900", "100", "start 47900, length 100 frames (480.00 Hz at 48000 Hz), set by hand"},
    {"PastTheEnd", "47901", "100", "The cycle runs past the end of the recording (48000 frames)."},
    {"StartOutside", "48000", "100", startProblem},
    {"StartNotANumber", "x", "100", startProblem},
    {"LengthTooShort", "0", "1.5", lengthProblem},
    {"LengthTooLong", "0", "65536.5", lengthProblem},
    {"LengthWithExponent", "0", "1e3", lengthProblem},
};

INSTANTIATE_TEST_SUITE_P(ImportCycle, TypedFields, ::testing::ValuesIn(fieldsRows), CaseNames::byName);

TEST_F(ImportCycleControllerTest, autoFindsThePeriodAgainNearTheStartOrSaysThereIsNone)
{
    open(std::nullopt);
    type("1000", "");
    importer->command(IDC_AUTO, ControlEvent::Clicked);
    EXPECT_EQ(window.texts[IDC_CYCLE_LENGTH], "100");
    EXPECT_EQ(status(), "start 1000, length 100 frames (480.00 Hz at 48000 Hz), found");

    std::fill(recording.frames.begin(), recording.frames.end(), 0.0f);
    importer->command(IDC_AUTO, ControlEvent::Clicked);
    EXPECT_EQ(status(), "No steady pitch was found near frame 1000.");
}

TEST_F(ImportCycleControllerTest, aClickOnTheOverviewMovesTheStartThere)
{
    open(CycleChoice{{0, 100.0}, CycleOrigin::smplLoop});
    importer->pictureClicked(IDC_RECORDING_VIEW, {50, 3}, {200, 40}, {});
    EXPECT_EQ(window.texts[IDC_CYCLE_START], "12000");
    EXPECT_EQ(importer->chosen()->origin, CycleOrigin::given);
}

// Listen plays the result while the window is open, and the current wave
// (silent here) once it has gone.
TEST_F(ImportCycleControllerTest, listenPlaysTheResultLiveAndTheCurrentWaveAfter)
{
    current.loaded = true;
    open(CycleChoice{{0, 100.0}, CycleOrigin::found});
    importer->command(ID_LISTEN, ControlEvent::Clicked);
    ASSERT_NE(preview.source, nullptr);
    const auto loudest = [this] {
        std::array<std::int16_t, 480> frames{};
        preview.source->fill(frames);
        return *std::max_element(frames.begin(), frames.end());
    };
    EXPECT_GT(loudest(), 4000);
    importer.reset();
    EXPECT_EQ(loudest(), 0);
}

TEST_F(ImportCycleControllerTest, enterGivesOkOnceACycleFitsAndEscapeCancels)
{
    open(std::nullopt);
    window.focus = IDC_CYCLE_LENGTH;
    EXPECT_TRUE(importer->keyPressed({KeyPress::Key::Enter}));
    type("0", "100");
    EXPECT_TRUE(importer->keyPressed({KeyPress::Key::Enter}));
    EXPECT_TRUE(importer->keyPressed({KeyPress::Key::Escape}));
    Log ends;
    std::copy_if(log.begin(), log.end(), std::back_inserter(ends), [](const std::string& line) {
        return line.starts_with("import: end");
    });
    EXPECT_EQ(ends, (Log{"import: end 1", "import: end 2"}));
}

// --- The pictures -----------------------------------------------------------

TEST(CyclePictures, theOverviewShowsEachColumnsExtremesAndMarksTheCycle)
{
    // A loud first half and a quiet second half.
    std::vector<float> frames(1000, 16384.0f);
    std::fill(frames.begin() + 500, frames.end(), -8192.0f);
    const CyclePictures::Overview overview(frames);
    const Drawing drawing = overview.draw({100, 100}, {500, 5.0});

    ASSERT_EQ(drawing.fills.size(), 102u);
    EXPECT_EQ(drawing.fills[0], (Drawing::Fill{{0, 0, 100, 100}, CyclePictures::white}));
    // 16384 of the 68535 units the picture's height spans: 24 rows above the middle.
    EXPECT_EQ(drawing.fills[1], (Drawing::Fill{{0, 26, 1, 1}, CyclePictures::envelopeColour}));
    EXPECT_EQ(drawing.fills[100], (Drawing::Fill{{99, 62, 1, 1}, CyclePictures::envelopeColour}));
    EXPECT_EQ(drawing.fills[101], (Drawing::Fill{{50, 0, 1, 100}, CyclePictures::markColour}));
    EXPECT_EQ(overview.frameAt(75, {100, 100}), 750u);
}

TEST(CyclePictures, theCycleViewDrawsTheWaveAsTheMainPictureDoesUnderTheRecording)
{
    SampleArray wave{};
    wave[64] = 32767;
    const std::vector<float> frames(400, 0.0f);
    const Drawing drawing = CyclePictures::drawCycle(frames, {100, 200.0}, wave, {256, 100});

    EXPECT_EQ(drawing.fills[0], (Drawing::Fill{{0, 0, 256, 100}, CyclePictures::black}));
    EXPECT_EQ(drawing.fills[1], (Drawing::Fill{{1, 1, 254, 98}, CyclePictures::boxColour}));
    // Sample 64's bar: two columns from 128, from 48 rows above the middle down to it.
    EXPECT_EQ(drawing.fills[2], (Drawing::Fill{{128, 2, 2, 48}, CyclePictures::black}));
    EXPECT_EQ(drawing.fills[3], (Drawing::Fill{{0, 50, 256, 1}, CyclePictures::black}));
    // The silent recording: one white pixel a column on the centre line.
    ASSERT_EQ(drawing.fills.size(), 4u + 256u);
    EXPECT_EQ(drawing.fills.back(), (Drawing::Fill{{255, 50, 1, 1}, CyclePictures::white}));
}

} // namespace
