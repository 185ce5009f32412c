// Deferred enabling: the table records at once and applies at the idle pass.

#include "ui/qt/ControlStateTable.h"

#include <QEvent>
#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace {

// Counts how often its enabled state actually changed.
class CountingButton final : public QPushButton {
public:
    using QPushButton::QPushButton;
    int changes = 0;

protected:
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::EnabledChange)
            ++changes;
        QPushButton::changeEvent(event);
    }
};

} // namespace

class TestControlStateTable final : public QObject {
    Q_OBJECT

private slots:
    void changesReachTheControlsAtTheIdlePass_data();
    void changesReachTheControlsAtTheIdlePass();
    void unknownIdIsIgnored();
    void nothingPendingTouchesNothing();
    void everyContainerIsServed();
};

void TestControlStateTable::changesReachTheControlsAtTheIdlePass_data()
{
    QTest::addColumn<QList<bool>>("recorded");   // for IDC_SEND, in order
    QTest::addColumn<bool>("enabledAfter");
    QTest::addColumn<int>("changes");
    QTest::addColumn<bool>("pending");

    QTest::newRow("nothing recorded") << QList<bool>{} << true << 0 << false;
    QTest::newRow("enable what is enabled") << QList<bool>{true} << true << 0 << false;
    QTest::newRow("disable") << QList<bool>{false} << false << 1 << true;
    QTest::newRow("disable twice") << QList<bool>{false, false} << false << 1 << true;
    QTest::newRow("disable, enable, disable: one change") << QList<bool>{false, true, false} << false << 1 << true;
    QTest::newRow("disable then enable: the last wins") << QList<bool>{false, true} << true << 0 << true;
}

void TestControlStateTable::changesReachTheControlsAtTheIdlePass()
{
    QFETCH(QList<bool>, recorded);
    QFETCH(bool, enabledAfter);
    QFETCH(int, changes);
    QFETCH(bool, pending);

    QWidget dialog;
    auto* send = new CountingButton(QStringLiteral("Send"), &dialog);
    send->setObjectName(QStringLiteral("IDC_SEND"));
    auto* reload = new CountingButton(QStringLiteral("Reload"), &dialog);
    reload->setObjectName(QStringLiteral("IDC_RELOAD"));
    ControlStateTable table{"IDC_SEND", "IDC_RELOAD"};
    table.addContainer(dialog);

    for (const bool enabled : recorded)
        table.setControlEnabled(QStringLiteral("IDC_SEND"), enabled);
    QCOMPARE(table.pending(), pending);
    QVERIFY(send->isEnabled());
    QCOMPARE(send->changes, 0);

    table.applyControlStates();
    QCOMPARE(send->isEnabled(), enabledAfter);
    QCOMPARE(send->changes, changes);
    QVERIFY(!table.pending());
    QVERIFY(reload->isEnabled());
    QCOMPARE(reload->changes, 0);
}

void TestControlStateTable::unknownIdIsIgnored()
{
    QWidget dialog;
    auto* other = new QPushButton(&dialog);
    other->setObjectName(QStringLiteral("IDCANCEL"));
    ControlStateTable table{"IDC_SEND"};
    table.addContainer(dialog);
    table.setControlEnabled(QStringLiteral("IDCANCEL"), false);
    QVERIFY(!table.pending());
    table.applyControlStates();
    QVERIFY(other->isEnabled());
}

// A pass with nothing pending leaves controls alone, even ones changed meanwhile.
void TestControlStateTable::nothingPendingTouchesNothing()
{
    QWidget dialog;
    auto* send = new QPushButton(&dialog);
    send->setObjectName(QStringLiteral("IDC_SEND"));
    ControlStateTable table{"IDC_SEND"};
    table.addContainer(dialog);
    table.setControlEnabled(QStringLiteral("IDC_SEND"), false);
    table.applyControlStates();
    QVERIFY(!send->isEnabled());

    send->setEnabled(true);
    table.setControlEnabled(QStringLiteral("IDC_SEND"), false);   // already recorded as disabled
    QVERIFY(!table.pending());
    table.applyControlStates();
    QVERIFY(send->isEnabled());
}

void TestControlStateTable::everyContainerIsServed()
{
    QWidget first;
    QWidget second;
    auto* a = new QPushButton(&first);
    a->setObjectName(QStringLiteral("IDC_RELOAD"));
    auto* b = new QPushButton(&second);
    b->setObjectName(QStringLiteral("IDC_RELOAD"));
    ControlStateTable table{"IDC_SEND", "IDC_RELOAD"};
    table.applyControlStates();
    table.addContainer(first);
    table.addContainer(second);
    table.setControlEnabled(QStringLiteral("IDC_RELOAD"), false);
    table.applyControlStates();
    QVERIFY(!a->isEnabled());
    QVERIFY(!b->isEnabled());
}

QTEST_MAIN(TestControlStateTable)
#include "tst_controlstatetable.moc"
