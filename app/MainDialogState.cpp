#include "MainDialogState.h"

#include "FileChooser.h"
#include "ResourceIds.h"
#include "WindowsNT.h"
#include "transfer/SenderControls.h"
#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <utility>

namespace hwd {

MainDialogState::MainDialogState(Waveshape& wave, MessagePresenter& messages, MainDialogWindow& window)
    : wave_(wave), messages_(messages), window_(window), controlStates_{IDC_SEND, IDC_RELOAD}
{
}

void MainDialogState::initialise()
{
    setControlEnabled(IDC_SEND, false);
    setControlEnabled(IDC_RELOAD, false);
}

void MainDialogState::setCurrentPath(std::filesystem::path path)
{
    currentPath_ = std::move(path);
}

void MainDialogState::loadCurrentFile()
{
    if (currentPath_.empty())
        return;
    (void)WaveFileLoader(wave_).load(currentPath_);
    window_.repaintWaveView();

    if (!wave_.loaded)
        messages_.show(wave_.lastError, applicationCaption, MessageIcon::Warning);
    setControlEnabled(IDC_SEND, wave_.loaded);
    setControlEnabled(IDC_RELOAD, wave_.loaded);
    // After a failure the box shows the file that failed; Reload is off for it.
    window_.showFileName(currentPath_);
}

void MainDialogState::openFile(std::filesystem::path path)
{
    setCurrentPath(std::move(path));
    loadCurrentFile();
}

void MainDialogState::open(FileChooser& chooser)
{
    if (std::optional<std::filesystem::path> chosen = chooser.chooseFileToOpen())
        openFile(std::move(*chosen));
}

bool MainDialogState::mayOpenWaveTweaker() const noexcept
{
    return isWindowsNT() && wave_.loaded;
}

} // namespace hwd
