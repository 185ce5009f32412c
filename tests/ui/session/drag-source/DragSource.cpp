// drag-source FILE [X Y]
//
// Shows a small window titled "Drag source" at X, Y (default 900, 700) and,
// when the mouse is pressed on it, drags FILE as a file:// URL (text/uri-list),
// the way a file manager offers a file. It exits when the drag ends: 0 when
// the target took the file, 3 when nobody took it, 2 on a usage error. The
// session script moves the pointer with xdotool; the program only answers.
#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include <cstdio>

namespace {

class DragSource final : public QLabel {
public:
    explicit DragSource(const QString& path) : QLabel(QFileInfo(path).fileName()), path_(path)
    {
        setWindowTitle(QStringLiteral("Drag source"));
        setAlignment(Qt::AlignCenter);
        setAutoFillBackground(true);
        setStyleSheet(QStringLiteral("background: #ffe070; border: 2px solid black;"));
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        auto* mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(QFileInfo(path_).absoluteFilePath())});
        auto* drag = new QDrag(this);
        drag->setMimeData(mime);
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
        std::printf("drag-source: drop %s\n", action == Qt::IgnoreAction ? "refused" : "taken");
        std::fflush(stdout);
        QApplication::exit(action == Qt::IgnoreAction ? 3 : 0);
    }

private:
    QString path_;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2 && arguments.size() != 4) {
        std::fprintf(stderr, "usage: drag-source FILE [X Y]\n");
        return 2;
    }
    DragSource window(arguments.at(1));
    const int x = arguments.size() == 4 ? arguments.at(2).toInt() : 900;
    const int y = arguments.size() == 4 ? arguments.at(3).toInt() : 700;
    window.setGeometry(x, y, 200, 80);
    window.show();
    return QApplication::exec();
}
