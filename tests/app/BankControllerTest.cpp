// The bank window's rules without a window: filling the cells from dropped
// files and dumps, saving, the selection, and sending a bank one dump per idle
// pass through the scripted MIDI output, with its progress, Cancel, failure
// and Resume; and the main dialog's side of it.

#include "FileBytes.h"
#include "SampleRuns.h"
#include "ScratchDirectory.h"
#include "ScriptedMidiOutput.h"
#include "ScriptedPreviewOutput.h"
#include "ScriptedWindow.h"
#include "WavBytes.h"
#include "app/BankController.h"
#include "app/MainDialogController.h"
#include "app/ResourceIds.h"
#include "transfer/MidiSender.h"
#include "wave/WaveFileLoader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

using namespace hwd;

namespace {

namespace fs = std::filesystem;
using Log = ScriptedWindow::Log;

// The picture at 800 x 400 pixels: cells of 100 x 100, slot 097 at the top left.
constexpr Size client{800, 400};

Point centreOfSlot(int slot)
{
    const int cell = slot - 97;
    return {cell % 8 * 100 + 50, cell / 8 * 100 + 50};
}

// A main dialog as far as the bank sees it.
class OwnerDouble final : public BankOwner {
public:
    Waveshape wave;
    std::string name = "current";
    std::vector<std::string> calls;
    std::uint64_t now = 0;

    const Waveshape& currentWave() const override { return wave; }
    std::string currentWaveName() const override { return name; }
    void takeBankWave(const SampleArray& samples, const std::string& cellName) override
    {
        wave.samples = samples;
        calls.push_back("take " + cellName);
    }
    int selectedPort() const override { return 0; }
    void bankSending(bool sending) override { calls.push_back(sending ? "sending" : "done"); }
    std::uint64_t milliseconds() const override { return now; }
};

class BankControllerTest : public ::testing::Test {
protected:
    BankControllerTest()
    {
        midi.devices = {{"Harlix MIDI 1", ScriptedMidiOutput::DeviceKind::HardwarePort}};
        midi.errorTexts = {{4, "The device is already in use."}};
        bank.initialise(window);
    }

    fs::path ramp(const std::string& name, int first)
    {
        FileBytes::write(folder.file(name), WavBytes::monoWav(SampleRuns::ramp(128, first, 1)));
        return folder.file(name);
    }
    void drop(std::vector<fs::path> files, int slot)
    {
        bank.filesDropped(std::move(files), IDC_BANK_VIEW, centreOfSlot(slot), client);
    }
    // "name" of each slot from first to last, "-" where empty.
    std::vector<std::string> names(int first, int last) const
    {
        std::vector<std::string> shown;
        for (int slot = first; slot <= last; ++slot) {
            const auto& cell = bank.bank()[static_cast<std::size_t>(slot - 97)];
            shown.push_back(cell ? cell->name : "-");
        }
        return shown;
    }
    Log entries(const std::string& kind)
    {
        Log found;
        for (const std::string& entry : std::exchange(log, {})) {
            if (entry.rfind("bank: " + kind, 0) == 0)
                found.push_back(entry.substr(6 + kind.size()));
        }
        return found;
    }
    // The first sample of each dump sent, read back from its bytes, and its slot.
    std::vector<std::pair<int, int>> sentSlots() const
    {
        std::vector<std::pair<int, int>> slots;
        for (const auto& message : midi.sentMessages) {
            const auto decoded = WaveDumpMessage::decode(message);
            slots.emplace_back(decoded->waveNumber + 1, decoded->samples[0]);
        }
        return slots;
    }
    void idle(int passes)
    {
        // Each pass takes 160 ms on the owner's clock.
        for (int i = 0; i < passes; ++i) {
            owner.now += 160;
            bank.runIdle();
        }
    }

