#include "FileDrop.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>

#include <utility>

namespace hwd {

namespace {

// The local files of a drop, as the file manager lists them.
QStringList localFiles(const QMimeData* data)
{
    QStringList files;
    if (data == nullptr)
        return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

// Answers the files taken, none when refused; offered are the files that this
// drag already showed.
QStringList acceptFileDrop(QDropEvent& event, const QStringList& offered = {})
{
    const Qt::DropActions possible = event.possibleActions();
    const QStringList files = offered.isEmpty() ? localFiles(event.mimeData()) : offered;
    if (files.isEmpty() || !(possible & (Qt::CopyAction | Qt::LinkAction))) {
        event.ignore();
        return {};
    }
    event.setDropAction(possible & Qt::CopyAction ? Qt::CopyAction : Qt::LinkAction);
    event.accept();
    return files;
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
    std::vector<std::filesystem::path> files = dropAll(event);
    return files.empty() ? std::filesystem::path() : std::move(files.front());
}

std::vector<std::filesystem::path> FileDrop::dropAll(QDropEvent& event)
{
    std::vector<std::filesystem::path> files;
    for (const QString& file : acceptFileDrop(event, std::exchange(offered_, {})))
        files.emplace_back(QFile::encodeName(file).toStdString());
    return files;
}

} // namespace hwd
