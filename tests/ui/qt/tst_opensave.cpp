// Open, Save Wave As and the file named on the command line, in the main dialog
// and the Wave Tweaker, with the file dialogs scripted: what lands on disk byte
// for byte, the warning box when a save fails, and the loads that Open and the
// command line make as a drop would.

#include "FileBytes.h"
#include "ModalWatcher.h"
#include "RunningProgram.h"
#include "ScriptedFileChooser.h"
#include "ScriptedMidiOutput.h"
#include "ScriptedPreviewOutput.h"
#include "Subprocess.h"
#include "WavFixture.h"
#include "app/LoopRegistry.h"
#include "tests/support/LoaderMessages.h"
#include "ui/qt/Application.h"
#include "ui/qt/MainDialog.h"
#include "ui/qt/MessageLoop.h"
#include "ui/qt/WaveTweakerDialog.h"
#include "wave/Waveshape.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

using namespace hwd;
using RunningProgram::becomesActive;
using RunningProgram::shownMainDialog;

namespace {

struct ShownBox {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool ownerVisible = false;
    bool sendEnabled = false; // Send as the dialog behind the box shows it
};

// Records each message box and closes it with OK.
std::unique_ptr<ModalWatcher> recordBoxes(std::vector<ShownBox>& boxes)
{
    return std::make_unique<ModalWatcher>([&boxes](QDialog& shown) {
        auto* box = qobject_cast<QMessageBox*>(&shown);
        if (box == nullptr)
            return;
        const QWidget* owner = box->parentWidget();
        const auto* send = owner != nullptr ? owner->findChild<QPushButton*>(QStringLiteral("IDC_SEND")) : nullptr;
        boxes.push_back({box->text(), box->windowTitle(), box->icon(), owner != nullptr && owner->isVisible(),
                         send != nullptr && send->isEnabled()});
        box->button(QMessageBox::Ok)->click();
    });
}

// The plain 44-byte header of a 128-sample mono 16-bit file at 44,100 Hz:
// RIFF size 292, a 16-byte format chunk, byte rate 88,200, block align 2,
// data size 256.
const std::string wavHeader = std::string("RIFF\x24\x01\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00"
                                          "\x44\xac\x00\x00\x88\x58\x01\x00\x02\x00\x10\x00"
                                          "data\x00\x01\x00\x00",
                                          44);

// Python's own wave module writes the known wave: both extremes first, then a
// stride through the whole range.
const char* const pythonWaveWriter = R"(
import struct, sys, wave
samples = [-32768, 32767] + [(i * 517 + 12345) % 65536 - 32768 for i in range(2, 128)]
with wave.open(sys.argv[1], "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(2)
    out.setframerate(44100)
    out.writeframes(struct.pack("<128h", *samples))
)";

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

std::filesystem::path nativeOf(const QString& path)
{
    return std::filesystem::path(path.toStdString());
}

} // namespace

class TestOpenSave final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveAsWavWritesTheWaveThatWasOpened();
    void saveAsSyxWritesTheDumpForTheListedSlot();
    void failedSaveShowsWhyAndLeavesNoFile_data();
    void failedSaveShowsWhyAndLeavesNoFile();
    void cancelledSaveWritesNothing();
    void saveWithoutAWaveAsksNothing();
    void waveTweakerSavesTheWaveAsEdited();

    void openLoadsThePickAndReloadReadsItAgain();
    void cancelledOpenChangesNothing();
    void openOfARefusedFileShowsTheBox();

    void commandLineFileLoadsOnceTheWindowIsShown();
    void refusedCommandLineFileShowsTheBoxOverTheWindow();

private:
    QString fileNameText() const { return dialog_->findChild<QLabel*>(QStringLiteral("IDC_FILE_NAME"))->text(); }
    QString fixture(const QString& name, const std::vector<std::int16_t>& samples) const
    {
        return WavFixture::writeIn(*files_, name, samples);
    }
    // Ctrl and key, as the loop offers them to the dialog's filter for the focused control.
    bool pressCtrl(Qt::Key key);
    void openPicked(const QString& path);

    std::unique_ptr<QTemporaryDir> files_;
    std::unique_ptr<ScriptedMidiOutput> midi_;
    std::unique_ptr<ScriptedPreviewOutput> preview_;
    std::unique_ptr<ScriptedFileChooser> chooser_;
    std::unique_ptr<MainDialog> dialog_;
};

void TestOpenSave::init()
{
    currentWaveshape() = Waveshape{};
    files_ = std::make_unique<QTemporaryDir>();
    midi_ = std::make_unique<ScriptedMidiOutput>();
    midi_->devices = {{"Harlix In", ScriptedMidiOutput::DeviceKind::HardwarePort}};
    preview_ = std::make_unique<ScriptedPreviewOutput>();
    chooser_ = std::make_unique<ScriptedFileChooser>();
    dialog_ = std::make_unique<MainDialog>(*midi_, preview_.get());
    dialog_->setFileChooser(*chooser_);
    dialog_->show();
}

