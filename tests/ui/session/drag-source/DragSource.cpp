// drag-source FILE... [X Y]
// drag-source --clipboard
//
// Shows a small window titled "Drag source" at X, Y (default 900, 700) and,
// when the mouse is pressed on it, drags the FILEs as file:// URLs
// (text/uri-list), the way a file manager offers files. It exits when the drag
// ends: 0 when the target took the files, 3 when nobody took them, 2 on a
// usage error. The session script moves the pointer with xdotool; the program
// only answers. With --clipboard it prints the text on the display's
// clipboard instead (what a message box copied with Ctrl+C) and exits.
#include <QApplication>
#include <QClipboard>
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
    explicit DragSource(const QStringList& paths) : QLabel(QFileInfo(paths.first()).fileName()), paths_(paths)
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
        QList<QUrl> urls;
        for (const QString& path : paths_)
            urls << QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
        mime->setUrls(urls);
        auto* drag = new QDrag(this);
        drag->setMimeData(mime);
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
        std::printf("drag-source: drop %s\n", action == Qt::IgnoreAction ? "refused" : "taken");
        std::fflush(stdout);
        QApplication::exit(action == Qt::IgnoreAction ? 3 : 0);
    }

private:
    QStringList paths_;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments().mid(1);
    if (arguments == QStringList{QStringLiteral("--clipboard")}) {
        std::printf("%s\n", qPrintable(QGuiApplication::clipboard()->text()));
        return 0;
    }
    // A position is the last two arguments, when both are numbers.
    int x = 900;
    int y = 700;
    if (arguments.size() >= 3) {
        bool xOk = false;
        bool yOk = false;
        const int givenX = arguments.at(arguments.size() - 2).toInt(&xOk);
        const int givenY = arguments.last().toInt(&yOk);
        if (xOk && yOk) {
            x = givenX;
            y = givenY;
            arguments.resize(arguments.size() - 2);
        }
    }
    if (arguments.isEmpty()) {
        std::fprintf(stderr, "usage: drag-source FILE... [X Y] | --clipboard\n");
        return 2;
    }
    DragSource window(arguments);
    window.setGeometry(x, y, 200, 80);
    window.show();
    return QApplication::exec();
}
