// Save Wave As without a window: the bytes each kind of name gets, the name
// offered, and what the user sees when the wave cannot be saved.

#include "FileBytes.h"
#include "ScratchDirectory.h"
#include "ScriptedWindow.h"
#include "WavBytes.h"
#include "app/WaveSaving.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace hwd;

namespace {

namespace fs = std::filesystem;

// Sample i is 255 * i - 16384, with the extremes at both ends.
Waveshape knownWave()
{
    Waveshape wave;
    wave.loaded = true;
    for (int i = 0; i < waveshapeSampleCount; ++i)
        wave.samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(255 * i - 16384);
    wave.samples[0] = -32768;
    wave.samples[127] = 32767;
    return wave;
}

std::string littleEndianSamples(const Waveshape& wave)
{
    std::string bytes;
    for (const std::int16_t sample : wave.samples)
        bytes += WavBytes::le16(static_cast<std::uint16_t>(sample));
    return bytes;
}

TEST(WaveSaving, wavNameGetsThePlain300ByteFile)
{
    ScratchDirectory folder;
    const Waveshape wave = knownWave();
    const fs::path path = folder.file("edited.wav");

    EXPECT_EQ(saveWave(path, wave, 96), "");

    const std::string expected = WavBytes::join({
        "RIFF", WavBytes::le32(292), "WAVE",
        "fmt ", WavBytes::le32(16), WavBytes::le16(1), WavBytes::le16(1), WavBytes::le32(44100),
        WavBytes::le32(88200), WavBytes::le16(2), WavBytes::le16(16),
        "data", WavBytes::le32(256), littleEndianSamples(wave),
    });
    EXPECT_EQ(FileBytes::read(path), expected);
}

TEST(WaveSaving, syxNameInAnyCaseGetsTheDumpForTheListedSlot)
{
    ScratchDirectory folder;
    Waveshape wave = knownWave();
    wave.samples.fill(0);
    const fs::path path = folder.file("bank.SyX");

    EXPECT_EQ(saveWave(path, wave, 111), "");

    const std::string bytes = FileBytes::read(path);
    ASSERT_EQ(bytes.size(), 300u);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\xF0\x01\x20\x01\x0A\x6F", 6)); // slot 112
    EXPECT_EQ(bytes.substr(6, 293), std::string(293, '\0'));
    EXPECT_EQ(static_cast<unsigned char>(bytes[299]), 0xF7);
}

TEST(WaveSaving, otherNamesAndMissingFoldersSaveNothingAndSayWhy)
{
    ScratchDirectory folder;
    const Waveshape wave = knownWave();

    EXPECT_EQ(saveWave(folder.file("wave.txt"), wave, 96),
              "The wave was not saved: 'wave.txt' ends neither in .wav (a WAV file) nor in .syx (a SysEx dump).");
    EXPECT_EQ(saveWave(folder.file("wave"), wave, 96),
              "The wave was not saved: 'wave' ends neither in .wav (a WAV file) nor in .syx (a SysEx dump).");
    const fs::path nowhere = folder.file("gone") / "wave.wav";
    const std::string problem = saveWave(nowhere, wave, 96);
    const std::u8string name = nowhere.u8string();
    EXPECT_EQ(problem.rfind("The wave was not saved: cannot write '" + std::string(name.begin(), name.end()) + "': ", 0), 0u)
        << problem;
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

// A failed save leaves the existing file as it was.
TEST(WaveSaving, aFolderInTheWayLeavesEverythingAsItWas)
{
    ScratchDirectory folder;
    fs::create_directory(folder.file("taken.wav"));
    EXPECT_EQ(saveWave(folder.file("taken.wav"), knownWave(), 96).rfind("The wave was not saved: cannot write", 0), 0u);
    EXPECT_TRUE(fs::is_directory(folder.file("taken.wav")));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(WaveSaving, offersTheCurrentFilesNameAsAWavFile)
{
    EXPECT_EQ(suggestedSaveName(fs::path("songs") / "saw.WAV", false), fs::path("songs") / "saw.wav");
    EXPECT_EQ(suggestedSaveName(fs::path("songs") / "take.2.aiff", false), fs::path("songs") / "take.2.wav");
    EXPECT_EQ(suggestedSaveName(fs::path("noext"), false), fs::path("noext.wav"));
    EXPECT_EQ(suggestedSaveName({}, false), fs::path("wave.wav"));
    // Never the name of the longer recording the wave was reduced from.
    EXPECT_EQ(suggestedSaveName(fs::path("songs") / "take.2.WAV", true), fs::path("songs") / "take.2-128.wav");
    EXPECT_EQ(suggestedSaveName(fs::path("noext"), true), fs::path("noext-128.wav"));
    EXPECT_EQ(suggestedSaveName({}, true), fs::path("wave.wav"));
}

TEST(WaveSaveAs, asksWhereWritesAndStaysQuietWhenSaved)
{
    ScratchDirectory folder;
    ScriptedWindow::Log log;
    ScriptedWindow window("main", log);
    window.saveAnswer = folder.file("out.wav");

    saveWaveAs(window, knownWave(), 96, folder.file("saw.wav"));
    Waveshape reduced = knownWave();
    reduced.resampled = true;
    saveWaveAs(window, reduced, 96, folder.file("take.wav"));

    EXPECT_EQ(log, (ScriptedWindow::Log{"main: choose where to save, offering saw.wav",
                                        "main: choose where to save, offering take-128.wav"}));
    EXPECT_EQ(FileBytes::read(folder.file("out.wav")).size(), 300u);
}

TEST(WaveSaveAs, cancelWritesNothingAndNoWaveAsksNothing)
{
    ScratchDirectory folder;
    ScriptedWindow::Log log;
    ScriptedWindow window("main", log);
    saveWaveAs(window, knownWave(), 96, {});

    Waveshape empty;
    window.saveAnswer = folder.file("out.wav");
    saveWaveAs(window, empty, 96, {});

    EXPECT_EQ(log, (ScriptedWindow::Log{"main: choose where to save, offering wave.wav"}));
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST(WaveSaveAs, aFailureShowsAWarningBoxSayingWhy)
{
    ScratchDirectory folder;
    ScriptedWindow::Log log;
    ScriptedWindow window("main", log);
    window.saveAnswer = folder.file("wave.mp3");

    saveWaveAs(window, knownWave(), 96, {});

    EXPECT_EQ(log.back(), "main: box warning: The wave was not saved: 'wave.mp3' ends neither in .wav (a WAV file) "
                          "nor in .syx (a SysEx dump).");
}

} // namespace
