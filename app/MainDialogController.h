#pragma once

#include "BankController.h"
#include "ControlStateTable.h"
#include "DialogController.h"
#include "ListenToggle.h"
#include "PictureCommands.h"
#include "transfer/MidiSender.h"
#include "wave/CycleImport.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>

namespace hwd {

class MidiOutput;
class PreviewOutput;
struct Waveshape;

// What the program's windows use of the system besides themselves: one MIDI
// output, one preview output for Listen, Random PD's seed for each click in
// the Wave Tweaker (the milliseconds since the system started), and a clock
// for the time a bank takes.
struct DesktopServices {
    MidiOutput& midi;
    PreviewOutput& preview;
    std::function<std::uint32_t()> seeds;
    std::function<std::uint64_t()> milliseconds = [] {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    };
};

// The main dialog's rules, for both front ends: the user drops or opens a WAV
// file, sees the wave, picks a MIDI port and a wave number and sends the wave;
// Reload reads the same file again (or imports the same cycle of it again), a double click on the wave (or Edit Wave)
// opens the Wave Tweaker, About... the About box, and Quit, Esc, the close box
// and Enter end the program. Send and Reload are enabled exactly when the last
// load succeeded, recorded at once and applied at the next idle pass. It also
// carries out the pictures' commands for the Wave Tweaker: one preview and
// one current file for the program. Bank... (Ctrl+B) opens the one bank
// window beside it, whose bank lives as long as the program; while a bank is
// sent the dialog's controls are disabled and closing it stops the bank.
class MainDialogController final : public DialogController, public PictureCommands, public BankOwner {
public:
    static constexpr int exitOk = 1;
    static constexpr int exitCancel = 2;

    MainDialogController(Waveshape& wave, DesktopServices services);

    void initialise(DialogControls& window) override;
    void command(int controlId, ControlEvent event) override;
    [[nodiscard]] bool keyPressed(const KeyPress& key) override;
    void pictureMenuRequested(std::optional<Point> screenPoint) override;
    void fileDropped(std::filesystem::path file) override;
    // Applies the recorded enabling, then opens the file named on the command
    // line, once: the window is shown by then with Send and Reload as they
    // stand before any load, so that a warning box stands over the dialog as
    // a drop's would.
    void runIdle() override;

    // A file named on the command line, made absolute against the current
    // folder so that the window shows where it is; opened as a drop would
    // open it once the loop has first run dry.
    void openWhenShown(const std::filesystem::path& file);

    [[nodiscard]] std::vector<MenuItem> pictureMenu(PictureWindow where) const override;
    void runPictureCommand(int commandId, PictureWindow where, DialogControls& from) override;

    // The first file of the last drop or Open, as the loader opens it; empty before any.
    [[nodiscard]] const std::filesystem::path& currentPath() const noexcept { return currentPath_; }
    [[nodiscard]] bool listening() const noexcept { return listen_.listening(); }
    // Whether a double click on the picture opens the Wave Tweaker: only with a
    // wave loaded, on the NT family.
    [[nodiscard]] bool mayOpenWaveTweaker() const noexcept;
    // The recorded states of Send and Reload, which reach the buttons at the next idle pass.
    [[nodiscard]] const ControlStateTable& controlStates() const noexcept { return controlStates_; }
    [[nodiscard]] BankController& bank() noexcept { return bank_; }

    [[nodiscard]] const Waveshape& currentWave() const override { return wave_; }
    [[nodiscard]] std::string currentWaveName() const override;
    void takeBankWave(const SampleArray& samples, const std::string& name) override;
    [[nodiscard]] int selectedPort() const override;
    void bankSending(bool sending) override;
    [[nodiscard]] std::uint64_t milliseconds() const override { return services_.milliseconds(); }

private:
    // The action behind a drop, Open and Reload: loads currentPath, asks for
    // the picture's repaint, shows the loader's message in a warning box when
    // the file is refused, records Send and Reload and shows the path.
    void loadCurrentFile();
    // Send and Reload recorded as the last load left them, the path shown
    // (with the cycle after Import Cycle) and the picture's tooltip.
    void showCurrentFile();
    void openFile(std::filesystem::path path);
    // Import Cycle: a recording chosen, its cycle picked in the Import Cycle
    // window, and the wave made of it made the current wave.
    void importCycle();
    // Reload after Import Cycle: the same cycle of the same file, made again.
    // False, with the reason in a warning box, when that fails.
    bool importCurrentCycle();
    // The wave made of a recording's cycle becomes the current wave, as a
    // load that had to reduce its data would leave it.
    void takeImportedWave(const SampleArray& samples);
    void openWaveTweaker();
    // A modal window over the dialog, with the bank window disabled meanwhile.
    int runModal(int templateId, DialogController* controller);
    // Stops Listen and ends the dialog, and with it the program, with code.
    void closeApplication(int code);
    // A control that loses its enabling while it has the focus leaves the
    // focus with the dialog itself: the keyboard would be dead otherwise, and
    // Space must not press the next control.
    void applyEnabling(int controlId, bool enabled);
    [[nodiscard]] PictureCommandState pictureState() const noexcept;

    Waveshape& wave_;
    DesktopServices services_;
    MidiSender sender_;
    ListenToggle listen_;
    ControlStateTable controlStates_;
    std::filesystem::path currentPath_;
    // The cycle of currentPath_ that the current wave was made of, when it
    // came from Import Cycle.
    std::optional<Cycle> importedCycle_;
    // The name of the bank cell the current wave was taken from, when it was.
    std::string bankWaveName_;
    std::filesystem::path fileToOpen_;
    BankController bank_;
    DialogControls* window_ = nullptr;
};

} // namespace hwd
