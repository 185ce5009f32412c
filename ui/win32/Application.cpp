#include "Application.h"

#include "MainDialog.h"
#include "MessageLoop.h"
#include "WaveOutPreviewOutput.h"
#include "app/LoopRegistry.h"
#include "app/MainDialogController.h"
#include "transfer/MidiOutput.h"
#include "wave/WaveOperations.h"
#include "wave/Waveshape.h"

#include <memory>
#include <thread>

namespace hwd {

int runApplication(int showCommand, const std::filesystem::path& fileToOpen)
{
    const std::unique_ptr<MidiOutput> midi = makeSystemMidiOutput();
    return runApplication(showCommand, fileToOpen, *midi);
}

int runApplication(int showCommand, const std::filesystem::path& fileToOpen, MidiOutput& midi)
{
    MessageLoop loop;
    LoopRegistry& registry = LoopRegistry::instance();
    const std::thread::id thread = std::this_thread::get_id();
    registry.add(thread, loop);

    WaveOutPreviewOutput preview;
    MainDialogController controller(currentWaveshape(), {midi, preview, &WaveOperations::millisecondTicks});
    auto dialog = std::make_unique<MainDialog>(controller, currentWaveshape());
    int exitCode = 0;
    if (dialog->create()) {
        ShowWindow(dialog->window(), showCommand);
        controller.openWhenShown(fileToOpen);
        exitCode = loop.run();
    }
    // The loop goes first, so nothing finds it while the dialog object ends.
    registry.remove(thread);
    dialog.reset();
    return exitCode;
}

} // namespace hwd
