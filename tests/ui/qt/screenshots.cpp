// Draws every window of the desktop program as a user sees it, offscreen, into
// PNG files: the main dialog empty and loaded (plain and resampled), the main
// picture's context menu, the Wave Tweaker while the user draws, the Import
// Cycle window over a plucked recording and the main dialog after it, the About
// box and both kinds of message box.
// usage: make-screenshots OUTPUT_FOLDER

#include "app/LoopRegistry.h"
#include "ScriptedPreviewOutput.h"
#include "app/MainDialogController.h"
#include "app/ResourceIds.h"
#include "ui/qt/MainDialog.h"
#include "wave/WaveOperations.h"
#include "ui/qt/MessageLoop.h"
#include "FileDrop.h"
#include "ModalWatcher.h"
#include "ScriptedMidiOutput.h"
#include "WavFixture.h"
#include "ui/qt/WaveTweakerDialog.h"
#include "ui/qt/WaveView.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <cstdio>
#include <numbers>
#include <thread>

using namespace hwd;

namespace {

QString outputFolder;
int failures = 0;

void savePicture(const QPixmap& picture, const char* name)
{
    const QString path = QDir(outputFolder).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    if (picture.save(path)) {
        std::printf("%s\n", qPrintable(path));
    } else {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ++failures;
    }
}

void save(QWidget& widget, const char* name)
{
    savePicture(widget.grab(), name);
}

// Drops the file on the dialog and lets the load that follows the drop run.
void drop(MainDialog& dialog, const QString& path)
{
    FileDrop::deliverAndLoad(dialog, {path});
    dialog.runIdle();
}

// The popup menu is a window of its own: it is drawn over the dialog where it
// opened, as the user sees the two, on a canvas that holds both.
void saveMenuOverDialog(QMenu& menu, QWidget& dialog, const char* name)
{
    // The entry under the pointer, as when the user moves onto it.
    menu.setActiveAction(menu.actions().value(1));
    const QPixmap under = dialog.grab();
    const QPixmap popup = menu.grab();
    const QPoint offset = menu.pos() - dialog.mapToGlobal(QPoint(0, 0));
    const QRect canvas = QRect(QPoint(0, 0), under.size()).united(QRect(offset, popup.size()));
    QPixmap picture(canvas.size());
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawPixmap(-canvas.topLeft(), under);
    painter.drawPixmap(offset - canvas.topLeft(), popup);
    painter.end();
    savePicture(picture, name);
    menu.close();
}

// A plucked string at 110 Hz for a second and a half at 44100 Hz: twelve
// harmonics, the higher ones dying away first, after a short attack.
std::vector<std::int16_t> pluckedRecording()
{
    constexpr double rate = 44100.0;
    std::vector<std::int16_t> samples;
    for (int frame = 0; frame < 66150; ++frame) {
        const double time = frame / rate;
        double value = 0.0;
        for (int harmonic = 1; harmonic <= 12; ++harmonic) {
            value += std::sin(2.0 * std::numbers::pi * 110.0 * harmonic * time) / harmonic
                   * std::exp(-time * (0.8 + 0.6 * harmonic));
        }
        const double attack = std::min(1.0, time / 0.01);
        samples.push_back(static_cast<std::int16_t>(std::lround(14000.0 * attack * value)));
    }
    return samples;
}

// Picks path in the Open dialog, as typing its name and Enter would.
void pickFile(QFileDialog& dialog, const QString& path)
{
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    name->selectAll();
    name->insert(path);
    QTest::keyClick(name, Qt::Key_Return);
}

void closeBox(QDialog& dialog, const char* name)
{
    save(dialog, name);
    if (auto* box = qobject_cast<QMessageBox*>(&dialog))
        box->button(QMessageBox::Ok)->click();
    else
        dialog.reject();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    outputFolder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outputFolder);
    QTemporaryDir files;

    ScriptedMidiOutput midi;
    midi.devices = {{"Harlix MIDI In", ScriptedMidiOutput::DeviceKind::HardwarePort},
                    {"USB MIDI Interface 2", ScriptedMidiOutput::DeviceKind::HardwarePort}};
    midi.openResult = 4;
    midi.errorTexts[4] = "The device is already in use by another program.";

    MessageLoop loop;
    LoopRegistry::instance().add(std::this_thread::get_id(), loop);
    ScriptedPreviewOutput preview;
    MainDialogController controller(currentWaveshape(), {midi, preview, &WaveOperations::millisecondTicks});
    MainDialog dialog(controller, currentWaveshape());
    dialog.show();
    dialog.runIdle();
    save(dialog, "main-dialog-empty");

    const QString plain = files.filePath(QStringLiteral("sine-128.wav"));
    WavFixture::write(plain, WavFixture::cycle(128));
    drop(dialog, plain);
    save(dialog, "main-dialog-loaded");

    const QString longer = files.filePath(QStringLiteral("a folder with a rather long name/sine-resampled-from-1000.wav"));
    QDir().mkpath(QFileInfo(longer).path());
    WavFixture::write(longer, WavFixture::cycle(1000, 24000.0));
    drop(dialog, longer);
    save(dialog, "main-dialog-resampled");

