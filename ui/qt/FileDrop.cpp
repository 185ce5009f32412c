#include "FileDrop.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>

#include <utility>

namespace hwd {

namespace {

// The first local file of a drop, as the file manager lists them; empty when the
// drop holds no file.
QString firstLocalFile(const QMimeData* data)
{
    if (data == nullptr)
        return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

// Answers the file taken, or an empty name when refused; offered is the file
// that this drag already showed.
QString acceptFileDrop(QDropEvent& event, const QString& offered = {})
{
    const Qt::DropActions possible = event.possibleActions();
    const QString file = offered.isEmpty() ? firstLocalFile(event.mimeData()) : offered;
    if (file.isEmpty() || !(possible & (Qt::CopyAction | Qt::LinkAction))) {
        event.ignore();
        return {};
    }
    event.setDropAction(possible & Qt::CopyAction ? Qt::CopyAction : Qt::LinkAction);
    event.accept();
    return file;
}

} // namespace

void FileDrop::enter(QDragEnterEvent& event)
{
    offered_ = acceptFileDrop(event);
}

void FileDrop::move(QDragMoveEvent& event)
{
    offered_ = acceptFileDrop(event, offered_);
}

void FileDrop::leave()
{
    offered_.clear();
}

std::filesystem::path FileDrop::drop(QDropEvent& event)
{
    const QString file = acceptFileDrop(event, std::exchange(offered_, {}));
    if (file.isEmpty())
        return {};
    return std::filesystem::path(QFile::encodeName(file).toStdString());
}

} // namespace hwd
