// The main dialog as the user meets it: its template, its initial state, drops,
// loads and reloads with their warning box and deferred enabling, Send through a
// scripted MIDI output, the keyboard interface, the Wave Tweaker and About
// routes, and the exit codes of the whole program run through runApplication.

#include "tests/support/LoaderMessages.h"
#include "FileDrop.h"
#include "ModalWatcher.h"
#include "ScriptedMidiOutput.h"
#include "Subprocess.h"
#include "WavFixture.h"
#include "transfer/MidiSender.h"
#include "ui/qt/AboutDialog.h"
#include "ui/qt/Application.h"
#include "ui/qt/DialogUnits.h"
#include "PaintSpy.h"
#include "app/LoopRegistry.h"
#include "ui/qt/MainDialog.h"
#include "ui/qt/MessageLoop.h"
#include "ui/qt/PathLabel.h"
#include "ui/qt/WaveTweakerDialog.h"
#include "ui/qt/WaveView.h"
#include "app/WindowsNT.h"
#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

using namespace hwd;

namespace {

struct ShownBox {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QWidget* owner = nullptr;
    bool sendEnabled = false;
};

MainDialog* shownMainDialog()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<MainDialog*>(widget); dialog != nullptr && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

// The current path as the file manager names the file.
QString shownPath(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

} // namespace

class TestMainDialog final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void templateControls_data();
    void templateControls();
    void initialState();
    void centredOnTheWorkArea();
    void dialogUnitsOfTheOffscreenFont();

    void dropOfAValidFile();
    void dropOfAnInvalidFileAfterAValidOne();
    void twoFailedLoadsShowTheBoxTwice();
    void dropOfThreeFilesLoadsTheFirst();
    void dropOfAFileWrittenBySox();
    void dragWithoutLocalFileIsRefused_data();
    void dragWithoutLocalFileIsRefused();
    void dropOfferedAsAMoveIsTakenAsACopy();
    void nameOutsideAsciiLoadsAndShowsWhole();
    void longPathReachesTheLoaderWhole();
    void longPathLosesItsMiddleOnScreen();
    void reloadReadsTheChangedFile();
    void thePictureFollowsEveryLoad();

    void sendGoesThroughTheMidiOutput();
    void sendReportsAnOpenFailure();
    void sendBeforeAnyLoadDoesNothing();
    void portListSaysWhichDevicesTheUserMayNotOpen();

    void doubleClickOpensTheWaveTweaker_data();
    void doubleClickOpensTheWaveTweaker();
    void aboutOpensTheAboutBox();

    void keyboard_data();
    void keyboard();
    void keysAfterReloadRefusedTheFile_data();
    void keysAfterReloadRefusedTheFile();

    void exitCodes_data();
    void exitCodes();
    void startsMinimisedWhenAskedTo();
    void enablingReachesTheButtonsAtTheNextIdlePass();

private:
    QPushButton* button(const char* id) const { return dialog_->findChild<QPushButton*>(QLatin1String(id)); }
    QComboBox* list(const char* id) const { return dialog_->findChild<QComboBox*>(QLatin1String(id)); }
    QString fileNameText() const { return dialog_->findChild<QLabel*>(QStringLiteral("IDC_FILE_NAME"))->text(); }
    QString fixture(const QString& name, const std::vector<std::int16_t>& samples) const
    {
        return WavFixture::writeIn(*files_, name, samples);
    }
    void drop(const QStringList& paths);
    std::unique_ptr<ModalWatcher> recordBoxes(std::vector<ShownBox>& boxes);

    std::unique_ptr<QTemporaryDir> files_;
    std::unique_ptr<ScriptedMidiOutput> midi_;
    std::unique_ptr<MainDialog> dialog_;
};

void TestMainDialog::init()
{
    currentWaveshape() = Waveshape{};
    files_ = std::make_unique<QTemporaryDir>();
    midi_ = std::make_unique<ScriptedMidiOutput>();
    midi_->devices = {{"Harlix In", ScriptedMidiOutput::DeviceKind::HardwarePort},
                      {"Soft Synth", ScriptedMidiOutput::DeviceKind::Software},
                      {"USB MIDI 2", ScriptedMidiOutput::DeviceKind::HardwarePort}};
    dialog_ = std::make_unique<MainDialog>(*midi_);
    dialog_->show();
}

void TestMainDialog::cleanup()
{
    dialog_.reset();
    midi_.reset();
    files_.reset();
}

// A drop, and the load that follows it once the drop has completed.
void TestMainDialog::drop(const QStringList& paths)
{
    FileDrop::deliverAndLoad(*dialog_, paths);
}

std::unique_ptr<ModalWatcher> TestMainDialog::recordBoxes(std::vector<ShownBox>& boxes)
{
    return std::make_unique<ModalWatcher>([this, &boxes](QDialog& shown) {
        auto* box = qobject_cast<QMessageBox*>(&shown);
        if (box == nullptr)
            return;
        boxes.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons(), box->parentWidget(),
                         button("IDC_SEND")->isEnabled()});
        box->button(QMessageBox::Ok)->click();
    });
}

