#include "BankDialog.h"

#include "PictureView.h"
#include "QtGeometry.h"
#include "app/DialogController.h"
#include "app/DialogTemplates.h"
#include "app/ResourceIds.h"

#include <QDropEvent>

#include <utility>

namespace hwd {

BankDialog::BankDialog(DialogController& controller, QWidget* owner)
    : DialogWindow(controller, bankTemplate(), owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    open(owner);
}

void BankDialog::dragEnterEvent(QDragEnterEvent* event)
{
    drops_.enter(*event);
}

void BankDialog::dragMoveEvent(QDragMoveEvent* event)
{
    drops_.move(*event);
}

void BankDialog::dragLeaveEvent(QDragLeaveEvent* event)
{
    drops_.leave();
    QDialog::dragLeaveEvent(event);
}

void BankDialog::dropEvent(QDropEvent* event)
{
    const QPoint at = event->position().toPoint();
    std::vector<std::filesystem::path> files = drops_.dropAll(*event);
    if (files.empty())
        return;
    int controlId = 0;
    Point point;
    Size client;
    if (const auto* picture = qobject_cast<const PictureView*>(TemplateWindow::child(*this, bankTemplate(), IDC_BANK_VIEW));
        picture != nullptr && picture->geometry().contains(at)) {
        const QRect area = picture->clientArea();
        controlId = IDC_BANK_VIEW;
        point = fromQPoint(picture->mapFrom(this, at) - area.topLeft());
        client = fromQSize(area.size());
    }
    // Taken once the drop has completed, so that a box does not hold the file
    // manager's drag until it is closed.
    later([this, files = std::move(files), controlId, point, client]() mutable {
        controller_.filesDropped(std::move(files), controlId, point, client);
    });
}

} // namespace hwd
