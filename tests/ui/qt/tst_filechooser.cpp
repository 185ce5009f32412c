// Open and Save Wave As on Qt's own file dialogs: what each offers, the name it
// answers (with the chosen type's extension when none is typed), the question
// before a file is replaced, Cancel, and the window that owns the dialog (the
// one whose command opened it).

#include "ModalWatcher.h"
#include "WavFixture.h"
#include "ui/qt/FileChooser.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <functional>
#include <optional>

using namespace hwd;

namespace {

// What one file dialog looked like when it opened, and what the chooser
// answered once it was cancelled.
struct SeenDialog {
    QStringList nameFilters;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QString defaultSuffix;
    QString folder;
    QString typedName;
    QWidget* owner = nullptr;
    std::optional<std::filesystem::path> answer;
};

QString shown(const std::optional<std::filesystem::path>& path)
{
    return path ? QString::fromStdString(path->string()) : QStringLiteral("(nothing)");
}

QLineEdit& nameField(QFileDialog& dialog)
{
    return *dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

// Types name over whatever the name field holds (as an input method would,
// since key clicks carry ASCII alone).
void typeName(QFileDialog& dialog, const QString& name)
{
    nameField(dialog).selectAll();
    nameField(dialog).insert(name);
}

// Enter in the name field: Open or Save.
void pressEnter(QFileDialog& dialog)
{
    QTest::keyClick(&nameField(dialog), Qt::Key_Return);
}

} // namespace

class TestFileChooser final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openOffersWavFiles();
    void openAnswersThePickedFile();
    void cancelAnswersNothing_data();
    void cancelAnswersNothing();
    void saveOffersBothTypesAndTheSuggestedName();
    void saveNames_data();
    void saveNames();
    void saveAsksBeforeReplacingAFile();

private:
    // Runs ask while act handles each file dialog that it opens.
    std::optional<std::filesystem::path> run(const std::function<std::optional<std::filesystem::path>()>& ask,
                                             const std::function<void(QFileDialog&)>& act);
    // Runs ask, looks at the file dialog it opens and cancels it.
    SeenDialog lookThenCancel(const std::function<std::optional<std::filesystem::path>()>& ask);

    std::unique_ptr<QTemporaryDir> files_;
    std::unique_ptr<QWidget> mainWindow_;
    std::unique_ptr<FileChooser> chooser_;
};

void TestFileChooser::init()
{
    files_ = std::make_unique<QTemporaryDir>();
    mainWindow_ = std::make_unique<QWidget>();
    mainWindow_->show();
    chooser_ = std::make_unique<FileChooser>(*mainWindow_);
}

void TestFileChooser::cleanup()
{
    chooser_.reset();
    mainWindow_.reset();
    files_.reset();
}

std::optional<std::filesystem::path> TestFileChooser::run(
    const std::function<std::optional<std::filesystem::path>()>& ask, const std::function<void(QFileDialog&)>& act)
{
    ModalWatcher watcher([&act](QDialog& shown) {
        if (auto* dialog = qobject_cast<QFileDialog*>(&shown))
            act(*dialog);
    });
    return ask();
}

SeenDialog TestFileChooser::lookThenCancel(const std::function<std::optional<std::filesystem::path>()>& ask)
{
    SeenDialog seen;
    seen.answer = run(ask, [&seen](QFileDialog& dialog) {
        const auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        seen = {dialog.nameFilters(), dialog.acceptMode(), dialog.fileMode(), dialog.defaultSuffix(),
                dialog.directory().path(), field != nullptr ? field->text() : QString(), dialog.parentWidget(),
                std::nullopt};
        dialog.reject();
    });
    return seen;
}

void TestFileChooser::openOffersWavFiles()
{
    const SeenDialog seen = lookThenCancel([this] { return chooser_->chooseFileToOpen(); });
    QVERIFY(!seen.answer);
    QCOMPARE(seen.nameFilters, (QStringList{QStringLiteral("WAV file (*.wav *.WAV)"), QStringLiteral("All files (*)")}));
    QCOMPARE(seen.acceptMode, QFileDialog::AcceptOpen);
    QCOMPARE(seen.fileMode, QFileDialog::ExistingFile);
    QCOMPARE(seen.owner, mainWindow_.get());
}

