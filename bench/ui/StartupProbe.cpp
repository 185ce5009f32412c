// The desktop program's start-up, as runApplication does it, reporting to the
// start-up benchmark: "painted RSS_KB" at the main dialog's first paint, then
// "loaded RSS_KB" once the given WAV file has been dropped and loaded, then it
// quits through the dialog like Quit does.
// usage: hwd-startup-probe WAV_FILE

#include "ProbeReport.h"
#include "tests/ui/qt/FileDrop.h"
#include "transfer/MidiOutput.h"
#include "app/LoopRegistry.h"
#include "app/MainDialogController.h"
#include "app/ResourceIds.h"
#include "ui/qt/AlsaPreviewOutput.h"
#include "ui/qt/MainDialog.h"
#include "wave/WaveOperations.h"
#include "wave/Waveshape.h"
#include "ui/qt/MessageLoop.h"

#include <QApplication>

#include <thread>

using namespace hwd;

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2)
        return 3;
    const QString wavFile = QString::fromLocal8Bit(argv[1]);

    const std::unique_ptr<MidiOutput> midi = makeSystemMidiOutput();
    MessageLoop loop;
    LoopRegistry::instance().add(std::this_thread::get_id(), loop);
    AlsaPreviewOutput preview;
    MainDialogController controller(currentWaveshape(), {*midi, preview, &WaveOperations::millisecondTicks});
    MainDialog dialog(controller, currentWaveshape());
    FirstPaintReporter reporter(dialog, [&controller, &dialog, &wavFile] {
        FileDrop::deliverAndLoad(dialog, {wavFile});
        ProbeReport::print("loaded");
        controller.command(IDCANCEL, ControlEvent::Clicked);
    });
    dialog.show();
    const int exitCode = loop.run();
    LoopRegistry::instance().remove(std::this_thread::get_id());
    return exitCode == MainDialogController::exitCancel ? 0 : 1;
}
