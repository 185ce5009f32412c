// The desktop program's start-up, as runApplication does it, reporting to the
// start-up benchmark: "painted RSS_KB" at the main dialog's first paint, then
// "loaded RSS_KB" once the given WAV file has been dropped and loaded, then it
// quits through the dialog like Quit does.
// usage: hwd-startup-probe WAV_FILE

#include "ProbeReport.h"
#include "transfer/MidiOutput.h"
#include "app/LoopRegistry.h"
#include "ui/qt/MainDialog.h"
#include "ui/qt/MessageLoop.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <thread>

namespace {

void dropFile(MainDialog& dialog, const QString& path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint centre(dialog.width() / 2, dialog.height() / 2);
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &enter);
    QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &drop);
    QCoreApplication::sendPostedEvents(&dialog, QEvent::MetaCall);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2)
        return 3;
    const QString wavFile = QString::fromLocal8Bit(argv[1]);

    const std::unique_ptr<MidiOutput> midi = makeSystemMidiOutput();
    MessageLoop loop;
    LoopRegistry::instance().add(std::this_thread::get_id(), loop);
    MainDialog dialog(*midi);
    FirstPaintReporter reporter(dialog, [&dialog, &wavFile] {
        dropFile(dialog, wavFile);
        ProbeReport::print("loaded");
        dialog.closeApplication(MainDialog::exitCancel);
    });
    dialog.show();
    const int exitCode = loop.run();
    LoopRegistry::instance().remove(std::this_thread::get_id());
    return exitCode == MainDialog::exitCancel ? 0 : 1;
}
