#include "WindowControls.h"

#include "PathLabel.h"
#include "PictureMenu.h"
#include "TemplateWindow.h"
#include "app/ResourceIds.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QShortcut>

namespace hwd {

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

WindowControls::WindowControls(QWidget& window, const DialogTemplate& dialogTemplate) noexcept
    : window_(window), template_(dialogTemplate), chooser_(window)
{
}

QWidget* WindowControls::control(int controlId) const
{
    return controlId == 0 ? &window_ : TemplateWindow::child(window_, template_, controlId);
}

void WindowControls::enableControl(int controlId, bool enabled)
{
    if (QWidget* widget = control(controlId))
        widget->setEnabled(enabled);
}

void WindowControls::setControlText(int controlId, std::string_view utf8)
{
    QWidget* widget = control(controlId);
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(fromUtf8(utf8));
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(fromUtf8(utf8));
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(fromUtf8(utf8));
}

std::string WindowControls::controlText(int controlId) const
{
    QWidget* widget = control(controlId);
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text().toStdString();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text().toStdString();
    return {};
}

void WindowControls::setControlPath(int controlId, const std::filesystem::path& path)
{
    // The very bytes that name the file, shown as Qt's own file access reads them.
    if (auto* label = qobject_cast<QLabel*>(control(controlId)))
        label->setText(QFile::decodeName(QByteArray::fromStdString(path.native())));
}

void WindowControls::setToolTip(int controlId, std::string_view utf8)
{
    if (QWidget* widget = control(controlId))
        widget->setToolTip(fromUtf8(utf8));
}

void WindowControls::repaintControl(int controlId)
{
    if (QWidget* widget = control(controlId))
        widget->update();
}

void WindowControls::addListItem(int listId, std::string_view label, long data)
{
    if (auto* list = qobject_cast<QComboBox*>(control(listId)))
        list->addItem(QString::fromLocal8Bit(label.data(), static_cast<qsizetype>(label.size())),
                      QVariant::fromValue<qlonglong>(data));
}

void WindowControls::selectListItem(int listId, int index)
{
    if (auto* list = qobject_cast<QComboBox*>(control(listId)))
        list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

long WindowControls::selectedListData(int listId) const
{
    const auto* list = qobject_cast<const QComboBox*>(control(listId));
    if (list == nullptr || list->currentIndex() < 0)
        return -1;
    return static_cast<long>(list->currentData().toLongLong());
}

void WindowControls::focusControl(int controlId)
{
    if (QWidget* widget = control(controlId))
        widget->setFocus(Qt::OtherFocusReason);
}

int WindowControls::focusedControl() const
{
    const QWidget* focus = window_.focusWidget();
    if (focus == nullptr || focus == &window_)
        return 0;
    for (const ControlTemplate& candidate : template_.controls) {
        const QWidget* widget = TemplateWindow::child(window_, template_, candidate.id);
        if (candidate.id != IDC_STATIC && widget != nullptr && (widget == focus || widget->isAncestorOf(focus)))
            return candidate.id;
    }
    return 0;
}

void WindowControls::showMessage(std::string_view text, MessageIcon icon)
{
    const QString caption = QString::fromLatin1(applicationCaption);
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::Critical, caption,
                    QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok,
                    &window_);
    box.setWindowModality(Qt::ApplicationModal);
    // Ctrl+C copies the box's text, as the system's boxes do on Windows, so
    // that a user can paste the reason into a report.
    QShortcut copy(QKeySequence::Copy, &box);
    QObject::connect(&copy, &QShortcut::activated, &box,
                     [&box] { QGuiApplication::clipboard()->setText(box.windowTitle() + QStringLiteral("\n\n") + box.text()); });
    box.show();
    box.raise();
    box.activateWindow();
    box.exec();
}

std::optional<std::filesystem::path> WindowControls::chooseFileToOpen(OpenTypes types)
{
    return chooser_.chooseFileToOpen(types);
}

std::optional<std::filesystem::path> WindowControls::chooseSaveTarget(const std::filesystem::path& suggested,
                                                                      SaveTypes types)
{
    return chooser_.chooseSaveTarget(suggested, types);
}

void WindowControls::openModeless(int /*templateId*/, DialogController& /*controller*/)
{
}

int WindowControls::popUpMenu(std::span<const MenuItem> items, int nearControl, std::optional<Point> screenPoint)
{
    // Qt would show an empty frame.
    if (items.empty())
        return 0;
    QPoint at;
    if (screenPoint) {
        at = QPoint(screenPoint->x, screenPoint->y);
    } else if (const QWidget* near = control(nearControl)) {
        // From the keyboard: at the middle of the picture.
        at = near->mapToGlobal(near->rect().center());
    }
    return PictureMenu::popUp(items, at);
}

void WindowControls::later(std::function<void()> action)
{
    QMetaObject::invokeMethod(&window_, std::move(action), Qt::QueuedConnection);
}

} // namespace hwd
