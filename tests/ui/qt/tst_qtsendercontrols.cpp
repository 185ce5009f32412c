// The sender's list and message box on Qt widgets.

#include "ModalWatcher.h"
#include "ui/qt/QtSenderControls.h"

#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace hwd;

Q_DECLARE_METATYPE(MessageIcon)

class TestQtSenderControls final : public QObject {
    Q_OBJECT

private slots:
    void listKeepsItemsAndData();
    void emptyListSelectsNothing();
    void itemDataOutsideTheList_data();
    void itemDataOutsideTheList();
    void messageBox_data();
    void messageBox();
};

void TestQtSenderControls::listKeepsItemsAndData()
{
    QComboBox combo;
    QtListControl list(combo);
    QCOMPARE(list.addItem("zeta"), 0);
    QCOMPARE(list.addItem("alpha"), 1);
    list.setItemData(0, 96);
    list.setItemData(1, 127);
    list.setCurrentIndex(1);
    QCOMPARE(combo.itemText(0), QStringLiteral("zeta"));
    QCOMPARE(combo.itemText(1), QStringLiteral("alpha"));
    QCOMPARE(list.currentIndex(), 1);
    QCOMPARE(list.itemData(0), 96L);
    QCOMPARE(list.itemData(list.currentIndex()), 127L);
    QCOMPARE(combo.itemData(1, Qt::UserRole).toLongLong(), 127LL);
}

void TestQtSenderControls::emptyListSelectsNothing()
{
    QComboBox combo;
    QtListControl list(combo);
    list.setCurrentIndex(0);
    QCOMPARE(list.currentIndex(), -1);
    QCOMPARE(list.itemData(list.currentIndex()), -1L);
}

void TestQtSenderControls::itemDataOutsideTheList_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("nothing selected") << -1;
    QTest::newRow("past the end") << 2;
}

void TestQtSenderControls::itemDataOutsideTheList()
{
    QFETCH(int, index);
    QComboBox combo;
    QtListControl list(combo);
    list.setItemData(list.addItem("one"), 5);
    QCOMPARE(list.itemData(index), -1L);
}

void TestQtSenderControls::messageBox_data()
{
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<QMessageBox::Icon>("shown");
    QTest::newRow("load failure") << MessageIcon::Warning << QMessageBox::Warning;
    QTest::newRow("MIDI failure") << MessageIcon::Error << QMessageBox::Critical;
}

void TestQtSenderControls::messageBox()
{
    QFETCH(MessageIcon, icon);
    QFETCH(QMessageBox::Icon, shown);

    QWidget owner;
    owner.show();
    QtMessagePresenter presenter(owner);
    QString text;
    QString caption;
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    QWidget* parent = nullptr;
    int buttons = 0;
    ModalWatcher watcher([&](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        QVERIFY(box != nullptr);
        text = box->text();
        caption = box->windowTitle();
        boxIcon = box->icon();
        parent = box->parentWidget();
        buttons = static_cast<int>(box->buttons().size());
        QVERIFY(box->isModal());
        box->button(QMessageBox::Ok)->click();
    });
    presenter.show("Something failed. Try again.", "Harlix Wave Dump", icon);

    QCOMPARE(watcher.shown(), 1);
    QCOMPARE(text, QStringLiteral("Something failed. Try again."));
    QCOMPARE(caption, QStringLiteral("Harlix Wave Dump"));
    QCOMPARE(boxIcon, shown);
    QCOMPARE(parent, &owner);
    QCOMPARE(buttons, 1);
}

QTEST_MAIN(TestQtSenderControls)
#include "tst_qtsendercontrols.moc"
