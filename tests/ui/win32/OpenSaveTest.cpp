// Open and Save Wave As in the Win32 program, with the file dialogs scripted:
// what is written where, what is loaded, the boxes that say why not, and the
// Wave Tweaker's Save of the wave as edited so far.
#include "FileBytes.h"
#include "support/DialogWatcher.h"
#include "support/MainDialogHarness.h"
#include "ScriptedFileChooser.h"
#include "ScriptedPreviewOutput.h"
#include "support/TestWaves.h"

#include "ui/win32/WaveTweakerDialog.h"

#include "app/ResourceIds.h"
#include "wave/WaveOperations.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace hwd;

namespace {

constexpr std::size_t wavHeaderBytes = 44;
constexpr std::size_t fileBytes = 300;

std::string testWaveBytes(std::wstring_view name)
{
    return FileBytes::read(TestWaves::file(name));
}

// A main dialog with the scripted file dialogs and the saw example dropped.
class OpenSaveTest : public testing::Test {
protected:
    OpenSaveTest()
    {
        loaded_ = scratch_.copyWave(TestWaves::saw, L"saw.wav");
        harness_.drop({loaded_});
        harness_.runUntilIdle();
    }

    void saveAs() { harness_.dialog().runPictureCommand(ID_FILE_SAVE_AS, harness_.window()); }
    void open() { harness_.dialog().runPictureCommand(ID_FILE_OPEN, harness_.window()); }

    TestWaves::ScratchFolder scratch_;
    DialogWatcher watcher_;
    ScriptedFileChooser chooser_;
    ScriptedPreviewOutput output_;
    MainDialogHarness harness_{{{"Port A", ScriptedMidiOutput::DeviceKind::HardwarePort}},
                               {.fileChooser = &chooser_, .previewOutput = &output_}};
    std::filesystem::path loaded_;
};

// The saw example was written by Python's wave module: 128 samples at
// 44,100 Hz with the plain header. Saved unedited, the file is the same.
TEST_F(OpenSaveTest, SavingAsWavWritesTheLoadedWaveByteForByte)
{
    const auto target = scratch_.path() / L"copy.wav";
    chooser_.saveAnswer = target;
    saveAs();
    ASSERT_EQ(chooser_.saveSuggestions, std::vector<std::filesystem::path>{scratch_.path() / L"saw.wav"});
    const std::string written = FileBytes::read(target);
    ASSERT_EQ(written.size(), fileBytes);
    EXPECT_EQ(written, testWaveBytes(TestWaves::saw));
    EXPECT_TRUE(watcher_.messageBoxes().empty());
}

TEST_F(OpenSaveTest, SavingAsSyxWritesTheDumpForTheListedSlot)
{
    // "100": the fourth slot of the list, wave number 99.
    SendMessageW(harness_.control(IDC_WAVE_NUMBER), CB_SETCURSEL, 3, 0);
    const auto target = scratch_.path() / L"Saw Dump.SYX";
    chooser_.saveAnswer = target;
    saveAs();
    const std::string written = FileBytes::read(target);
    ASSERT_EQ(written.size(), fileBytes);
    EXPECT_EQ(written.substr(0, 6), std::string("\xF0\x01\x20\x01\x0A\x63", 6));
    EXPECT_EQ(static_cast<unsigned char>(written.back()), 0xF7);
    // What Send puts on the port for that slot, byte for byte.
    SendMessageW(harness_.control(IDC_SEND), BM_CLICK, 0, 0);
    ASSERT_EQ(harness_.midi().sentMessages.size(), 1u);
    EXPECT_EQ(written, std::string(harness_.midi().sentMessages[0].begin(), harness_.midi().sentMessages[0].end()));
}

TEST_F(OpenSaveTest, ASaveIntoAMissingFolderWarnsAndWritesNothing)
{
    const auto target = scratch_.path() / L"no such folder" / L"saw.wav";
    chooser_.saveAnswer = target;
    saveAs();
    ASSERT_EQ(watcher_.messageBoxes().size(), 1u);
    const auto& box = watcher_.messageBoxes()[0];
    EXPECT_EQ(box.text.rfind(L"The wave was not saved: ", 0), 0u) << std::string(box.text.begin(), box.text.end());
    EXPECT_EQ(box.caption, L"Harlix Wave Dump");
    EXPECT_EQ(box.icon, DialogWatcher::Icon::Warning);
    EXPECT_EQ(box.owner, harness_.window());
    EXPECT_FALSE(std::filesystem::exists(target.parent_path()));
}

TEST_F(OpenSaveTest, ASaveOntoAFolderWarnsAndLeavesTheFolder)
{
    const auto target = scratch_.path() / L"taken.wav";
    std::filesystem::create_directory(target);
    chooser_.saveAnswer = target;
    saveAs();
    ASSERT_EQ(watcher_.messageBoxes().size(), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch_.path()), {}), 2);
}

TEST_F(OpenSaveTest, CancellingTheSaveWritesNothing)
{
    saveAs();
    EXPECT_EQ(chooser_.saveSuggestions.size(), 1u);
    EXPECT_TRUE(watcher_.messageBoxes().empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch_.path()), {}), 1);
}

