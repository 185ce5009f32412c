#pragma once

// A drop of local files as a file manager delivers it: the drag enters the
// widget's centre as a copy, then the drop lands there. Shared by the desktop
// tests, the screenshots and the start-up probe.

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QStringList>
#include <QUrl>
#include <QWidget>

namespace FileDrop {

// Any addresses, local files or not, at a point of the target (its centre
// when none is given).
inline void deliverUrls(QWidget& target, const QList<QUrl>& urls, QPoint at = {-1, -1})
{
    QMimeData data;
    data.setUrls(urls);
    const QPoint centre = at.x() >= 0 ? at : QPoint(target.width() / 2, target.height() / 2);
    // A drop goes to the widget that accepted the drag when it entered.
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}

inline void deliver(QWidget& target, const QStringList& paths, QPoint at = {-1, -1})
{
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    deliverUrls(target, urls, at);
}

// The drop, and the load that the window queues to run once the drop has completed.
inline void deliverAndLoad(QWidget& target, const QStringList& paths)
{
    deliver(target, paths);
    QCoreApplication::sendPostedEvents(&target, QEvent::MetaCall);
}

} // namespace FileDrop