    ScratchDirectory folder;
    Log log;
    ScriptedWindow window{"bank", log};
    ScriptedMidiOutput midi;
    MidiSender sender{midi};
    OwnerDouble owner;
    BankController bank{owner, sender};
};

// --- Filling ------------------------------------------------------------------

TEST_F(BankControllerTest, aDropFillsFromItsCellInNaturalOrderAndOneBoxNamesWhatWasNotTaken)
{
    FileBytes::write(folder.file("b.wav"), "Not a RIFF file at all.\n");
    struct Case {
        std::vector<std::string> files;
        int slot;
        std::vector<std::string> expected; // slots 125 to 128 or 100 to 103
        std::string box;
    };
    const Case cases[] = {
        {{"wave10.wav", "wave2.wav", "Wave1.wav"}, 100, {"Wave1", "wave2", "wave10", "-"}, ""},
        {{"c.wav", "b.wav", "a.wav"}, 125, {"a", "-", "c", "-"},
         "1 file was not taken:\nb.wav: Failed to open wave file. File does not appear to be a WAV file."},
        {{"t1.wav", "t2.wav", "t3.wav", "t4.wav", "t5.wav"}, 127, {"-", "-", "t1", "t2"},
         "3 files would pass slot 128 and were not taken."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.files.front());
        bank.command(IDC_BANK_VIEW, ControlEvent::Clicked);
        std::vector<fs::path> files;
        for (const std::string& name : c.files)
            files.push_back(name == "b.wav" ? folder.file(name) : ramp(name, 0));
        drop(files, c.slot);
        const int first = c.slot == 100 ? 100 : 125;
        EXPECT_EQ(names(first, first + 3), c.expected);
        const Log boxes = entries("box warning: ");
        EXPECT_EQ(boxes, c.box.empty() ? Log{} : Log{c.box});
        for (int slot = 97; slot <= 128; ++slot)
            bank.pictureClicked(IDC_BANK_VIEW, centreOfSlot(slot), client, {.shift = true});
        bank.command(IDC_BANK_CLEAR, ControlEvent::Clicked);
    }
}

TEST_F(BankControllerTest, aDumpFileFillsTheSlotsItsDumpsNameAndADamagedOneIsRefusedWhole)
{
    Waveshape wave;
    wave.loaded = true;
    std::vector<std::uint8_t> bytes;
    for (const int slot : {120, 98}) {
        wave.samples.fill(static_cast<std::int16_t>(slot));
        const auto dump = WaveDumpMessage::build(wave, static_cast<std::uint8_t>(slot - 1));
        bytes.insert(bytes.end(), dump.begin(), dump.end());
    }
    FileBytes::write(folder.file("bank.syx"), bytes);
    bytes[300 + 10] = 0x80; // a data byte with bit 7 set
    FileBytes::write(folder.file("bad.SYX"), bytes);

    drop({folder.file("bank.syx")}, 110);
    EXPECT_EQ(names(98, 98), std::vector<std::string>{"bank.syx #2"});
    EXPECT_EQ(names(120, 120), std::vector<std::string>{"bank.syx #1"});
    EXPECT_EQ(bank.bank()[120 - 97]->samples[127], 120);

    window.openAnswer = folder.file("bad.SYX");
    bank.command(IDC_BANK_OPEN, ControlEvent::Clicked);
    EXPECT_EQ(entries("box warning: "),
              (Log{"1 file was not taken:\n'bad.SYX': dump 2 of 2, at byte 300, is not a waveshape dump for a user slot 97 to 128"}));
}

TEST_F(BankControllerTest, saveWritesTheFilledCellsAsOneDumpFileInSlotOrderOrAsWavFilesInAFolder)
{
    drop({ramp("low.wav", -500), ramp("high.wav", 700)}, 101);
    window.saveAnswer = folder.file("out.syx");
    bank.command(IDC_BANK_SAVE, ControlEvent::Clicked);
    const std::string saved = FileBytes::read(folder.file("out.syx"));
    ASSERT_EQ(saved.size(), 600u);
    // Slot 101 (wave number 100) first, high.wav before low.wav by name.
    EXPECT_EQ(saved[5], 100);
    EXPECT_EQ(saved[305], 101);
    EXPECT_EQ(entries("text " + std::to_string(IDC_BANK_STATUS) + " ").back(), "Saved to out.syx");

    window.saveAnswer = folder.file("waves.wav");
    bank.command(IDC_BANK_SAVE, ControlEvent::Clicked);
    Waveshape loaded;
    ASSERT_TRUE(WaveFileLoader(loaded).load(folder.file("waves") / "102-low.wav"));
    EXPECT_EQ(loaded.samples[0], -500);
    ASSERT_TRUE(WaveFileLoader(loaded).load(folder.file("waves") / "101-high.wav"));
    EXPECT_EQ(loaded.samples[127], 827);
}

// --- Selection and the cells' keys ----------------------------------------------

TEST_F(BankControllerTest, clicksArrowsAndDeleteSelectAndClearCellsAndADoubleClickHandsTheWaveOn)
{
    std::vector<fs::path> files;
    for (int i = 0; i < 12; ++i)
        files.push_back(ramp("w" + std::to_string(i + 10) + ".wav", i));
    drop(files, 97);
    window.focus = IDC_BANK_VIEW;

    bank.pictureClicked(IDC_BANK_VIEW, centreOfSlot(98), client, {});
    bank.pictureClicked(IDC_BANK_VIEW, centreOfSlot(100), client, {.shift = true});
    bank.pictureClicked(IDC_BANK_VIEW, centreOfSlot(99), client, {.control = true});
    EXPECT_TRUE(bank.keyPressed({KeyPress::Key::Down, 0, false, true})); // 099 to 107, from the anchor 099
    EXPECT_TRUE(bank.keyPressed({KeyPress::Key::Left, 0, false, true}));  // 099 to 106
    EXPECT_TRUE(bank.keyPressed({KeyPress::Key::Delete}));
    EXPECT_EQ(names(97, 108), (std::vector<std::string>{"w10", "w11", "-", "-", "-", "-", "-", "-", "-", "-", "w20",
                                                        "w21"}));
    EXPECT_TRUE(bank.keyPressed({KeyPress::Key::Up}));
    EXPECT_TRUE(bank.keyPressed({KeyPress::Key::Up})); // nothing above the top row: stays, still taken
    bank.pictureDoubleClicked(IDC_BANK_VIEW, centreOfSlot(108), client);
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"take w21"}));
    EXPECT_EQ(owner.wave.samples[0], 11);

    window.focus = IDC_BANK_SEND;
    EXPECT_FALSE(bank.keyPressed({KeyPress::Key::Left})); // the platform's, off the cells
}

