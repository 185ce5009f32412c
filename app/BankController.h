#pragma once

#include "Bank.h"
#include "BankPicture.h"
#include "DialogController.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hwd {

class MidiSender;

// What the bank window uses of the main dialog: its wave, its port, and its
// controls, which are disabled while a bank is sent.
class BankOwner {
public:
    // The main dialog's wave, edits included, and the name it came from.
    [[nodiscard]] virtual const Waveshape& currentWave() const = 0;
    [[nodiscard]] virtual std::string currentWaveName() const = 0;
    // A cell's wave becomes the main dialog's current wave, as if loaded from a file.
    virtual void takeBankWave(const SampleArray& samples, const std::string& name) = 0;
    // The device picked in the main dialog's Port list; -1 for the system's default.
    [[nodiscard]] virtual int selectedPort() const = 0;
    virtual void bankSending(bool sending) = 0;
    // A clock in milliseconds for the time a bank took.
    [[nodiscard]] virtual std::uint64_t milliseconds() const = 0;

protected:
    ~BankOwner() = default;
};

// The bank window's rules, for both front ends: 32 cells for the user slots
// 097 to 128, filled by drops, Open Bank and Use Current Wave, emptied by
// Clear and Delete, selected by click, Shift+click, Ctrl+click and the
// arrows; a double click (or Enter) makes a cell's wave the main dialog's.
// Save Bank As writes the filled cells as one .syx or as WAV files in a
// folder. Send Bank sends every filled cell, or the selected ones when more
// than one is selected, in slot order, one dump per idle pass of the program's
// loop so that the windows repaint and Cancel is heard between dumps; a
// failure stops the bank and offers to resume from the slot that failed.
class BankController final : public DialogController {
public:
    BankController(BankOwner& owner, MidiSender& sender);

    void initialise(DialogControls& window) override;
    void command(int controlId, ControlEvent event) override;
    [[nodiscard]] bool keyPressed(const KeyPress& key) override;
    void pictureMenuRequested(std::optional<Point> /*screenPoint*/) override {}
    void filesDropped(std::vector<std::filesystem::path> files, int controlId, Point point, Size client) override;
    // Sends the next dump of a bank being sent.
    void runIdle() override;
    [[nodiscard]] Drawing drawPicture(int controlId, Size client) const override;
    void pictureClicked(int controlId, Point point, Size client, ClickKeys held) override;
    void pictureDoubleClicked(int controlId, Point point, Size client) override;

    // Whether the window is open.
    [[nodiscard]] bool isOpen() const noexcept { return window_ != nullptr; }
    [[nodiscard]] bool sending() const noexcept { return run_.active; }
    // The whole window on or off, as the main dialog is while a modal window runs over it.
    void setEnabled(bool enabled);
    // The main dialog's wave changed: Use Current Wave follows it.
    void currentWaveChanged();
    // Stops a bank being sent before its next dump, quietly: the program ends.
    void stopSending();

    [[nodiscard]] const Bank& bank() const noexcept { return bank_; }

private:
    // A bank being sent: its cells in slot order and how far it got.
    struct Run {
        std::vector<int> cells;
        std::size_t next = 0;
        std::uint64_t startMs = 0;
        bool active = false;
        bool cancelRequested = false;
        bool closeAfter = false;
    };

    void fill(std::span<const std::filesystem::path> files, int firstCell);
    void openBank();
    void saveBankAs();
    void useCurrentWave();
    void clearSelected();
    void takeCell(int cell);
    void startSending(std::vector<int> cells);
    void showProgress();
    void sendNextDump();
    // Ends the run with its last line; what was not sent is offered to Resume.
    void finishRun(const std::string& line);
    void close();

    void select(int cell, ClickKeys held);
    void moveCursor(int to, bool extend);
    // The buttons as the bank and the run leave them; the picture repainted.
    void refresh();
    [[nodiscard]] std::vector<int> cellsToSend() const;
    // "12 waves sent to 097-108 in 3.4 s" for the run's cells sent so far.
    [[nodiscard]] std::string sentLine() const;

    BankOwner& owner_;
    MidiSender& sender_;
    Bank bank_;
    BankPicture::Marks marks_;
    int anchor_ = 0;
    Run run_;
    // The cells a failed or cancelled bank left unsent, for Resume.
    std::vector<int> resume_;
    std::filesystem::path lastSaved_;
    DialogControls* window_ = nullptr;
};

} // namespace hwd
