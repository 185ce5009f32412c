// What the Qt windows do with each request of their controllers: the main
// dialog's, the Wave Tweaker's and the Import Cycle window's widgets enabled,
// written, read, repainted, filled and focused, their boxes, file dialogs and
// menus owned by them, the actions run later, and the endings. The requests
// come from a controller that takes no decision of its own.

#include "ModalWatcher.h"
#include "PaintSpy.h"
#include "RecordingController.h"
#include "app/LoopRegistry.h"
#include "app/ResourceIds.h"
#include "ui/qt/ImportCycleDialog.h"
#include "ui/qt/MainDialog.h"
#include "ui/qt/MessageLoop.h"
#include "ui/qt/PathLabel.h"
#include "ui/qt/WaveTweakerDialog.h"
#include "ui/qt/WaveView.h"
#include "wave/Waveshape.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <thread>

using namespace hwd;

class TestWindowControls final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsAreEnabledWrittenAndRepainted();
    void editFieldsAreWrittenAndRead();
    void listsKeepTheirItemsDataAndSelection();
    void theFocusGoesToAControlOrToTheDialogItself();
    void boxesAndFileDialogsBelongToTheWindowAsked();
    void theMenuShowsTheItemsAndAnswersThePick();
    void laterRunsAfterWhatIsWaiting();
    void theEndings();

private:
    template <class Widget = QWidget>
    Widget& child(const char* name) const
    {
        return *dialog_->findChild<Widget*>(QLatin1String(name));
    }

    Waveshape wave_;
    RecordingController controller_;
    std::unique_ptr<MainDialog> dialog_;
};

void TestWindowControls::init()
{
    dialog_ = std::make_unique<MainDialog>(controller_, wave_);
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
}

void TestWindowControls::cleanup()
{
    dialog_.reset();
}

void TestWindowControls::controlsAreEnabledWrittenAndRepainted()
{
    DialogControls& window = *dialog_;
    window.enableControl(IDC_SEND, false);
    QVERIFY(!child("IDC_SEND").isEnabled());
    QVERIFY(child("IDC_RELOAD").isEnabled());
    window.enableControl(IDC_SEND, true);
    QVERIFY(child("IDC_SEND").isEnabled());

    window.setControlText(IDC_FILE_NAME, "Drag/Drop WAV file from Explorer");
    QCOMPARE(child<QLabel>("IDC_FILE_NAME").text(), QStringLiteral("Drag/Drop WAV file from Explorer"));
    // A name's own bytes, shown as the file manager shows them.
    window.setControlPath(IDC_FILE_NAME, "/tmp/S\xc3\xa4gezahn.wav");
    QCOMPARE(child<PathLabel>("IDC_FILE_NAME").text(), QStringLiteral("/tmp/S\u00e4gezahn.wav"));

    window.setToolTip(IDC_WAVE_VIEW, "Double-click to edit the wave.\nRight-click for Open.");
    QCOMPARE(dialog_->waveView().toolTip(), QStringLiteral("Double-click to edit the wave.\nRight-click for Open."));
    window.setToolTip(IDC_PORT, "");
    QVERIFY(child("IDC_PORT").toolTip().isEmpty());

    flushRepaints();
    const PaintSpy spy(&dialog_->waveView());
    window.repaintControl(IDC_WAVE_VIEW);
    flushRepaints();
    QVERIFY(spy.painted().contains(dialog_->waveView().rect()));
}

// In UTF-8 both ways; what the user typed is read as it stands.
void TestWindowControls::editFieldsAreWrittenAndRead()
{
    RecordingController importer;
    ImportCycleDialog dialog(importer, dialog_.get());
    DialogControls& window = dialog;
    auto& start = *dialog.findChild<QLineEdit*>(QStringLiteral("IDC_CYCLE_START"));
    window.setControlText(IDC_CYCLE_START, "\xc3\xa9t\xc3\xa9 400,5");
    QCOMPARE(start.text(), QStringLiteral("\u00e9t\u00e9 400,5"));
    start.setText(QStringLiteral("12\u00b5"));
    QCOMPARE(window.controlText(IDC_CYCLE_START), "12\xc2\xb5");
    window.setControlText(IDC_CYCLE_STATUS, "No steady pitch was found near frame 0.");
    QCOMPARE(window.controlText(IDC_CYCLE_STATUS), "No steady pitch was found near frame 0.");
}

void TestWindowControls::listsKeepTheirItemsDataAndSelection()
{
    DialogControls& window = *dialog_;
    QCOMPARE(window.selectedListData(IDC_PORT), -1L);
    window.selectListItem(IDC_PORT, 0);
    QCOMPARE(window.selectedListData(IDC_PORT), -1L);

    window.addListItem(IDC_PORT, "Harlix In", 4);
    window.addListItem(IDC_PORT, "USB MIDI 2", 9);
    window.selectListItem(IDC_PORT, 1);
    QCOMPARE(child<QComboBox>("IDC_PORT").currentText(), QStringLiteral("USB MIDI 2"));
    QCOMPARE(window.selectedListData(IDC_PORT), 9L);
    window.selectListItem(IDC_PORT, 2);
    QCOMPARE(window.selectedListData(IDC_PORT), -1L);
    QCOMPARE(child<QComboBox>("IDC_PORT").count(), 2);
    QCOMPARE(child<QComboBox>("IDC_WAVE_NUMBER").count(), 0);
}

