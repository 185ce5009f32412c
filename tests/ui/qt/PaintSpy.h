#pragma once

// Watching the repaints that reach a widget, for the desktop tests.

#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>
#include <QWidget>

// Records the region of every paint that reaches a widget.
class PaintSpy final : public QObject {
public:
    explicit PaintSpy(QWidget* target) : QObject(target) { target->installEventFilter(this); }

    // Everything painted since the spy was set up.
    [[nodiscard]] QRegion painted() const
    {
        QRegion all;
        for (const QRegion& region : regions)
            all += region;
        return all;
    }

    QList<QRegion> regions;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            regions.append(static_cast<QPaintEvent*>(event)->region());
        return QObject::eventFilter(watched, event);
    }
};

// Lets the pending repaint requests run.
inline void flushRepaints()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}
