// The About box: its template, its place on the screen and the four ways to close it.

#include "ModalWatcher.h"
#include "ui/qt/AboutDialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace hwd;

class TestAboutDialog final : public QObject {
    Q_OBJECT

private slots:
    void templateControls();
    void centredOverAVisibleOwner();
    void onTheWorkAreaWithoutAnOwnerToSee_data();
    void onTheWorkAreaWithoutAnOwnerToSee();
    void keptInsideTheWorkArea_data();
    void keptInsideTheWorkArea();
    void closes_data();
    void closes();
};

void TestAboutDialog::templateControls()
{
    // The template's dialog units at 7 x 14 pixels a base unit: x and y both
    // times 1.75, rounded.
    AboutDialog dialog(nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("About"));
    QCOMPARE(dialog.objectName(), QStringLiteral("IDD_ABOUTBOX"));
    QCOMPARE(dialog.size(), QSize(327, 179));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());

    const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
    QCOMPARE(labels.size(), 2);
    QCOMPARE(labels[0]->geometry(), QRect(145, 12, 35, 35));
    QVERIFY(!labels[0]->pixmap().isNull());
    QCOMPARE(labels[1]->geometry(), QRect(12, 53, 303, 86));
    QVERIFY(labels[1]->alignment() & Qt::AlignHCenter);
    const QStringList paragraphs = labels[1]->text().split(QStringLiteral("\n\n"));
    QCOMPARE(paragraphs.size(), 3);
    QCOMPARE(paragraphs[0], QStringLiteral("Harlix WaveDump Applet v1.3"));
    QVERIFY(!paragraphs[1].isEmpty());
    QVERIFY(!paragraphs[2].isEmpty());

    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("IDOK"));
    QVERIFY(ok != nullptr);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(ok->geometry(), QRect(121, 142, 88, 25));
    QVERIFY(ok->isDefault());
    QCOMPARE(dialog.focusWidget(), ok);

    // Everything fits: the text needs no more room than its rectangle.
    const QRect needed = labels[1]->fontMetrics().boundingRect(labels[1]->contentsRect(),
                                                               Qt::AlignHCenter | Qt::TextWordWrap, labels[1]->text());
    QVERIFY(needed.height() <= labels[1]->height());
}

void TestAboutDialog::centredOverAVisibleOwner()
{
    QWidget owner;
    owner.setGeometry(100, 120, 400, 300);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    AboutDialog dialog(&owner);
    const QRect frame = dialog.frameGeometry();
    QVERIFY(qAbs(frame.center().x() - owner.frameGeometry().center().x()) <= 1);
    QVERIFY(qAbs(frame.center().y() - owner.frameGeometry().center().y()) <= 1);
}

void TestAboutDialog::onTheWorkAreaWithoutAnOwnerToSee_data()
{
    QTest::addColumn<QString>("owner");
    QTest::newRow("no owner") << "none";
    QTest::newRow("hidden owner") << "hidden";
    QTest::newRow("minimised owner") << "minimised";
}

void TestAboutDialog::onTheWorkAreaWithoutAnOwnerToSee()
{
    QFETCH(QString, owner);
    QWidget ownerWindow;
    ownerWindow.setGeometry(10, 10, 200, 150);
    if (owner == "minimised")
        ownerWindow.showMinimized();

    AboutDialog dialog(owner == "none" ? nullptr : &ownerWindow);
    const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = dialog.frameGeometry();
    QVERIFY(qAbs(frame.center().x() - workArea.center().x()) <= 1);
    QVERIFY(qAbs(frame.center().y() - workArea.center().y()) <= 1);
}

void TestAboutDialog::keptInsideTheWorkArea_data()
{
    QTest::addColumn<QPoint>("ownerPosition");
    const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
    QTest::newRow("top left corner") << workArea.topLeft();
    QTest::newRow("right edge") << QPoint(workArea.right() - 60, workArea.top() + 200);
    QTest::newRow("bottom edge") << QPoint(workArea.left() + 200, workArea.bottom() - 40);
    QTest::newRow("bottom right corner") << QPoint(workArea.right() - 60, workArea.bottom() - 40);
}

void TestAboutDialog::keptInsideTheWorkArea()
{
    QFETCH(QPoint, ownerPosition);
    QWidget owner;
    owner.setGeometry(QRect(ownerPosition, QSize(120, 80)));
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    AboutDialog dialog(&owner);
    const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(workArea.contains(dialog.frameGeometry()), qPrintable(QStringLiteral("%1,%2").arg(dialog.x()).arg(dialog.y())));
}

void TestAboutDialog::closes_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << "ok" << int(QDialog::Accepted);
    QTest::newRow("Enter") << "enter" << int(QDialog::Accepted);
    QTest::newRow("Esc") << "escape" << int(QDialog::Rejected);
    QTest::newRow("close box") << "close" << int(QDialog::Rejected);
}

void TestAboutDialog::closes()
{
    QFETCH(QString, how);
    QFETCH(int, result);

    ModalWatcher closer([&how](QDialog& dialog) {
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("IDOK"));
        if (how == "ok")
            QTest::mouseClick(ok, Qt::LeftButton);
        else if (how == "enter")
            QTest::keyClick(ok, Qt::Key_Return);
        else if (how == "escape")
            QTest::keyClick(ok, Qt::Key_Escape);
        else
            QCoreApplication::postEvent(dialog.windowHandle(), new QCloseEvent);
    });
    AboutDialog dialog(nullptr);
    QCOMPARE(dialog.exec(), result);
    QCOMPARE(closer.shown(), 1);
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