// The name outside ASCII comes back as the very bytes that name it on disk.
void TestFileChooser::openAnswersThePickedFile()
{
    const QString picked = files_->filePath(QStringLiteral("S\u00e4gezahn.wav"));
    QVERIFY(WavFixture::write(picked, WavFixture::cycle(128)));
    const auto answer = run([this] { return chooser_->chooseFileToOpen(); },
                            [this](QFileDialog& dialog) {
                                dialog.setDirectory(files_->path());
                                typeName(dialog, QStringLiteral("S\u00e4gezahn.wav"));
                                pressEnter(dialog);
                            });
    QVERIFY(answer);
    const QByteArray bytes = picked.toUtf8();
    QCOMPARE(answer->native(), std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void TestFileChooser::cancelAnswersNothing_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("Open") << false;
    QTest::newRow("Save Wave As") << true;
}

void TestFileChooser::cancelAnswersNothing()
{
    QFETCH(bool, save);
    const std::filesystem::path suggested = files_->filePath(QStringLiteral("wave.wav")).toStdString();
    int dialogs = 0;
    const auto answer = run(
        [&] { return save ? chooser_->chooseSaveTarget(suggested) : chooser_->chooseFileToOpen(); },
        [&dialogs](QFileDialog& dialog) {
            ++dialogs;
            typeName(dialog, QStringLiteral("typed-then-cancelled"));
            dialog.reject();
        });
    QCOMPARE(dialogs, 1);
    QCOMPARE(shown(answer), QStringLiteral("(nothing)"));
}

void TestFileChooser::saveOffersBothTypesAndTheSuggestedName()
{
    QVERIFY(QDir(files_->path()).mkdir(QStringLiteral("waves")));
    const QString folder = files_->filePath(QStringLiteral("waves"));
    const std::filesystem::path suggested = (folder + QStringLiteral("/bass.wav")).toStdString();
    const SeenDialog seen = lookThenCancel([&] { return chooser_->chooseSaveTarget(suggested); });
    QVERIFY(!seen.answer);
    QCOMPARE(seen.nameFilters, (QStringList{QStringLiteral("WAV file (*.wav *.WAV)"), QStringLiteral("SysEx dump (*.syx *.SYX)")}));
    QCOMPARE(seen.acceptMode, QFileDialog::AcceptSave);
    QCOMPARE(seen.defaultSuffix, QStringLiteral("wav"));
    QCOMPARE(seen.folder, folder);
    QCOMPARE(seen.typedName, QStringLiteral("bass.wav"));
    QCOMPARE(seen.owner, mainWindow_.get());
}

void TestFileChooser::saveNames_data()
{
    QTest::addColumn<bool>("pickSysEx");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("answered");

    QTest::newRow("no extension, WAV file") << false << "bank" << "bank.wav";
    QTest::newRow("no extension, SysEx dump") << true << "bank" << "bank.syx";
    QTest::newRow(".syx typed under WAV file") << false << "bank.syx" << "bank.syx";
    QTest::newRow(".wav typed under SysEx dump") << true << "lead.wav" << "lead.wav";
}

// The type is picked in the dialog's list as the user picks it, with the keyboard.
void TestFileChooser::saveNames()
{
    QFETCH(bool, pickSysEx);
    QFETCH(QString, typed);
    QFETCH(QString, answered);

    const std::filesystem::path suggested = files_->filePath(QStringLiteral("wave.wav")).toStdString();
    QString suffixAfterPick;
    const auto answer = run([&] { return chooser_->chooseSaveTarget(suggested); },
                            [&](QFileDialog& dialog) {
                                if (pickSysEx) {
                                    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                                    QTest::keyClick(types, Qt::Key_Down);
                                }
                                suffixAfterPick = dialog.defaultSuffix();
                                typeName(dialog, typed);
                                pressEnter(dialog);
                            });
    QCOMPARE(suffixAfterPick, pickSysEx ? QStringLiteral("syx") : QStringLiteral("wav"));
    QCOMPARE(shown(answer), files_->filePath(answered));
}

// The dialog asks before it answers a file that exists; No leaves the dialog
// open, Yes answers the file.
void TestFileChooser::saveAsksBeforeReplacingAFile()
{
    const QString existing = files_->filePath(QStringLiteral("taken.wav"));
    QVERIFY(WavFixture::write(existing, WavFixture::cycle(128)));
    const std::filesystem::path suggested = files_->filePath(QStringLiteral("wave.wav")).toStdString();

    QStringList questions;
    bool openAfterNo = false;
    ModalWatcher boxes([&questions](QDialog& shown) {
        auto* box = qobject_cast<QMessageBox*>(&shown);
        if (box == nullptr)
            return;
        questions << box->text();
        box->button(questions.size() == 1 ? QMessageBox::No : QMessageBox::Yes)->click();
    });
    const auto answer = run([&] { return chooser_->chooseSaveTarget(suggested); },
                            [&](QFileDialog& dialog) {
                                typeName(dialog, QStringLiteral("taken"));
                                pressEnter(dialog);
                                openAfterNo = dialog.isVisible();
                                pressEnter(dialog);
                            });
    QCOMPARE(questions.size(), 2);
    QVERIFY2(questions[0].contains(QStringLiteral("taken.wav")), qPrintable(questions[0]));
    QVERIFY(openAfterNo);
    QCOMPARE(shown(answer), existing);
}

QTEST_MAIN(TestFileChooser)
#include "tst_filechooser.moc"