void TestMainDialog::templateControls_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("pixels");   // a height of 0: the list field's own

    // The template's dialog units at 7 x 14 pixels a base unit: x and y both
    // times 1.75, rounded.
    QTest::newRow("Quit") << "IDCANCEL" << "Quit" << QRect(357, 77, 88, 25);
    QTest::newRow("About") << "ID_APP_ABOUT" << "About..." << QRect(357, 47, 88, 25);
    QTest::newRow("view") << "IDC_WAVE_VIEW" << QString() << QRect(32, 145, 294, 109);
    QTest::newRow("Send") << "IDC_SEND" << "Send" << QRect(357, 18, 88, 25);
    QTest::newRow("port list") << "IDC_PORT" << QString() << QRect(32, 49, 235, 0);
    QTest::newRow("wave number list") << "IDC_WAVE_NUMBER" << QString() << QRect(273, 49, 54, 0);
    QTest::newRow("file name") << "IDC_FILE_NAME" << QString() << QRect(32, 123, 294, 16);
    QTest::newRow("Reload") << "IDC_RELOAD" << "Reload" << QRect(126, 263, 88, 25);
}

void TestMainDialog::templateControls()
{
    QFETCH(QString, id);
    QFETCH(QString, text);
    QFETCH(QRect, pixels);

    auto* control = dialog_->findChild<QWidget*>(id);
    QVERIFY(control != nullptr);
    QCOMPARE(control->parentWidget(), dialog_.get());
    QCOMPARE(control->pos(), pixels.topLeft());
    QCOMPARE(control->width(), pixels.width());
    if (pixels.height() != 0)
        QCOMPARE(control->height(), pixels.height());
    if (auto* push = qobject_cast<QPushButton*>(control)) {
        QCOMPARE(push->text(), text);
        QVERIFY(!push->isDefault());
        QVERIFY(!push->autoDefault());
        QCOMPARE(push->focusPolicy(), Qt::StrongFocus);
    }
}

void TestMainDialog::initialState()
{
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("Harlix Wave Dump"));
    QCOMPARE(dialog_->objectName(), QStringLiteral("IDD_MAINDLG"));
    QCOMPARE(dialog_->size(), QSize(457, 310));
    QCOMPARE(dialog_->minimumSize(), dialog_->maximumSize());
    QVERIFY(dialog_->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(dialog_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(dialog_->acceptDrops());
    QVERIFY(!dialog_->windowIcon().isNull());
    QVERIFY(isWindowsNT());
    QVERIFY(dialog_->currentPath().empty());

    // Template order: the children in creation order, which is also the tab order.
    QStringList names;
    QStringList groups;
    for (QWidget* next = dialog_->nextInFocusChain(); next != dialog_.get(); next = next->nextInFocusChain()) {
        if (next->parentWidget() == dialog_.get())
            names << next->objectName();
        if (const auto* group = qobject_cast<const QGroupBox*>(next))
            groups << group->title();
    }
    QCOMPARE(names, (QStringList{"IDCANCEL", "ID_APP_ABOUT", "IDC_WAVE_VIEW", "IDC_SEND", "IDC_STATIC", "IDC_STATIC",
                                 "IDC_PORT", "IDC_STATIC", "IDC_WAVE_NUMBER", "IDC_STATIC", "IDC_FILE_NAME",
                                 "IDC_RELOAD"}));
    QCOMPARE(groups, (QStringList{"MIDI Parameters", "Wave File"}));

    QCOMPARE(fileNameText(), QStringLiteral("Drag/Drop WAV file from Explorer"));
    QCOMPARE(dialog_->focusWidget(), button("IDCANCEL"));

    QComboBox* waveNumbers = list("IDC_WAVE_NUMBER");
    QCOMPARE(waveNumbers->count(), 32);
    QCOMPARE(waveNumbers->itemText(0), QStringLiteral("097"));
    QCOMPARE(waveNumbers->itemText(31), QStringLiteral("128"));
    QCOMPARE(waveNumbers->itemData(0).toInt(), 96);
    QCOMPARE(waveNumbers->itemData(31).toInt(), 127);
    QCOMPARE(waveNumbers->currentIndex(), 0);
    QVERIFY(!waveNumbers->isEditable());

    QComboBox* ports = list("IDC_PORT");
    QCOMPARE(ports->count(), 2);
    QCOMPARE(ports->itemText(0), QStringLiteral("Harlix In"));
    QCOMPARE(ports->itemText(1), QStringLiteral("USB MIDI 2"));
    QCOMPARE(ports->itemData(1).toInt(), 2);
    QCOMPARE(ports->currentIndex(), 0);

    // Recorded as disabled at once, applied at the first idle pass.
    QVERIFY(button("IDC_SEND")->isEnabled());
    QVERIFY(button("IDC_RELOAD")->isEnabled());
    dialog_->runIdle();
    QVERIFY(!button("IDC_SEND")->isEnabled());
    QVERIFY(!button("IDC_RELOAD")->isEnabled());
    QVERIFY(button("IDCANCEL")->isEnabled());
    QVERIFY(button("ID_APP_ABOUT")->isEnabled());
}

// The frame, 461 x 314 with the offscreen platform's two-pixel border, in the
// middle of its 800 x 800 work area.
void TestMainDialog::centredOnTheWorkArea()
{
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 800, 800));
    QCOMPARE(dialog_->frameGeometry(), QRect(170, 243, 461, 314));
}

