#pragma once

// Looking at the program while it runs: its shown main dialog, a window that
// has become the active one, and an idle task of the test's own that the loop
// runs after the dialog's.

#include "ui/qt/MainDialog.h"
#include "ui/qt/MessageLoop.h"

#include <QApplication>
#include <QTest>

#include <functional>

namespace RunningProgram {

inline hwd::MainDialog* shownMainDialog()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<hwd::MainDialog*>(widget); dialog != nullptr && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

// Keys reach the active window, as they do for the user. The offscreen platform
// activates a shown window a moment later; a dialog's window counts as active
// while its owner is, so the application's own answer is awaited.
inline bool becomesActive(QWidget& window)
{
    return QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; });
}

// Told which pass it is. Each pass queues an empty call, so that another idle
// period follows even when nothing else happens: a program that fails to do
// what the test awaits still reaches the pass that ends it.
struct IdleProbe final : hwd::IdleTask {
    std::function<void(int)> step;
    int passes = 0;
    void runIdle() override
    {
        step(++passes);
        QMetaObject::invokeMethod(qApp, [] {}, Qt::QueuedConnection);
    }
};

} // namespace RunningProgram
