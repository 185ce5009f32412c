#include "Application.h"

#include "AlsaPreviewOutput.h"
#include "MainDialog.h"
#include "MessageLoop.h"
#include "app/LoopRegistry.h"
#include "app/MainDialogController.h"
#include "transfer/MidiOutput.h"
#include "wave/WaveOperations.h"
#include "wave/Waveshape.h"

#include <QApplication>
#include <QScreen>

#include <memory>
#include <thread>

namespace hwd {

int runApplication(Qt::WindowStates showCommand, const std::filesystem::path& commandLineFile)
{
    const std::unique_ptr<MidiOutput> midi = makeSystemMidiOutput();
    return runApplication(*midi, showCommand, commandLineFile);
}

int runApplication(MidiOutput& midi, Qt::WindowStates showCommand, const std::filesystem::path& commandLineFile,
                   PreviewOutput* preview)
{
    // Only the main dialog's own quit request ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    MessageLoop loop;
    const std::thread::id thread = std::this_thread::get_id();
    LoopRegistry::instance().add(thread, loop);

    // Listen plays on the system's default audio output unless told otherwise.
    std::unique_ptr<AlsaPreviewOutput> systemPreview;
    if (preview == nullptr) {
        systemPreview = std::make_unique<AlsaPreviewOutput>();
        preview = systemPreview.get();
    }
    MainDialogController controller(currentWaveshape(), {midi, *preview, &WaveOperations::millisecondTicks});
    std::unique_ptr<MainDialog> dialog;
    int exitCode = 0;
    // With no screen to place it on, the main dialog cannot be created.
    if (QGuiApplication::primaryScreen() != nullptr) {
        dialog = std::make_unique<MainDialog>(controller, currentWaveshape());
        dialog->setWindowState(showCommand);
        dialog->show();
        controller.openWhenShown(commandLineFile);
        exitCode = loop.run();
    }

    LoopRegistry::instance().remove(thread);
    dialog.reset();
    return exitCode;
}

} // namespace hwd
