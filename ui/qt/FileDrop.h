#pragma once

#include <QStringList>

#include <filesystem>
#include <vector>

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;

namespace hwd {

// A window's side of a file manager's drag: it takes the local files of a
// drag as a copy, never as a move (the file manager would otherwise delete
// the file once it has been read), and shows the no-drop cursor for anything
// else. The files that the drag offered on entering are taken at the drop
// without asking the source again: a source that has ended its side of the
// drag at the drop (as small Qt tools do) no longer answers, and asking waits
// for seconds.
class FileDrop final {
public:
    void enter(QDragEnterEvent& event);
    void move(QDragMoveEvent& event);
    void leave();
    // The dropped file as the loader opens it: the very bytes that name it on
    // disk, as Qt's own file access encodes them. Empty when refused.
    [[nodiscard]] std::filesystem::path drop(QDropEvent& event);
    // Every dropped file, in the drag's order; none when refused.
    [[nodiscard]] std::vector<std::filesystem::path> dropAll(QDropEvent& event);

private:
    QStringList offered_;
};

} // namespace hwd