    {
        // A right click on the picture, a little left of its middle.
        drop(dialog, plain);
        MenuWatcher menu([&dialog](QMenu& shown) { saveMenuOverDialog(shown, dialog, "context-menu"); });
        auto* view = dialog.findChild<WaveView*>(QStringLiteral("IDC_WAVE_VIEW"));
        const QPoint click = view->mapTo(&dialog, QPoint(view->width() / 3, view->height() / 2));
        QTest::mouseClick(dialog.windowHandle(), Qt::RightButton, {}, click);
    }

    {
        ModalWatcher drawer([](QDialog& shown) {
            auto* tweaker = qobject_cast<WaveTweakerDialog*>(&shown);
            if (tweaker == nullptr)
                return;
            // A stroke across the left half of the view, with the button held down.
            const QRect view = tweaker->view()->geometry();
            const QPoint start = view.topLeft() + QPoint(view.width() / 8, view.height() / 5);
            QTest::mousePress(tweaker, Qt::LeftButton, {}, start);
            for (int step = 1; step <= 160; ++step) {
                const QPoint point = start + QPoint(step * view.width() / 400, step * view.height() / 280);
                QMouseEvent move(QEvent::MouseMove, point, tweaker->mapToGlobal(point), Qt::NoButton,
                                 Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(tweaker, &move);
            }
            closeBox(*tweaker, "wave-tweaker-drawing");
        });
        controller.command(IDC_WAVE_VIEW, ControlEvent::DoubleClicked);
    }
    save(dialog, "main-dialog-after-tweaker");

    {
        const QString recording = files.filePath(QStringLiteral("pluck.wav"));
        WavFixture::write(recording, pluckedRecording());
        bool imported = false;
        ModalWatcher importer([&](QDialog& shown) {
            if (auto* chooser = qobject_cast<QFileDialog*>(&shown)) {
                pickFile(*chooser, recording);
            } else if (shown.objectName() == QLatin1String("IDD_IMPORT_CYCLE")) {
                imported = true;
                save(shown, "import-cycle");
                shown.findChild<QPushButton*>(QStringLiteral("IDOK"))->click();
            } else {
                closeBox(shown, "import-cycle-refused");
            }
        });
        controller.command(ID_IMPORT_CYCLE, ControlEvent::Other);
        if (!imported) {
            std::fprintf(stderr, "the recording was not imported\n");
            ++failures;
        }
    }
    save(dialog, "main-dialog-imported");

    {
        // The bank window beside the main dialog, with a folder of waves
        // dropped on slot 098 and three cells selected.
        controller.command(ID_BANK, ControlEvent::Other);
        auto* bank = dialog.findChild<QDialog*>(QStringLiteral("IDD_BANK"));
        std::vector<std::filesystem::path> waves;
        const char* const names[] = {"sine", "bright saw", "pulse 25", "organ", "hollow", "bell", "pluck", "vox a",
                                     "vox o", "square", "sync", "noise pad"};
        for (int i = 0; i < 12; ++i) {
            std::vector<std::int16_t> samples(128);
            for (int n = 0; n < 128; ++n) {
                double value = 0;
                for (int harmonic = 1; harmonic <= 1 + i % 6; ++harmonic)
                    value += std::sin(2 * std::numbers::pi * harmonic * (n + 8 * i) / 128.0) / (harmonic + i % 3);
                samples[static_cast<std::size_t>(n)] = static_cast<std::int16_t>(std::clamp(value * 16000, -32000.0, 32000.0));
            }
            const QString path = WavFixture::writeIn(files, QString::fromLatin1(names[i]) + QStringLiteral(".wav"), samples);
            waves.emplace_back(path.toStdString());
        }
        controller.bank().filesDropped(waves, 0, {}, {});
        controller.bank().pictureClicked(IDC_BANK_VIEW, {70, 10}, {480, 240}, {});
        controller.bank().pictureClicked(IDC_BANK_VIEW, {190, 10}, {480, 240}, {.shift = true});
        if (bank != nullptr) {
            save(*bank, "bank");
            bank->close();
        } else {
            std::fprintf(stderr, "the bank window did not open\n");
            ++failures;
        }
    }
    {
        ModalWatcher about([](QDialog& shown) { closeBox(shown, "about-box"); });
        controller.command(ID_APP_ABOUT, ControlEvent::Clicked);
    }
    {
        ModalWatcher failure([](QDialog& shown) { closeBox(shown, "message-midi-open-failure"); });
        controller.command(IDC_SEND, ControlEvent::Clicked);
    }
    {
        const QString invalid = files.filePath(QStringLiteral("notes.wav"));
        WavFixture::writeText(invalid);
        ModalWatcher warning([](QDialog& shown) { closeBox(shown, "message-load-warning"); });
        drop(dialog, invalid);
    }
    save(dialog, "main-dialog-failed");

    LoopRegistry::instance().remove(std::this_thread::get_id());
    return failures == 0 ? 0 : 1;
}