// The offscreen platform's font, whose numbers the layout tests use: 385 pixels
// for the 52 letters and a line of 14.
void TestMainDialog::dialogUnitsOfTheOffscreenFont()
{
    const DialogUnits units = dialogUnitsOf(dialog_->font());
    QCOMPARE(units.baseWidth(), 7);
    QCOMPARE(units.baseHeight(), 14);
}

void TestMainDialog::dropOfAValidFile()
{
    dialog_->runIdle();
    const auto samples = WavFixture::ramp(128, -12800, 200);
    const QString path = fixture(QStringLiteral("ramp.wav"), samples);

    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    drop({path});

    QVERIFY(boxes.empty());
    QCOMPARE(shownPath(dialog_->currentPath()), path);
    QVERIFY(currentWaveshape().loaded);
    QCOMPARE(currentWaveshape().samples[0], samples[0]);
    QCOMPARE(currentWaveshape().samples[127], samples[127]);
    QCOMPARE(fileNameText(), path);
    // Not before the next idle pass.
    QVERIFY(!button("IDC_SEND")->isEnabled());
    dialog_->runIdle();
    QVERIFY(button("IDC_SEND")->isEnabled());
    QVERIFY(button("IDC_RELOAD")->isEnabled());
}

void TestMainDialog::dropOfAnInvalidFileAfterAValidOne()
{
    drop({fixture(QStringLiteral("good.wav"), WavFixture::cycle(128))});
    dialog_->runIdle();
    QVERIFY(button("IDC_SEND")->isEnabled());

    const QString invalid = files_->filePath(QStringLiteral("notes.wav"));
    QVERIFY(WavFixture::writeText(invalid));
    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    drop({invalid});

    QCOMPARE(boxes.size(), std::size_t{1});
    QCOMPARE(boxes[0].text, QString::fromLatin1(ExpectedMessage::notWav));
    QCOMPARE(boxes[0].caption, QStringLiteral("Harlix Wave Dump"));
    QCOMPARE(boxes[0].icon, QMessageBox::Warning);
    QCOMPARE(boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(boxes[0].owner, dialog_.get());
    QVERIFY(boxes[0].sendEnabled);
    QVERIFY(!currentWaveshape().loaded);
    QCOMPARE(fileNameText(), invalid);

    // The buttons follow at the next idle pass, not before.
    QVERIFY(button("IDC_SEND")->isEnabled());
    QVERIFY(button("IDC_RELOAD")->isEnabled());
    dialog_->runIdle();
    QVERIFY(!button("IDC_SEND")->isEnabled());
    QVERIFY(!button("IDC_RELOAD")->isEnabled());
}

void TestMainDialog::twoFailedLoadsShowTheBoxTwice()
{
    const QString missing = files_->filePath(QStringLiteral("gone.wav"));
    const QString shortFile = fixture(QStringLiteral("short.wav"), WavFixture::cycle(100));
    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    drop({missing});
    dialog_->runIdle();
    drop({shortFile});
    dialog_->runIdle();

    QCOMPARE(boxes.size(), std::size_t{2});
    QCOMPARE(boxes[0].text, QString::fromLatin1(ExpectedMessage::cannotOpen));
    QCOMPARE(boxes[1].text, QString::fromLatin1(ExpectedMessage::tooFew));
    QVERIFY(!button("IDC_SEND")->isEnabled());
    QVERIFY(!button("IDC_RELOAD")->isEnabled());
    QCOMPARE(fileNameText(), shortFile);
}

void TestMainDialog::dropOfThreeFilesLoadsTheFirst()
{
    const auto first = WavFixture::ramp(128, 0, 100);
    const QString a = fixture(QStringLiteral("a.wav"), first);
    const QString b = fixture(QStringLiteral("b.wav"), WavFixture::ramp(128, 5, 7));
    const QString c = files_->filePath(QStringLiteral("c.txt"));
    QVERIFY(WavFixture::writeText(c));

    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    drop({a, b, c});

    QVERIFY(boxes.empty());
    QCOMPARE(shownPath(dialog_->currentPath()), a);
    QCOMPARE(fileNameText(), a);
    QVERIFY(std::equal(first.begin(), first.end(), currentWaveshape().samples.begin()));
}

// A fixture from another program than ours: 1000 samples, reduced to 128.
void TestMainDialog::dropOfAFileWrittenBySox()
{
    const QString sox = QStandardPaths::findExecutable(QStringLiteral("sox"));
    if (sox.isEmpty())
        QSKIP("sox is not installed");
    const QString path = files_->filePath(QStringLiteral("sox-sine.wav"));
    const Subprocess::Result made = Subprocess::run({sox.toStdString(), "-n", "-r", "44100", "-b", "16", "-c", "1",
                                                     path.toStdString(), "synth", "1000s", "sine", "44.1"});
    QCOMPARE(made.exitCode, 0);

    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    drop({path});
    QVERIFY(boxes.empty());
    QVERIFY(currentWaveshape().loaded);
    QVERIFY(currentWaveshape().resampled);
    QCOMPARE(fileNameText(), path);
    dialog_->runIdle();
    QVERIFY(button("IDC_SEND")->isEnabled());
}

void TestMainDialog::dragWithoutLocalFileIsRefused_data()
{
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("local file") << QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/tmp/x.wav"))} << QString()
                                << true;
    QTest::newRow("web address") << QList<QUrl>{QUrl(QStringLiteral("https://example.org/x.wav"))} << QString()
                                 << false;
    QTest::newRow("plain text") << QList<QUrl>{} << QStringLiteral("/tmp/x.wav") << false;
    QTest::newRow("web address, then a file")
        << QList<QUrl>{QUrl(QStringLiteral("https://example.org/x.wav")), QUrl::fromLocalFile("/tmp/y.wav")}
        << QString() << true;
}

void TestMainDialog::dragWithoutLocalFileIsRefused()
{
    QFETCH(QList<QUrl>, urls);
    QFETCH(QString, text);
    QFETCH(bool, accepted);

    QMimeData data;
    if (!urls.isEmpty())
        data.setUrls(urls);
    if (!text.isEmpty())
        data.setText(text);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(dialog_.get(), &enter);
    QCOMPARE(enter.isAccepted(), accepted);
}

// Shift held in the file manager offers a move; taking it would let the file
// manager delete the file, so the drop is taken as a copy.
void TestMainDialog::dropOfferedAsAMoveIsTakenAsACopy()
{
    const QString path = fixture(QStringLiteral("offered-as-move.wav"), WavFixture::cycle(128));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint centre(dialog_->width() / 2, dialog_->height() / 2);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;

    QDragEnterEvent enter(centre, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(enter.proposedAction(), Qt::MoveAction);
    QApplication::sendEvent(dialog_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(enter.dropAction(), Qt::CopyAction);

    QDragMoveEvent move(centre, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(dialog_.get(), &move);
    QVERIFY(move.isAccepted());
    QCOMPARE(move.dropAction(), Qt::CopyAction);

    QDropEvent drop(centre, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(dialog_.get(), &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(drop.dropAction(), Qt::CopyAction);
    QCoreApplication::sendPostedEvents(dialog_.get(), QEvent::MetaCall);
    QVERIFY(currentWaveshape().loaded);
    QCOMPARE(shownPath(dialog_->currentPath()), path);
}

// The loader opens the name's own bytes (UTF-8 here) and the box shows the
// name as the file manager does.
void TestMainDialog::nameOutsideAsciiLoadsAndShowsWhole()
{
    const QString path = fixture(QStringLiteral("Gr\u00fc\u00dfe-\u6ce2\u5f62.wav"), WavFixture::ramp(128, -640, 10));
    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    drop({path});

    QVERIFY(boxes.empty());
    QVERIFY(currentWaveshape().loaded);
    QCOMPARE(currentWaveshape().samples[0], std::int16_t(-640));
    const QByteArray bytes = path.toUtf8();
    QCOMPARE(dialog_->currentPath().native(), std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    QVERIFY(dialog_->currentPath().native().ends_with("Gr\xc3\xbc\xc3\x9f" "e-\xe6\xb3\xa2\xe5\xbd\xa2.wav"));
    QCOMPARE(fileNameText(), path);
}

// The path is not cut: a file that lies deeper than 256 characters loads.
void TestMainDialog::longPathReachesTheLoaderWhole()
{
    QString folder = files_->path();
    while (folder.size() < 300)
        folder += QStringLiteral("/a-folder-with-a-long-name-to-make-the-path-longer");
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/deep.wav");
    QVERIFY(WavFixture::write(path, WavFixture::cycle(128)));
    QVERIFY(path.size() > 300);

    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    drop({path});
    QVERIFY(boxes.empty());
    QVERIFY(currentWaveshape().loaded);
    QCOMPARE(shownPath(dialog_->currentPath()), path);
    QCOMPARE(fileNameText(), path);
}

void TestMainDialog::longPathLosesItsMiddleOnScreen()
{
    QString folder = files_->path();
    while (folder.size() < 200)
        folder += QStringLiteral("/another-folder");
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/my-waveshape.wav");
    QVERIFY(WavFixture::write(path, WavFixture::cycle(128)));
    drop({path});

    auto* label = dialog_->findChild<PathLabel*>(QStringLiteral("IDC_FILE_NAME"));
    const QString shown = label->displayedText();
    QVERIFY2(shown.endsWith(QStringLiteral("/my-waveshape.wav")), qPrintable(shown));
    QVERIFY2(shown.contains(QChar(0x2026)), qPrintable(shown));
    QVERIFY(shown.startsWith(files_->path().left(4)));
    QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width());
}

void TestMainDialog::reloadReadsTheChangedFile()
{
    const QString path = fixture(QStringLiteral("changing.wav"), WavFixture::ramp(128, 0, 10));
    drop({path});
    dialog_->runIdle();
    // An edit in the Wave Tweaker, then the file changes on disk.
    currentWaveshape().samples.fill(1234);
    const auto changed = WavFixture::ramp(128, 1000, -20);
    QVERIFY(WavFixture::write(path, changed));

    QTest::mouseClick(button("IDC_RELOAD"), Qt::LeftButton);
    QVERIFY(currentWaveshape().loaded);
    QVERIFY(std::equal(changed.begin(), changed.end(), currentWaveshape().samples.begin()));
    QCOMPARE(fileNameText(), path);
}

// What the window shows after each load, partial repaints included: the new
// wave after a drop and after Reload, the empty box after a refused file. The
// view's client area is 292 x 107 at 33, 146; with the margin of the main
// picture a bar of 20000 reaches from row 22 to the centre row 53.
void TestMainDialog::thePictureFollowsEveryLoad()
{
    QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    auto shown = [this](int x, int y) {
        flushRepaints();
        const QImage window = dialog_->screen()->grabWindow(dialog_->winId()).toImage();
        return window.pixel(33 + x, 146 + y) & 0xFFFFFFu;
    };
    constexpr QRgb black = 0x000000;
    constexpr QRgb lightBlue = 0x8080FF;
    QCOMPARE(shown(100, 53), lightBlue);

    const QString path = fixture(QStringLiteral("picture.wav"), WavFixture::ramp(128, 20000, 0));
    drop({path});
    QCOMPARE(shown(100, 53), black);
    QCOMPARE(shown(100, 30), black);
    QCOMPARE(shown(100, 70), lightBlue);

    dialog_->runIdle();
    QVERIFY(WavFixture::write(path, WavFixture::ramp(128, -20000, 0)));
    QTest::mouseClick(button("IDC_RELOAD"), Qt::LeftButton);
    QCOMPARE(shown(100, 30), lightBlue);
    QCOMPARE(shown(100, 70), black);

    const QString text = files_->filePath(QStringLiteral("text.wav"));
    QVERIFY(WavFixture::writeText(text));
    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    drop({text});
    QCOMPARE(boxes.size(), std::size_t{1});
    QCOMPARE(shown(100, 53), lightBlue);
    QCOMPARE(shown(100, 70), lightBlue);
}

void TestMainDialog::sendGoesThroughTheMidiOutput()
{
    drop({fixture(QStringLiteral("send.wav"), WavFixture::cycle(128))});
    dialog_->runIdle();
    list("IDC_PORT")->setCurrentIndex(1);
    list("IDC_WAVE_NUMBER")->setCurrentIndex(31);
    midi_->clearRecord();

    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    QTest::mouseClick(button("IDC_SEND"), Qt::LeftButton);

    QVERIFY(boxes.empty());
    const std::vector<std::string> expected{"createSignal", "open 2",     "prepare",   "resetSignal", "sendLong",
                                            "wait 30000",   "unprepare", "pause 100", "close"};
    QCOMPARE(midi_->calls, expected);
    QCOMPARE(midi_->sentMessages.size(), std::size_t{1});
    QCOMPARE(midi_->sentMessages[0].size(), std::size_t{300});
    QCOMPARE(int(midi_->sentMessages[0][5]), 0x7F);
    QCOMPARE(list("IDC_PORT")->currentIndex(), 1);
    QCOMPARE(list("IDC_WAVE_NUMBER")->currentIndex(), 31);
}

void TestMainDialog::sendReportsAnOpenFailure()
{
    drop({fixture(QStringLiteral("send.wav"), WavFixture::cycle(128))});
    dialog_->runIdle();
    midi_->openResult = 4;
    midi_->errorTexts[4] = "The device is busy.";
    midi_->clearRecord();

    std::vector<ShownBox> boxes;
    const auto watcher = recordBoxes(boxes);
    QTest::mouseClick(button("IDC_SEND"), Qt::LeftButton);

    QCOMPARE(boxes.size(), std::size_t{1});
    QCOMPARE(boxes[0].text, QStringLiteral("Error: Failed to open the specified MIDI port. The device is busy."));
    QCOMPARE(boxes[0].caption, QStringLiteral("Harlix Wave Dump"));
    QCOMPARE(boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(boxes[0].owner, dialog_.get());
    QVERIFY(!midi_->isOpen());
}

void TestMainDialog::portListSaysWhichDevicesTheUserMayNotOpen()
{
    QCOMPARE(list("IDC_PORT")->toolTip(), QString());
    dialog_.reset();
    midi_->access = {6, "audio"};
    dialog_ = std::make_unique<MainDialog>(*midi_);
    QCOMPARE(list("IDC_PORT")->toolTip(),
             QStringLiteral("6 MIDI devices here may not be opened by this user; members of the group 'audio' may "
                            "(sudo usermod -aG audio $USER, then log in again)"));
    QCOMPARE(list("IDC_PORT")->count(), 2);
}

void TestMainDialog::sendBeforeAnyLoadDoesNothing()
{
    dialog_->runIdle();
    midi_->clearRecord();
    QTest::mouseClick(button("IDC_SEND"), Qt::LeftButton);
    dialog_->send();
    QVERIFY(midi_->calls.empty());
    QCOMPARE(midi_->signalsCreated, 0);
}

void TestMainDialog::doubleClickOpensTheWaveTweaker_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("windowsNT");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<bool>("opens");

    QTest::newRow("loaded, NT") << true << true << true << true;
    QTest::newRow("nothing loaded") << false << true << true << false;
    QTest::newRow("not NT") << true << false << true << false;
    QTest::newRow("single click") << true << true << false << false;
}

void TestMainDialog::doubleClickOpensTheWaveTweaker()
{
    QFETCH(bool, loaded);
    QFETCH(bool, windowsNT);
    QFETCH(bool, doubleClick);
    QFETCH(bool, opens);

    if (loaded)
        drop({fixture(QStringLiteral("edit.wav"), WavFixture::cycle(128))});
    setWindowsNT(windowsNT);

    int tweakers = 0;
    QWidget* owner = nullptr;
    ModalWatcher watcher([&](QDialog& shown) {
        if (qobject_cast<WaveTweakerDialog*>(&shown) != nullptr) {
            ++tweakers;
            owner = shown.parentWidget();
        }
        shown.reject();
    });
    auto* view = dialog_->findChild<WaveView*>(QStringLiteral("IDC_WAVE_VIEW"));
    if (doubleClick)
        QTest::mouseDClick(view, Qt::LeftButton);
    else
        QTest::mouseClick(view, Qt::LeftButton);
    setWindowsNT(true);

    QCOMPARE(tweakers, opens ? 1 : 0);
    if (opens)
        QVERIFY(owner != nullptr);
    QCOMPARE(currentWaveshape().loaded, loaded);
}

void TestMainDialog::aboutOpensTheAboutBox()
{
    drop({fixture(QStringLiteral("about.wav"), WavFixture::cycle(128))});
    dialog_->runIdle();

    QStringList captions;
    ModalWatcher watcher([&](QDialog& shown) {
        captions << shown.windowTitle();
        shown.findChild<QPushButton*>(QStringLiteral("IDOK"))->click();
    });
    QTest::mouseClick(button("ID_APP_ABOUT"), Qt::LeftButton);

    QCOMPARE(captions, QStringList{QStringLiteral("About")});
    QVERIFY(dialog_->isVisible());
    QVERIFY(button("IDC_SEND")->isEnabled());
    QVERIFY(currentWaveshape().loaded);
}

void TestMainDialog::keyboard_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("handled");
    QTest::addColumn<QString>("focus");   // the focus afterwards; empty: unchanged
    QTest::addColumn<bool>("closes");

    const int none = Qt::NoModifier;
    const int shift = Qt::ShiftModifier;
    QTest::newRow("Tab from Quit") << false << "IDCANCEL" << int(Qt::Key_Tab) << none << true << "ID_APP_ABOUT"
                                   << false;
    QTest::newRow("Tab skips the disabled Send") << false << "ID_APP_ABOUT" << int(Qt::Key_Tab) << none << true
                                                 << "IDC_PORT" << false;
    QTest::newRow("Tab to Send once loaded") << true << "ID_APP_ABOUT" << int(Qt::Key_Tab) << none << true
                                             << "IDC_SEND" << false;
    QTest::newRow("Tab wraps to Quit") << true << "IDC_RELOAD" << int(Qt::Key_Tab) << none << true << "IDCANCEL"
                                       << false;
    QTest::newRow("Shift+Tab from Quit wraps") << true << "IDCANCEL" << int(Qt::Key_Tab) << shift << true
                                               << "IDC_RELOAD" << false;
    QTest::newRow("Backtab from the port list") << true << "IDC_PORT" << int(Qt::Key_Backtab) << shift << true
                                                << "IDC_SEND" << false;
    QTest::newRow("Down within the buttons' group") << true << "IDCANCEL" << int(Qt::Key_Down) << none << true
                                                    << "ID_APP_ABOUT" << false;
    QTest::newRow("Up wraps within the group") << true << "IDCANCEL" << int(Qt::Key_Up) << none << true
                                               << "IDC_SEND" << false;
    QTest::newRow("Right stays in Reload's group") << true << "IDC_RELOAD" << int(Qt::Key_Right) << none << true
                                                   << "IDC_RELOAD" << false;
    QTest::newRow("arrows belong to the list") << true << "IDC_WAVE_NUMBER" << int(Qt::Key_Down) << none << false
                                               << QString() << false;
    QTest::newRow("Space is the button's own") << true << "IDC_SEND" << int(Qt::Key_Space) << none << false
                                               << QString() << false;
    QTest::newRow("Enter on a list") << true << "IDC_WAVE_NUMBER" << int(Qt::Key_Return) << none << true
                                     << QString() << true;
    QTest::newRow("Enter on the keypad on a list") << true << "IDC_PORT" << int(Qt::Key_Enter) << int(Qt::KeypadModifier)
                                                   << true << QString() << true;
    QTest::newRow("Esc") << false << "ID_APP_ABOUT" << int(Qt::Key_Escape) << none << true << QString() << true;
    QTest::newRow("a letter") << false << "IDCANCEL" << int(Qt::Key_Q) << none << false << QString() << false;
    // With the focus on no control, the dialog itself holds it.
    QTest::newRow("Tab from the dialog") << true << "IDD_MAINDLG" << int(Qt::Key_Tab) << none << true
                                         << "IDCANCEL" << false;
    QTest::newRow("Shift+Tab from the dialog") << true << "IDD_MAINDLG" << int(Qt::Key_Backtab) << shift << true
                                               << "IDC_RELOAD" << false;
    QTest::newRow("Shift+Tab from the dialog, nothing loaded")
        << false << "IDD_MAINDLG" << int(Qt::Key_Backtab) << shift << true << "IDC_WAVE_NUMBER" << false;
    QTest::newRow("Space on the dialog") << true << "IDD_MAINDLG" << int(Qt::Key_Space) << none << false
                                         << QString() << false;
    QTest::newRow("Enter on the dialog") << true << "IDD_MAINDLG" << int(Qt::Key_Return) << none << true
                                         << QString() << true;
}

// The filter on its own, as the loop offers it a key press for a control.
void TestMainDialog::keyboard()
{
    QFETCH(bool, loaded);
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, handled);
    QFETCH(QString, focus);
    QFETCH(bool, closes);

    if (loaded)
        drop({fixture(QStringLiteral("keys.wav"), WavFixture::cycle(128))});
    dialog_->runIdle();
    QWidget* control = from == dialog_->objectName() ? dialog_.get() : dialog_->findChild<QWidget*>(from);
    control->setFocus();
    QCOMPARE(dialog_->focusWidget(), control);

    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(dialog_->filterMessage(control, &press), handled);
    QCOMPARE(dialog_->focusWidget()->objectName(), focus.isEmpty() ? from : focus);
    QCOMPARE(!dialog_->isVisible(), closes);
}

void TestMainDialog::keysAfterReloadRefusedTheFile_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("seenAfterTheKey");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("Space presses nothing") << int(Qt::Key_Space) << QStringList{"focus IDD_MAINDLG"} << 2;
    QTest::newRow("Tab goes to Quit") << int(Qt::Key_Tab) << QStringList{"focus IDCANCEL"} << 2;
    QTest::newRow("Esc ends with 2") << int(Qt::Key_Escape) << QStringList{} << 2;
    QTest::newRow("Enter ends with 1") << int(Qt::Key_Return) << QStringList{} << 1;
}

// Reload has the focus when the file it reads again is refused; the idle pass
// disables it. The focus then stays on no control, with the dialog itself, so
// the keys that follow act as they do with no control focused. Driven through
// the whole program, from an idle task of its own after the dialog's.
void TestMainDialog::keysAfterReloadRefusedTheFile()
{
    QFETCH(int, key);
    QFETCH(QStringList, seenAfterTheKey);
    QFETCH(int, exitCode);
    dialog_.reset();
    const QString path = fixture(QStringLiteral("reloaded.wav"), WavFixture::cycle(128));

    auto press = [](QWidget& window, int pressed) {
        QCoreApplication::postEvent(window.windowHandle(), new QKeyEvent(QEvent::KeyPress, pressed, Qt::NoModifier));
        QCoreApplication::postEvent(window.windowHandle(), new QKeyEvent(QEvent::KeyRelease, pressed, Qt::NoModifier));
    };
    auto focusName = [](const MainDialog& dialog) {
        return QStringLiteral("focus ") + (dialog.focusWidget() != nullptr ? dialog.focusWidget()->objectName()
                                                                           : QStringLiteral("none"));
    };
    enum class Stage { Drop, Reload, Key, After, Done } stage = Stage::Drop;
    QStringList seen;
    struct Probe final : IdleTask {
        std::function<void()> step;
        void runIdle() override { step(); }
    } probe;
    probe.step = [&] {
        MainDialog* dialog = shownMainDialog();
        if (dialog == nullptr)
            return;
        auto* reload = dialog->findChild<QPushButton*>(QStringLiteral("IDC_RELOAD"));
        switch (stage) {
        case Stage::Drop:
            FileDrop::deliver(*dialog, {path});
            stage = Stage::Reload;
            break;
        case Stage::Reload:
            if (!reload->isEnabled())
                return;
            QVERIFY(WavFixture::writeText(path));
            reload->setFocus();
            press(*dialog, Qt::Key_Space);
            stage = Stage::Key;
            break;
        case Stage::Key:
            if (reload->isEnabled())
                return;
            seen << focusName(*dialog);
            press(*dialog, key);
            stage = Stage::After;
            break;
        case Stage::After:
            seen << focusName(*dialog);
            press(*dialog, Qt::Key_Escape);
            stage = Stage::Done;
            break;
        case Stage::Done:
            break;
        }
    };
    std::vector<ShownBox> boxes;
    ModalWatcher watcher([&](QDialog& shown) {
        if (auto* box = qobject_cast<QMessageBox*>(&shown)) {
            boxes.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons(), box->parentWidget(),
                             false});
            box->button(QMessageBox::Ok)->click();
        }
    });
    QTimer::singleShot(0, this, [&] { LoopRegistry::instance().find(std::this_thread::get_id())->addIdleTask(probe); });

    QCOMPARE(runApplication(*midi_, Qt::WindowNoState), exitCode);
    QCOMPARE(boxes.size(), std::size_t{1});
    QCOMPARE(boxes[0].text, QString::fromLatin1(ExpectedMessage::notWav));
    QCOMPARE(seen, QStringList{"focus IDD_MAINDLG"} + seenAfterTheKey);
}

void TestMainDialog::exitCodes_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("Quit button") << "quit" << 2;
    QTest::newRow("Esc") << "escape" << 2;
    QTest::newRow("close box") << "close" << 2;
    QTest::newRow("Enter on the wave number list") << "enter" << 1;
    QTest::newRow("Enter on the focused Quit button") << "enter on Quit" << 2;
}