// --- Sending --------------------------------------------------------------------

TEST_F(BankControllerTest, aBankGoesOneDumpAnIdlePassInSlotOrderWithOnlyCancelAtWork)
{
    drop({ramp("a.wav", 1), ramp("b.wav", 2), ramp("c.wav", 3), ramp("d.wav", 4)}, 125);
    bank.pictureClicked(IDC_BANK_VIEW, centreOfSlot(126), client, {});
    bank.pictureClicked(IDC_BANK_VIEW, centreOfSlot(128), client, {.shift = true});
    log.clear();
    bank.command(IDC_BANK_SEND, ControlEvent::Clicked); // the selection only: 126 to 128
    EXPECT_TRUE(midi.sentMessages.empty()); // the first dump waits for an idle pass
    EXPECT_EQ(window.laterActions.size(), 1u);
    for (const int id : {IDC_BANK_VIEW, IDC_BANK_OPEN, IDC_BANK_SAVE, IDC_BANK_SEND, IDC_BANK_CLEAR})
        EXPECT_FALSE(window.enabled[id]) << id;
    EXPECT_EQ(window.focus, IDC_BANK_CANCEL);
    drop({ramp("late.wav", 9)}, 110); // refused while sending
    idle(5);

    EXPECT_EQ(sentSlots(), (std::vector<std::pair<int, int>>{{126, 2}, {127, 3}, {128, 4}}));
    EXPECT_EQ(entries("text " + std::to_string(IDC_BANK_STATUS) + " "),
              (Log{"Sending 126 (1 of 3)...", "Sending 127 (2 of 3)...", "Sending 128 (3 of 3)...",
                   "3 waves sent to 126-128 in 0.5 s"}));
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"sending", "done"}));
    EXPECT_EQ(names(110, 110), std::vector<std::string>{"-"});
    EXPECT_TRUE(window.enabled[IDC_BANK_SEND]);
    EXPECT_FALSE(window.enabled[IDC_BANK_RESUME]);
}

