// The yardstick of the start-up benchmark: a minimal Qt dialog program with a
// label and an OK button. It prints "painted RSS_KB" at its first paint and quits.

#include "ProbeReport.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Baseline"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("A minimal Qt dialog"), &dialog));
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    layout->addWidget(ok);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    FirstPaintReporter reporter(dialog, [&dialog] { dialog.accept(); });
    dialog.show();
    return application.exec() == 0 ? 0 : 1;
}
