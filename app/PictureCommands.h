#pragma once

#include "DialogControls.h"

#include <span>
#include <vector>

namespace hwd {

// The menu of the pictures, also reached by its shortcuts whatever control
// has the focus: Open, Save Wave As and Listen in the main dialog and the Wave
// Tweaker, Edit Wave, Import Cycle and Bank in the main dialog, Listen alone in
// the Import Cycle window, none in the bank window.
struct PictureMenuEntry {
    int commandId;     // ID_FILE_OPEN, ID_FILE_SAVE_AS, ID_LISTEN, ID_EDIT_WAVE, ID_IMPORT_CYCLE, ID_BANK
    const char* label; // UTF-8, '&' before the access key
    const char* shortcutText;
    char shortcutKey; // with Ctrl: 'O', 'S', 'L', 'E', 'I', 'B'
};

[[nodiscard]] std::span<const PictureMenuEntry> pictureMenuEntries() noexcept;

// Where a picture's menu is opened.
enum class PictureWindow { mainDialog, waveTweaker, importCycle, bank };

// Whether the picture in where has the command.
[[nodiscard]] bool pictureHasCommand(int commandId, PictureWindow where) noexcept;

// The command that Ctrl and this key give in where; 0 for any other key.
[[nodiscard]] int pictureCommandForKey(char key, PictureWindow where) noexcept;

// What the commands depend on.
struct PictureCommandState {
    bool waveLoaded = false;
    bool mayEditWave = false; // a double click on the picture would open the Wave Tweaker
    bool listening = false;
};

// Whether a command is offered. Open and Import Cycle are the main dialog's
// alone, and so is Bank: the Tweaker edits the wave it opened with, and its Undo belongs to
// that wave. Save needs a wave loaded; Edit Wave is offered exactly when the
// double click would open the Tweaker; Listen is always there.
[[nodiscard]] bool pictureCommandEnabled(int commandId, PictureWindow where, const PictureCommandState& state) noexcept;

// The menu of the picture in where: its entries in order, greyed where not
// offered, Listen checked while listening.
[[nodiscard]] std::vector<MenuItem> pictureMenuItems(PictureWindow where, const PictureCommandState& state);

// The main picture's tooltip: the double click's hint only while it would
// open the Wave Tweaker, and one line per sentence so that no command's name
// is broken.
[[nodiscard]] const char* waveViewToolTip(bool mayEditWave) noexcept;

// The commands of the pictures as the main dialog carries them out, for
// either window: one preview and one current file for the program. from is
// the window the command came from, which owns the boxes and file dialogs it
// opens.
class PictureCommands {
public:
    [[nodiscard]] virtual std::vector<MenuItem> pictureMenu(PictureWindow where) const = 0;
    // Runs the command when where offers it; nothing otherwise.
    virtual void runPictureCommand(int commandId, PictureWindow where, DialogControls& from) = 0;

protected:
    ~PictureCommands() = default;
};

} // namespace hwd