// Cancel, or a dump that fails, stops a bank of 100 to 102 after its first
// dump; Resume then sends the rest.
TEST_F(BankControllerTest, aBankStoppedPartWayResumesFromTheSlotItDidNotSend)
{
    struct Case {
        const char* name;
        bool cancel;
        const char* line;
        const char* resume;
        Log boxes;
    };
    const Case cases[] = {
        // First: the scripted output counts its opens from its start.
        {"the second open refused", false, "1 wave sent to 100 in 0.3 s; 101 failed", "&Resume from 101",
         {"Slot 101 was not sent.\nError: Failed to open the specified MIDI port. The device is already in use."}},
        {"Cancel", true, "Cancelled: 1 wave sent to 100 in 0.3 s", "&Resume from 101", {}},
    };
    drop({ramp("a.wav", 1), ramp("b.wav", 2), ramp("c.wav", 3)}, 100);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        midi.sentMessages.clear();
        midi.openResults = c.cancel ? std::vector<hwd::MidiResult>{} : std::vector<hwd::MidiResult>{hwd::midiSuccess, 4};
        log.clear();
        bank.command(IDC_BANK_SEND, ControlEvent::Clicked);
        idle(1);
        if (c.cancel)
            bank.command(IDC_BANK_CANCEL, ControlEvent::Clicked);
        idle(2);

        EXPECT_EQ(sentSlots(), (std::vector<std::pair<int, int>>{{100, 1}}));
        EXPECT_EQ(entries("box error: "), c.boxes);
        EXPECT_EQ(window.texts[IDC_BANK_STATUS], c.line);
        EXPECT_EQ(window.texts[IDC_BANK_RESUME], c.resume);
        EXPECT_TRUE(window.enabled[IDC_BANK_RESUME]);
        midi.openResults.clear();
        bank.command(IDC_BANK_RESUME, ControlEvent::Clicked);
        idle(3);
        EXPECT_EQ(sentSlots(), (std::vector<std::pair<int, int>>{{100, 1}, {101, 2}, {102, 3}}));
        EXPECT_EQ(window.texts[IDC_BANK_STATUS], "2 waves sent to 101-102 in 0.3 s");
    }
}

// --- The main dialog's side ---------------------------------------------------------

TEST(BankBesideTheMainDialog, ctrlBOpensItACellTakesTheWaveAndClosingTheProgramStopsABank)
{
    ScratchDirectory folder;
    Log log;
    ScriptedWindow main{"main", log};
    ScriptedWindow bankWindow{"bank", log};
    ScriptedMidiOutput midi;
    midi.devices = {{"Harlix MIDI 1", ScriptedMidiOutput::DeviceKind::HardwarePort}};
    ScriptedPreviewOutput preview;
    Waveshape wave;
    MainDialogController controller{wave, {midi, preview, [] { return 1u; }}};
    main.modeless = [&](int, DialogController& opened) { opened.initialise(bankWindow); };
    controller.initialise(main);

    EXPECT_TRUE(controller.keyPressed({KeyPress::Key::Control, 'B'}));
    ASSERT_TRUE(controller.bank().isOpen());
    EXPECT_FALSE(bankWindow.enabled[IDC_BANK_USE]); // no wave yet

    FileBytes::write(folder.file("saw.wav"), WavBytes::monoWav(SampleRuns::ramp(128, -64, 1)));
    FileBytes::write(folder.file("up.wav"), WavBytes::monoWav(SampleRuns::ramp(128, 5, 1)));
    controller.fileDropped(folder.file("saw.wav"));
    EXPECT_TRUE(bankWindow.enabled[IDC_BANK_USE]);
    controller.bank().command(IDC_BANK_USE, ControlEvent::Clicked);
    controller.bank().filesDropped({folder.file("up.wav")}, IDC_BANK_VIEW, centreOfSlot(98), client);
    controller.runIdle();
    log.clear();
    controller.bank().pictureDoubleClicked(IDC_BANK_VIEW, centreOfSlot(98), client);
    EXPECT_EQ(wave.samples[0], 5);
    EXPECT_NE(std::find(log.begin(), log.end(), "main: path 1005 up"), log.end());
    log.clear();
    controller.runIdle();
    EXPECT_EQ(log, (Log{"main: enable 1006 off"})); // nothing to read again

    controller.bank().pictureClicked(IDC_BANK_VIEW, centreOfSlot(97), client, {});
    controller.bank().command(IDC_BANK_SEND, ControlEvent::Clicked);
    EXPECT_FALSE(main.enabled[IDC_SEND]);
    EXPECT_FALSE(main.enabled[IDCANCEL]);
    controller.runIdle(); // 097 goes
    controller.command(IDCANCEL, ControlEvent::Other); // the close box
    controller.runIdle();
    EXPECT_EQ(midi.sentMessages.size(), 1u);
    EXPECT_EQ(log.back(), "main: end 2");
}

} // namespace