TEST(OpenSaveWithoutAWave, SaveAsksNothing)
{
    ScriptedFileChooser chooser;
    ScriptedPreviewOutput output;
    MainDialogHarness harness({.fileChooser = &chooser, .previewOutput = &output});
    harness.dialog().runPictureCommand(ID_FILE_SAVE_AS, harness.window());
    EXPECT_TRUE(chooser.saveSuggestions.empty());
}

TEST_F(OpenSaveTest, OpenLoadsThePickAndReloadReadsItAgain)
{
    const auto picked = scratch_.copyWave(TestWaves::square, L"picked.wav");
    chooser_.openAnswer = picked;
    open();
    EXPECT_EQ(chooser_.opensAsked, 1);
    EXPECT_EQ(currentWaveshape().samples[0], 32767);
    EXPECT_EQ(harness_.fileNameText(), picked.wstring());

    scratch_.copyWave(TestWaves::saw, L"picked.wav");
    harness_.runUntilIdle();
    SendMessageW(harness_.control(IDC_RELOAD), BM_CLICK, 0, 0);
    EXPECT_EQ(currentWaveshape().samples[0], -32768);
    EXPECT_EQ(currentWaveshape().samples[1], -32256);
}

TEST_F(OpenSaveTest, OpeningARefusedFileWarnsAsADropDoes)
{
    chooser_.openAnswer = TestWaves::file(TestWaves::stereo);
    open();
    ASSERT_EQ(watcher_.messageBoxes().size(), 1u);
    EXPECT_EQ(watcher_.messageBoxes()[0].text, L"Failed to open wave file. File is not a mono PCM format WAV file.");
    EXPECT_EQ(watcher_.messageBoxes()[0].owner, harness_.window());
    harness_.runUntilIdle();
    EXPECT_FALSE(harness_.enabled(IDC_RELOAD));
}

TEST_F(OpenSaveTest, CancellingOpenKeepsTheWaveAndItsFile)
{
    open();
    EXPECT_EQ(chooser_.opensAsked, 1);
    EXPECT_EQ(currentWaveshape().samples[0], -32768);
    EXPECT_EQ(harness_.fileNameText(), loaded_.wstring());
    EXPECT_TRUE(watcher_.messageBoxes().empty());
}

// The Tweaker, opened by a double click, saves the wave as edited so far; its
// failures are its own boxes; Open is not offered there.
TEST_F(OpenSaveTest, TheTweakerSavesTheWaveAsEditedSoFar)
{
    const auto target = scratch_.path() / L"cleared.wav";
    chooser_.saveAnswer = target;
    std::string writtenWhileOpen;
    watcher_.whenOpen(L"Wave Tweaker", [&](HWND editor) {
        SendMessageW(GetDlgItem(editor, IDC_CLEAR), BM_CLICK, 0, 0);
        harness_.dialog().runPictureCommand(ID_FILE_SAVE_AS, editor);
        writtenWhileOpen = FileBytes::read(target);
        harness_.dialog().runPictureCommand(ID_FILE_OPEN, editor);
        PostMessageW(editor, WM_COMMAND, IDOK, 0);
    });
    SendMessageW(harness_.window(), WM_COMMAND, MAKEWPARAM(IDC_WAVE_VIEW, STN_DBLCLK), 0);
    ASSERT_EQ(watcher_.opened(L"Wave Tweaker"), 1);
    ASSERT_EQ(writtenWhileOpen.size(), fileBytes);
    EXPECT_EQ(writtenWhileOpen.substr(0, wavHeaderBytes), testWaveBytes(TestWaves::saw).substr(0, wavHeaderBytes));
    EXPECT_EQ(writtenWhileOpen.substr(wavHeaderBytes), std::string(fileBytes - wavHeaderBytes, '\0'));
    EXPECT_EQ(chooser_.opensAsked, 0);
}

TEST_F(OpenSaveTest, AFailedSaveInTheTweakerWarnsOverTheTweaker)
{
    chooser_.saveAnswer = scratch_.path() / L"missing" / L"saw.wav";
    HWND tweaker = nullptr;
    watcher_.whenOpen(L"Wave Tweaker", [&](HWND editor) {
        tweaker = editor;
        harness_.dialog().runPictureCommand(ID_FILE_SAVE_AS, editor);
        PostMessageW(editor, WM_COMMAND, IDOK, 0);
    });
    SendMessageW(harness_.window(), WM_COMMAND, MAKEWPARAM(IDC_WAVE_VIEW, STN_DBLCLK), 0);
    ASSERT_EQ(watcher_.messageBoxes().size(), 1u);
    EXPECT_EQ(watcher_.messageBoxes()[0].owner, tweaker);
    // The main dialog's own boxes are its own again afterwards.
    chooser_.openAnswer = TestWaves::file(TestWaves::stereo);
    open();
    ASSERT_EQ(watcher_.messageBoxes().size(), 2u);
    EXPECT_EQ(watcher_.messageBoxes()[1].owner, harness_.window());
}

} // namespace
