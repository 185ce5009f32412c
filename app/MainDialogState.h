#pragma once

#include "ControlStateTable.h"

#include <filesystem>

namespace hwd {

class FileChooser;
class MessagePresenter;
struct Waveshape;

// What the main dialog's logic needs of its window.
class MainDialogWindow {
public:
    virtual ~MainDialogWindow() = default;
    // Asks for a repaint of the whole wave view.
    virtual void repaintWaveView() = 0;
    // Shows this text in the file-name box.
    virtual void showFileName(const std::filesystem::path& path) = 0;
};

// The main dialog's state and rules, apart from any toolkit: the current path,
// load and reload, the warning box for a refused file, and Send and Reload
// enabled exactly when the last load succeeded (recorded at once, applied at
// the next idle pass).
class MainDialogState final {
public:
    MainDialogState(Waveshape& wave, MessagePresenter& messages, MainDialogWindow& window);

    // Records Send and Reload as disabled, as the dialog's initialisation does.
    void initialise();

    // The first file of a drop, whole and in its native encoding; nothing is
    // loaded yet.
    void setCurrentPath(std::filesystem::path path);
    [[nodiscard]] const std::filesystem::path& currentPath() const noexcept { return currentPath_; }

    // The action behind a drop and behind Reload: loads currentPath, asks for
    // the view's repaint, shows the loader's message in a warning box when the
    // file is refused, records Send and Reload and shows the path. Nothing at
    // all before the first drop.
    void loadCurrentFile();

    // A file named on the command line or picked with Open: loaded as a drop
    // would load it, and Reload then reads it again.
    void openFile(std::filesystem::path path);
    // Open: the chooser's pick is loaded; nothing when the user cancels.
    void open(FileChooser& chooser);

    // Whether a double click on the picture opens the Wave Tweaker: only with a
    // wave loaded, on the NT family.
    [[nodiscard]] bool mayOpenWaveTweaker() const noexcept;

    void setControlEnabled(int controlId, bool enabled) { controlStates_.setControlEnabled(controlId, enabled); }
    // The dialog's idle task.
    void applyControlStates() { controlStates_.applyControlStates(); }
    [[nodiscard]] ControlStateTable& controlStates() noexcept { return controlStates_; }

private:
    Waveshape& wave_;
    MessagePresenter& messages_;
    MainDialogWindow& window_;
    ControlStateTable controlStates_;
    std::filesystem::path currentPath_;
};

} // namespace hwd