void TestOpenSave::cleanup()
{
    dialog_.reset();
    chooser_.reset();
    preview_.reset();
    midi_.reset();
    files_.reset();
}

bool TestOpenSave::pressCtrl(Qt::Key key)
{
    QWidget* focused = dialog_->focusWidget() != nullptr ? dialog_->focusWidget() : dialog_.get();
    QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
    return dialog_->filterMessage(focused, &press);
}

void TestOpenSave::openPicked(const QString& path)
{
    chooser_->openAnswer = nativeOf(path);
    QVERIFY(pressCtrl(Qt::Key_O));
    chooser_->openAnswer.reset();
}

// The file that Python's wave module wrote loads verbatim, and Save writes it
// back byte for byte.
void TestOpenSave::saveAsWavWritesTheWaveThatWasOpened()
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        QSKIP("python3 is not installed");
    const QString written = files_->filePath(QStringLiteral("by-python.wav"));
    const Subprocess::Result made = Subprocess::run({python.toStdString(), "-c", pythonWaveWriter, written.toStdString()});
    QCOMPARE(made.exitCode, 0);
    const std::string expected = FileBytes::read(nativeOf(written));
    QCOMPARE(expected.size(), std::size_t{300});
    QCOMPARE(expected.substr(0, 44), wavHeader);

    openPicked(written);
    QVERIFY(currentWaveshape().loaded);
    QVERIFY(!currentWaveshape().resampled);
    const QString saved = files_->filePath(QStringLiteral("saved.wav"));
    chooser_->saveAnswer = nativeOf(saved);
    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    QVERIFY(pressCtrl(Qt::Key_S));

    QVERIFY(boxes.empty());
    QCOMPARE(chooser_->saveSuggestions.size(), std::size_t{1});
    const std::string bytes = FileBytes::read(nativeOf(saved));
    QCOMPARE(bytes.size(), std::size_t{300});
    QVERIFY(bytes == expected);
}

// The dump for the slot that the Wave # list shows: 0xF0, the Harlix header,
// the slot less one, 293 bytes of seven-bit data and 0xF7.
void TestOpenSave::saveAsSyxWritesTheDumpForTheListedSlot()
{
    openPicked(fixture(QStringLiteral("dump-me.wav"), WavFixture::ramp(128, -32768, 512)));
    auto* waveNumbers = dialog_->findChild<QComboBox*>(QStringLiteral("IDC_WAVE_NUMBER"));
    waveNumbers->setCurrentIndex(waveNumbers->findText(QStringLiteral("100")));
    const QString saved = files_->filePath(QStringLiteral("slot-100.SYX"));
    chooser_->saveAnswer = nativeOf(saved);
    QVERIFY(pressCtrl(Qt::Key_S));

    const std::string bytes = FileBytes::read(nativeOf(saved));
    QCOMPARE(bytes.size(), std::size_t{300});
    QCOMPARE(bytes.substr(0, 6), std::string("\xF0\x01\x20\x01\x0A\x63"));
    QCOMPARE(static_cast<unsigned char>(bytes[299]), 0xF7u);
    QVERIFY(std::all_of(bytes.begin() + 6, bytes.begin() + 299, [](char byte) { return (byte & 0x80) == 0; }));
}

void TestOpenSave::failedSaveShowsWhyAndLeavesNoFile_data()
{
    QTest::addColumn<QString>("target");

    QTest::newRow("a folder that does not exist") << QStringLiteral("no-such-folder/wave.wav");
    QTest::newRow("a folder by the file's name") << QStringLiteral("taken.wav");
    QTest::newRow("neither .wav nor .syx") << QStringLiteral("wave.txt");
}

void TestOpenSave::failedSaveShowsWhyAndLeavesNoFile()
{
    QFETCH(QString, target);
    openPicked(fixture(QStringLiteral("source.wav"), WavFixture::cycle(128)));
    QVERIFY(QDir(files_->path()).mkdir(QStringLiteral("taken.wav")));
    const QStringList before = entriesOf(files_->path());

    chooser_->saveAnswer = nativeOf(files_->filePath(target));
    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    QVERIFY(pressCtrl(Qt::Key_S));

    QCOMPARE(boxes.size(), std::size_t{1});
    QVERIFY2(boxes[0].text.startsWith(QStringLiteral("The wave was not saved: ")), qPrintable(boxes[0].text));
    QCOMPARE(boxes[0].caption, QStringLiteral("Harlix Wave Dump"));
    QCOMPARE(boxes[0].icon, QMessageBox::Warning);
    QVERIFY(boxes[0].ownerVisible);
    QCOMPARE(entriesOf(files_->path()), before);
    QVERIFY(QFileInfo(files_->filePath(QStringLiteral("taken.wav"))).isDir());
}

