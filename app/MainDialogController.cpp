#include "MainDialogController.h"

#include "DialogControls.h"
#include "DialogKeys.h"
#include "DialogTemplates.h"
#include "ImportCycleController.h"
#include "ResourceIds.h"
#include "SendControls.h"
#include "WaveSaving.h"
#include "WaveTweakerController.h"
#include "WindowsNT.h"
#include "wave/CycleText.h"
#include "wave/Recording.h"
#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <system_error>
#include <utility>

namespace hwd {

MainDialogController::MainDialogController(Waveshape& wave, DesktopServices services)
    : wave_(wave),
      services_(std::move(services)),
      sender_(services_.midi),
      listen_(services_.preview, wave_),
      controlStates_{IDC_SEND, IDC_RELOAD},
      bank_(*this, sender_)
{
}

void MainDialogController::initialise(DialogControls& window)
{
    window_ = &window;
    // Recorded now, shown at the first idle pass after the window appears.
    controlStates_.setControlEnabled(IDC_SEND, false);
    controlStates_.setControlEnabled(IDC_RELOAD, false);
    window.setControlText(IDC_FILE_NAME, dropHint);
    SendControls::fillWaveNumberList(window);
    SendControls::fillPortList(window, services_.midi);
    window.setToolTip(IDC_WAVE_VIEW, waveViewToolTip(mayOpenWaveTweaker()));
    controlStates_.addContainer([this](int controlId, bool enabled) { applyEnabling(controlId, enabled); });
    // The first tab stop of the template.
    window.focusControl(IDCANCEL);
}

void MainDialogController::command(int controlId, ControlEvent event)
{
    if (window_ == nullptr)
        return;
    if (bank_.sending()) {
        // Its controls are disabled; closing it ends the bank before the next dump.
        if (controlId == IDOK || controlId == IDCANCEL) {
            bank_.stopSending();
            closeApplication(controlId == IDOK ? exitOk : exitCancel);
        }
        return;
    }
    switch (controlId) {
    case ID_APP_ABOUT:
        (void)runModal(IDD_ABOUTBOX, nullptr);
        break;
    case IDOK:
        closeApplication(exitOk);
        break;
    case IDCANCEL:
        closeApplication(exitCancel);
        break;
    case IDC_SEND:
        if (event == ControlEvent::Clicked)
            SendControls::send(*window_, sender_, wave_);
        break;
    case IDC_RELOAD:
        if (event == ControlEvent::Clicked)
            loadCurrentFile();
        break;
    case IDC_WAVE_VIEW:
        if (event == ControlEvent::DoubleClicked)
            openWaveTweaker();
        break;
    default:
        if (pictureHasCommand(controlId, PictureWindow::mainDialog))
            runPictureCommand(controlId, PictureWindow::mainDialog, *window_);
        break;
    }
}

bool MainDialogController::keyPressed(const KeyPress& key)
{
    return window_ != nullptr && takeDialogKey(key, mainDialogTemplate(), PictureWindow::mainDialog, *window_, *this);
}

void MainDialogController::pictureMenuRequested(std::optional<Point> screenPoint)
{
    if (window_ == nullptr || bank_.sending())
        return;
    const std::vector<MenuItem> items = pictureMenu(PictureWindow::mainDialog);
    if (const int picked = window_->popUpMenu(items, IDC_WAVE_VIEW, screenPoint))
        runPictureCommand(picked, PictureWindow::mainDialog, *window_);
}

void MainDialogController::fileDropped(std::filesystem::path file)
{
    if (!bank_.sending())
        openFile(std::move(file));
}

void MainDialogController::runIdle()
{
    bank_.runIdle();
    controlStates_.applyControlStates();
    // Its turn comes before the next idle pass, which then finds no file.
    if (!fileToOpen_.empty() && window_ != nullptr)
        window_->later([this, file = std::exchange(fileToOpen_, {})] { openFile(file); });
}

void MainDialogController::openWhenShown(const std::filesystem::path& file)
{
    std::error_code error;
    std::filesystem::path absolute = file.empty() ? file : std::filesystem::absolute(file, error);
    fileToOpen_ = error ? file : std::move(absolute);
}

std::vector<MenuItem> MainDialogController::pictureMenu(PictureWindow where) const
{
    return pictureMenuItems(where, pictureState());
}

void MainDialogController::runPictureCommand(int commandId, PictureWindow where, DialogControls& from)
{
    if (!pictureCommandEnabled(commandId, where, pictureState()) || bank_.sending())
        return;
    switch (commandId) {
    case ID_FILE_OPEN:
        if (std::optional<std::filesystem::path> chosen = from.chooseFileToOpen(DialogControls::OpenTypes::waveFiles))
            openFile(std::move(*chosen));
        break;
    case ID_FILE_SAVE_AS:
        if (window_ != nullptr)
            saveWaveAs(from, wave_, SendControls::selectedWaveNumber(*window_), currentPath_);
        break;
    case ID_LISTEN:
        if (const std::string problem = listen_.toggle(); !problem.empty())
            from.showMessage(problem, MessageIcon::Warning);
        break;
    case ID_EDIT_WAVE:
        openWaveTweaker();
        break;
    case ID_IMPORT_CYCLE:
        importCycle();
        break;
    case ID_BANK:
        if (window_ != nullptr)
            window_->openModeless(IDD_BANK, bank_);
        break;
    default:
        break;
    }
}

bool MainDialogController::mayOpenWaveTweaker() const noexcept
{
    return isWindowsNT() && wave_.loaded;
}

void MainDialogController::loadCurrentFile()
{
    if (currentPath_.empty() || window_ == nullptr)
        return;
    if (importedCycle_) {
        (void)importCurrentCycle();
    } else {
        (void)WaveFileLoader(wave_).load(currentPath_);
        window_->repaintControl(IDC_WAVE_VIEW);
        if (!wave_.loaded)
            window_->showMessage(wave_.lastError, MessageIcon::Warning);
    }
    showCurrentFile();
}

void MainDialogController::showCurrentFile()
{
    controlStates_.setControlEnabled(IDC_SEND, wave_.loaded);
    // A bank cell's wave has no file to read again.
    controlStates_.setControlEnabled(IDC_RELOAD, wave_.loaded && !currentPath_.empty());
    // After a failure the box shows the file that failed; Reload is off for it.
    std::filesystem::path shown = currentPath_.empty() ? std::filesystem::path(bankWaveName_) : currentPath_;
    if (importedCycle_)
        shown += cycleSuffix(*importedCycle_);
    window_->setControlPath(IDC_FILE_NAME, shown);
    window_->setToolTip(IDC_WAVE_VIEW, waveViewToolTip(mayOpenWaveTweaker()));
    bank_.currentWaveChanged();
}

void MainDialogController::openFile(std::filesystem::path path)
{
    currentPath_ = std::move(path);
    importedCycle_.reset();
    bankWaveName_.clear();
    loadCurrentFile();
}

void MainDialogController::importCycle()
{
    if (window_ == nullptr)
        return;
    std::optional<std::filesystem::path> chosen = window_->chooseFileToOpen(DialogControls::OpenTypes::waveFiles);
    if (!chosen)
        return;
    const RecordingRead read = readRecording(*chosen);
    if (!read.recording) {
        window_->showMessage(read.error, MessageIcon::Warning);
        return;
    }
    ImportCycleController importer(*read.recording, defaultCycle(*read.recording), listen_, wave_);
    if (runModal(IDD_IMPORT_CYCLE, &importer) != ImportCycleController::exitOk || !importer.chosen())
        return;
    currentPath_ = std::move(*chosen);
    bankWaveName_.clear();
    importedCycle_ = importer.chosen()->cycle;
    takeImportedWave(importer.samples());
    showCurrentFile();
}

bool MainDialogController::importCurrentCycle()
{
    const RecordingRead read = readRecording(currentPath_);
    std::string problem = read.error;
    if (read.recording && !cycleFits(read.recording->frames, *importedCycle_))
        problem = "The cycle at " + std::to_string(importedCycle_->start) + " (" + lengthText(importedCycle_->length)
                + " frames) no longer fits in the recording.";
    if (!problem.empty()) {
        wave_.loaded = false;
        wave_.resampled = false;
        window_->repaintControl(IDC_WAVE_VIEW);
        window_->showMessage(problem, MessageIcon::Warning);
        return false;
    }
    takeImportedWave(cycleToWave(read.recording->frames, *importedCycle_));
    return true;
}

void MainDialogController::takeImportedWave(const SampleArray& samples)
{
    wave_.samples = samples;
    wave_.loaded = true;
    wave_.resampled = true;
    wave_.lastError = "";
    window_->repaintControl(IDC_WAVE_VIEW);
}

void MainDialogController::openWaveTweaker()
{
    if (!mayOpenWaveTweaker() || window_ == nullptr)
        return;
    WaveTweakerController tweaker(wave_, services_.seeds, *this);
    (void)runModal(IDD_WAVE_TWEAKER, &tweaker);
    // Shows the edited wave, whichever way the Tweaker ended.
    window_->repaintControl(IDC_WAVE_VIEW);
    bank_.currentWaveChanged();
}

int MainDialogController::runModal(int templateId, DialogController* controller)
{
    // Nothing in the bank window may change the wave under a modal window.
    bank_.setEnabled(false);
    const int code = window_->runModal(templateId, controller);
    bank_.setEnabled(true);
    return code;
}

std::string MainDialogController::currentWaveName() const
{
    if (!bankWaveName_.empty() || currentPath_.empty())
        return bankWaveName_.empty() ? std::string("wave") : bankWaveName_;
    return utf8Name(currentPath_.stem());
}

void MainDialogController::takeBankWave(const SampleArray& samples, const std::string& name)
{
    if (window_ == nullptr)
        return;
    wave_.samples = samples;
    wave_.loaded = true;
    wave_.resampled = false;
    wave_.lastError = "";
    currentPath_.clear();
    importedCycle_.reset();
    bankWaveName_ = name;
    window_->repaintControl(IDC_WAVE_VIEW);
    showCurrentFile();
}

int MainDialogController::selectedPort() const
{
    return window_ != nullptr ? static_cast<int>(window_->selectedListData(IDC_PORT)) : -1;
}

void MainDialogController::bankSending(bool sending)
{
    // The controls, not the window: its close box must still end the program.
    for (const ControlTemplate& control : mainDialogTemplate().controls) {
        if (control.id == IDC_STATIC)
            continue;
        applyEnabling(control.id, !sending && controlStates_.enabled(control.id));
    }
}

void MainDialogController::closeApplication(int code)
{
    // The preview ends with the window, before the loop does.
    listen_.stop();
    window_->endDialog(code);
}

void MainDialogController::applyEnabling(int controlId, bool enabled)
{
    if (window_ == nullptr)
        return;
    const bool losesFocus = !enabled && window_->focusedControl() == controlId;
    window_->enableControl(controlId, enabled);
    if (losesFocus)
        window_->focusControl(0);
}

PictureCommandState MainDialogController::pictureState() const noexcept
{
    return {wave_.loaded, mayOpenWaveTweaker(), listen_.listening()};
}

} // namespace hwd