// The whole program through runApplication, driven from inside its loop.
void TestMainDialog::exitCodes()
{
    QFETCH(QString, how);
    QFETCH(int, exitCode);
    dialog_.reset();

    bool found = false;
    QTimer::singleShot(0, this, [&] {
        MainDialog* dialog = shownMainDialog();
        if (dialog == nullptr)
            return;
        found = true;
        auto* quit = dialog->findChild<QPushButton*>(QStringLiteral("IDCANCEL"));
        if (how == "quit")
            QTest::mouseClick(quit, Qt::LeftButton);
        else if (how == "escape")
            QTest::keyClick(quit, Qt::Key_Escape);
        else if (how == "close")
            QCoreApplication::postEvent(dialog->windowHandle(), new QCloseEvent);
        else if (how == "enter")
            QTest::keyClick(dialog->findChild<QComboBox*>(QStringLiteral("IDC_WAVE_NUMBER")), Qt::Key_Return);
        else if (how == "enter on Quit")
            QTest::keyClick(quit, Qt::Key_Return);
    });
    QCOMPARE(runApplication(*midi_, Qt::WindowNoState), exitCode);
    QVERIFY(found);
    QVERIFY(shownMainDialog() == nullptr);
    QVERIFY(LoopRegistry::instance().find(std::this_thread::get_id()) == nullptr);
}