// The dialog offers the current file's name as a WAV file; Cancel writes nothing.
void TestOpenSave::cancelledSaveWritesNothing()
{
    openPicked(fixture(QStringLiteral("bass.WAV"), WavFixture::cycle(128)));
    const QStringList before = entriesOf(files_->path());
    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    QVERIFY(pressCtrl(Qt::Key_S));
    QCOMPARE(chooser_->saveSuggestions.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(chooser_->saveSuggestions[0].string()), files_->filePath(QStringLiteral("bass.wav")));
    QVERIFY(boxes.empty());
    QCOMPARE(entriesOf(files_->path()), before);
}

void TestOpenSave::saveWithoutAWaveAsksNothing()
{
    chooser_->saveAnswer = nativeOf(files_->filePath(QStringLiteral("empty.wav")));
    pressCtrl(Qt::Key_S);
    QVERIFY(chooser_->saveSuggestions.empty());
    QVERIFY(entriesOf(files_->path()).isEmpty());

    // Nor after a refused file.
    const QString refused = files_->filePath(QStringLiteral("refused.wav"));
    QVERIFY(WavFixture::writeText(refused));
    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    openPicked(refused);
    pressCtrl(Qt::Key_S);
    QVERIFY(chooser_->saveSuggestions.empty());
    QVERIFY(!QFileInfo::exists(files_->filePath(QStringLiteral("empty.wav"))));
}

// Ctrl+S in the Wave Tweaker, after Clear: the wave as edited, through the
// same chooser, with the slot that the main dialog lists.
void TestOpenSave::waveTweakerSavesTheWaveAsEdited()
{
    openPicked(fixture(QStringLiteral("to-edit.wav"), WavFixture::cycle(128)));
    auto* waveNumbers = dialog_->findChild<QComboBox*>(QStringLiteral("IDC_WAVE_NUMBER"));
    waveNumbers->setCurrentIndex(waveNumbers->findText(QStringLiteral("128")));
    const QString wav = files_->filePath(QStringLiteral("edited.wav"));
    const QString syx = files_->filePath(QStringLiteral("edited.syx"));

    bool tweakerShown = false;
    ModalWatcher watcher([&](QDialog& shown) {
        auto* tweaker = qobject_cast<WaveTweakerDialog*>(&shown);
        if (tweaker == nullptr)
            return;
        tweakerShown = becomesActive(*tweaker);
        auto* clear = tweaker->findChild<QPushButton*>(QStringLiteral("IDC_CLEAR"));
        QTest::mouseClick(clear, Qt::LeftButton);
        clear->setFocus();
        chooser_->saveAnswer = nativeOf(wav);
        QTest::keyClick(clear, Qt::Key_S, Qt::ControlModifier);
        chooser_->saveAnswer = nativeOf(syx);
        QTest::keyClick(clear, Qt::Key_S, Qt::ControlModifier);
        tweaker->reject();
    });
    dialog_->openWaveTweaker();

    QVERIFY(tweakerShown);
    QCOMPARE(chooser_->saveSuggestions.size(), std::size_t{2});
    const std::string wavBytes = FileBytes::read(nativeOf(wav));
    QCOMPARE(wavBytes.size(), std::size_t{300});
    QCOMPARE(wavBytes.substr(0, 44), wavHeader);
    QCOMPARE(wavBytes.substr(44), std::string(256, '\0'));
    const std::string syxBytes = FileBytes::read(nativeOf(syx));
    QCOMPARE(syxBytes.size(), std::size_t{300});
    QCOMPARE(static_cast<unsigned char>(syxBytes[5]), 127u);
}

void TestOpenSave::openLoadsThePickAndReloadReadsItAgain()
{
    const auto first = WavFixture::ramp(128, -6400, 100);
    const QString path = fixture(QStringLiteral("picked.wav"), first);
    dialog_->runIdle();
    openPicked(path);

    QCOMPARE(chooser_->opensAsked, 1);
    QVERIFY(currentWaveshape().loaded);
    QVERIFY(std::equal(first.begin(), first.end(), currentWaveshape().samples.begin()));
    QCOMPARE(QString::fromStdString(dialog_->currentPath().string()), path);
    QCOMPARE(fileNameText(), path);
    auto* reload = dialog_->findChild<QPushButton*>(QStringLiteral("IDC_RELOAD"));
    dialog_->runIdle();
    QVERIFY(reload->isEnabled());

    const auto changed = WavFixture::ramp(128, 3000, -40);
    QVERIFY(WavFixture::write(path, changed));
    QTest::mouseClick(reload, Qt::LeftButton);
    QVERIFY(std::equal(changed.begin(), changed.end(), currentWaveshape().samples.begin()));
    QCOMPARE(chooser_->opensAsked, 1);
}