void TestWindowControls::theFocusGoesToAControlOrToTheDialogItself()
{
    DialogControls& window = *dialog_;
    window.focusControl(IDC_RELOAD);
    QCOMPARE(QApplication::focusWidget(), &child("IDC_RELOAD"));
    QCOMPARE(window.focusedControl(), IDC_RELOAD);
    window.focusControl(IDC_PORT);
    QCOMPARE(window.focusedControl(), IDC_PORT);
    window.focusControl(0);
    QCOMPARE(QApplication::focusWidget(), dialog_.get());
    QCOMPARE(window.focusedControl(), 0);
}

// Each box and file dialog is owned by the window whose controller asked for
// it: the Tweaker's by the Tweaker, over the main dialog.
void TestWindowControls::boxesAndFileDialogsBelongToTheWindowAsked()
{
    QStringList seen;
    ModalWatcher watcher([&seen](QDialog& shown) {
        if (auto* box = qobject_cast<QMessageBox*>(&shown)) {
            seen << QStringLiteral("%1 | %2 | %3 | %4 | %5")
                        .arg(box->parentWidget()->objectName(), box->windowTitle(), box->text())
                        .arg(box->icon() == QMessageBox::Warning ? "warning" : "error")
                        .arg(box->standardButtons() == QMessageBox::Ok ? "OK" : "other");
            box->button(QMessageBox::Ok)->click();
        } else if (auto* files = qobject_cast<QFileDialog*>(&shown)) {
            seen << files->parentWidget()->objectName() + QStringLiteral(" | ") + files->windowTitle();
            files->reject();
        }
    });
    DialogControls& main = *dialog_;
    main.showMessage("Failed to open wave file.", MessageIcon::Warning);
    QVERIFY(!main.chooseFileToOpen(hwd::DialogControls::OpenTypes::waveFiles));

    RecordingController tweakerController;
    WaveTweakerDialog tweaker(tweakerController, wave_, dialog_.get());
    DialogControls& over = tweaker;
    over.showMessage("Error: Failed to open the specified MIDI port. ", MessageIcon::Error);
    QVERIFY(!over.chooseSaveTarget("/tmp/wave.wav", hwd::DialogControls::SaveTypes::wave));

    QCOMPARE(seen, (QStringList{"IDD_MAINDLG | Harlix Wave Dump | Failed to open wave file. | warning | OK",
                                "IDD_MAINDLG | Open",
                                "IDD_WAVE_TWEAKER | Harlix Wave Dump | Error: Failed to open the specified MIDI port.  "
                                "| error | OK",
                                "IDD_WAVE_TWEAKER | Save Wave As"}));
}

void TestWindowControls::theMenuShowsTheItemsAndAnswersThePick()
{
    const MenuItem items[] = {{ID_FILE_OPEN, "&Open\u2026", "Ctrl+O", false, false, false},
                              {ID_LISTEN, "&Listen", "Ctrl+L", true, true, true}};
    QStringList seen;
    QPoint shownAt;
    MenuWatcher watcher([&](QMenu& menu) {
        shownAt = menu.pos();
        for (const QAction* action : menu.actions()) {
            seen << QStringLiteral("%1 %2%3%4").arg(action->text(), action->shortcut().toString(),
                                                   action->isEnabled() ? "" : " greyed",
                                                   action->isChecked() ? " checked" : "");
        }
        menu.actions().at(1)->trigger();
    });

    QCOMPARE(dialog_->popUpMenu(items, IDC_WAVE_VIEW, Point{120, 140}), ID_LISTEN);
    QCOMPARE(shownAt, QPoint(120, 140));
    QCOMPARE(seen, (QStringList{"&Open\u2026 Ctrl+O greyed", "&Listen Ctrl+L checked"}));
    // From the keyboard: at the middle of the picture.
    QCOMPARE(dialog_->popUpMenu(items, IDC_WAVE_VIEW, std::nullopt), ID_LISTEN);
    QCOMPARE(shownAt, dialog_->waveView().mapToGlobal(dialog_->waveView().rect().center()));
}

void TestWindowControls::laterRunsAfterWhatIsWaiting()
{
    QStringList order;
    QMetaObject::invokeMethod(dialog_.get(), [&order] { order << "waiting"; }, Qt::QueuedConnection);
    dialog_->later([&order] { order << "later"; });
    QVERIFY(order.isEmpty());
    QCoreApplication::sendPostedEvents(dialog_.get(), QEvent::MetaCall);
    QCOMPARE(order, (QStringList{"waiting", "later"}));
}

// The main dialog hides and ends the loop with the code; the Tweaker ends its
// own run with it; the About box runs over the active window.
void TestWindowControls::theEndings()
{
    QWidget* aboutOwner = nullptr;
    ModalWatcher about([&aboutOwner](QDialog& shown) {
        if (shown.objectName() == QLatin1String("IDD_ABOUTBOX")) {
            aboutOwner = shown.parentWidget();
            shown.reject();
        }
    });
    dialog_->runModal(IDD_ABOUTBOX, nullptr);
    QCOMPARE(aboutOwner, dialog_.get());

    RecordingController tweakerController;
    WaveTweakerDialog tweaker(tweakerController, wave_, dialog_.get());
    QTimer::singleShot(0, &tweaker, [&tweaker] { static_cast<DialogControls&>(tweaker).endDialog(1); });
    QCOMPARE(tweaker.exec(), 1);

    MessageLoop loop;
    LoopRegistry::instance().add(std::this_thread::get_id(), loop);
    MainDialog main(controller_, wave_);
    main.show();
    QTimer::singleShot(0, &main, [&main] { main.endDialog(2); });
    QCOMPARE(loop.run(), 2);
    QVERIFY(!main.isVisible());
    LoopRegistry::instance().remove(std::this_thread::get_id());
}

QTEST_MAIN(TestWindowControls)
#include "tst_windowcontrols.moc"