void TestMainDialog::startsMinimisedWhenAskedTo()
{
    dialog_.reset();
    bool minimised = false;
    QTimer::singleShot(0, this, [&] {
        if (MainDialog* dialog = shownMainDialog()) {
            minimised = dialog->isMinimized();
            dialog->close();
        }
    });
    QCOMPARE(runApplication(*midi_, Qt::WindowMinimized), 2);
    QVERIFY(minimised);
}

// Through the real loop: a probe idle task, registered after the dialog's, looks
// at the buttons at each pass and drops the next file; a queued look right
// after each load shows that nothing changed before the pass.
void TestMainDialog::enablingReachesTheButtonsAtTheNextIdlePass()
{
    dialog_.reset();
    const QString valid = fixture(QStringLiteral("valid.wav"), WavFixture::cycle(128));
    const QString invalid = files_->filePath(QStringLiteral("invalid.wav"));
    QVERIFY(WavFixture::writeText(invalid));

    struct Probe final : IdleTask {
        std::function<void(int)> step;
        int passes = 0;
        void runIdle() override { step(++passes); }
    } probe;

    QStringList seen;
    std::vector<ShownBox> boxes;
    const auto watcher = std::make_unique<ModalWatcher>([&](QDialog& shown) {
        if (auto* box = qobject_cast<QMessageBox*>(&shown)) {
            boxes.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons(),
                             box->parentWidget(), false});
            box->button(QMessageBox::Ok)->click();
        }
    });
    auto state = [](const char* when) {
        MainDialog* dialog = shownMainDialog();
        const bool send = dialog->findChild<QPushButton*>(QStringLiteral("IDC_SEND"))->isEnabled();
        const bool reload = dialog->findChild<QPushButton*>(QStringLiteral("IDC_RELOAD"))->isEnabled();
        return QStringLiteral("%1: send %2, reload %3")
            .arg(QLatin1String(when), send ? QLatin1String("on") : QLatin1String("off"),
                 reload ? QLatin1String("on") : QLatin1String("off"));
    };
    probe.step = [&](int pass) {
        MainDialog* dialog = shownMainDialog();
        seen << state("idle");
        auto lookAfterLoad = [&] { QMetaObject::invokeMethod(dialog, [&] { seen << state("loaded"); }, Qt::QueuedConnection); };
        if (pass == 1) {
            FileDrop::deliver(*dialog, {valid});
            lookAfterLoad();
        } else if (pass == 2) {
            FileDrop::deliver(*dialog, {invalid});
            lookAfterLoad();
        } else {
            QCoreApplication::postEvent(dialog->findChild<QPushButton*>(QStringLiteral("IDCANCEL")),
                                        new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        }
    };
    QTimer::singleShot(0, this, [&] { LoopRegistry::instance().find(std::this_thread::get_id())->addIdleTask(probe); });

    QCOMPARE(runApplication(*midi_, Qt::WindowNoState), 2);
    QCOMPARE(seen, (QStringList{"idle: send off, reload off", "loaded: send off, reload off",
                                "idle: send on, reload on", "loaded: send on, reload on",
                                "idle: send off, reload off"}));
    QCOMPARE(boxes.size(), std::size_t{1});
    QCOMPARE(boxes[0].text, QString::fromLatin1(ExpectedMessage::notWav));
}

QTEST_MAIN(TestMainDialog)
#include "tst_maindialog.moc"