void TestOpenSave::cancelledOpenChangesNothing()
{
    const auto samples = WavFixture::ramp(128, 100, 3);
    const QString path = fixture(QStringLiteral("stays.wav"), samples);
    openPicked(path);
    currentWaveshape().samples[5] = 4321;

    QVERIFY(pressCtrl(Qt::Key_O));
    QCOMPARE(chooser_->opensAsked, 2);
    QCOMPARE(currentWaveshape().samples[5], std::int16_t(4321));
    QCOMPARE(QString::fromStdString(dialog_->currentPath().string()), path);
    QCOMPARE(fileNameText(), path);
}

void TestOpenSave::openOfARefusedFileShowsTheBox()
{
    openPicked(fixture(QStringLiteral("fine.wav"), WavFixture::cycle(128)));
    dialog_->runIdle();
    const QString refused = fixture(QStringLiteral("too-short.wav"), WavFixture::cycle(100));
    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    openPicked(refused);

    QCOMPARE(boxes.size(), std::size_t{1});
    QCOMPARE(boxes[0].text, QString::fromLatin1(ExpectedMessage::tooFew));
    QCOMPARE(boxes[0].icon, QMessageBox::Warning);
    QVERIFY(!currentWaveshape().loaded);
    QCOMPARE(fileNameText(), refused);
    dialog_->runIdle();
    QVERIFY(!dialog_->findChild<QPushButton*>(QStringLiteral("IDC_RELOAD"))->isEnabled());
}

// Through the whole program: the file is loaded from the loop, with the window
// shown, and Send and Reload follow at the idle pass after it.
void TestOpenSave::commandLineFileLoadsOnceTheWindowIsShown()
{
    dialog_.reset();
    const auto samples = WavFixture::ramp(128, 32000, -500);
    const QString path = fixture(QStringLiteral("named on the command line.wav"), samples);

    QStringList seen;
    RunningProgram::IdleProbe probe;
    probe.step = [&](int pass) {
        MainDialog* dialog = shownMainDialog();
        // A few passes give the load its chance; a program that never loads ends too.
        if (dialog == nullptr || (!currentWaveshape().loaded && pass < 3))
            return;
        seen << dialog->findChild<QLabel*>(QStringLiteral("IDC_FILE_NAME"))->text();
        seen << (dialog->findChild<QPushButton*>(QStringLiteral("IDC_RELOAD"))->isEnabled() ? QStringLiteral("reload on")
                                                                                             : QStringLiteral("reload off"));
        dialog->closeApplication(MainDialog::exitCancel);
    };
    QTimer::singleShot(0, this, [&] { LoopRegistry::instance().find(std::this_thread::get_id())->addIdleTask(probe); });

    QCOMPARE(runApplication(*midi_, Qt::WindowNoState, nativeOf(path), preview_.get()), 2);
    QCOMPARE(seen, (QStringList{path, QStringLiteral("reload on")}));
    QVERIFY(std::equal(samples.begin(), samples.end(), currentWaveshape().samples.begin()));
}

void TestOpenSave::refusedCommandLineFileShowsTheBoxOverTheWindow()
{
    dialog_.reset();
    const QString missing = files_->filePath(QStringLiteral("gone.wav"));
    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    // The box runs its own loop, where no idle pass comes; the pass after it
    // ends the program, and so does the fifth of a program that shows no box.
    RunningProgram::IdleProbe probe;
    probe.step = [&boxes](int pass) {
        if (MainDialog* dialog = shownMainDialog(); dialog != nullptr && (!boxes.empty() || pass >= 5))
            dialog->closeApplication(MainDialog::exitOk);
    };
    QTimer::singleShot(0, this, [&] { LoopRegistry::instance().find(std::this_thread::get_id())->addIdleTask(probe); });

    QCOMPARE(runApplication(*midi_, Qt::WindowNoState, nativeOf(missing), preview_.get()), 1);
    QCOMPARE(boxes.size(), std::size_t{1});
    QCOMPARE(boxes[0].text, QString::fromLatin1(ExpectedMessage::cannotOpen));
    QCOMPARE(boxes[0].caption, QStringLiteral("Harlix Wave Dump"));
    QVERIFY(boxes[0].ownerVisible);
    // The dialog has settled first, as before a drop.
    QVERIFY(!boxes[0].sendEnabled);
    QVERIFY(!currentWaveshape().loaded);
}

QTEST_MAIN(TestOpenSave)
#include "tst_opensave.moc"
