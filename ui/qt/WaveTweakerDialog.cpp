#include "WaveTweakerDialog.h"

#include "PictureCommands.h"
#include "TemplateWindow.h"
#include "WaveView.h"
#include "WindowCentring.h"
#include "app/DialogTemplates.h"
#include "app/ResourceIds.h"
#include "wave/WaveOperations.h"
#include "wave/WaveOps.h"

#include <QContextMenuEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>

#include <cmath>
#include <optional>
#include <utility>

namespace hwd {

namespace {

// A mouse position as the whole pixel it falls in.
QPoint pixelOf(const QMouseEvent& event)
{
    const QPointF position = event.position();
    return {static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y()))};
}

} // namespace

WaveTweakerDialog::WaveTweakerDialog(Waveshape& wave, QWidget* owner, PictureCommands* commands)
    : QDialog(owner, TemplateWindow::flagsFor(waveTweakerTemplate().frame)),
      wave_(wave),
      ticks_(&WaveOperations::millisecondTicks)
{
    const DialogTemplate& dialogTemplate = waveTweakerTemplate();
    for (const TemplateWindow::BuiltControl& built : TemplateWindow::build(*this, dialogTemplate, &wave_)) {
        const std::optional<WaveOp> op = waveTweakerOperation(built.control->id);
        auto* button = qobject_cast<QPushButton*>(built.widget);
        if (!op || button == nullptr)
            continue;
        connect(button, &QPushButton::clicked, this, [this, op = *op] {
            applyWaveOp(wave_, op, op == WaveOp::randomPD ? ticks_() : 0);
            view_->update();
        });
    }
    view_ = TemplateWindow::child<WaveView>(*this, dialogTemplate, IDC_WAVE_VIEW);
    view_->setEditMode(false);
    auto* ok = TemplateWindow::child<QPushButton>(*this, dialogTemplate, IDOK);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    if (commands != nullptr) {
        view_->setPictureCommands(*commands, PictureWindow::waveTweaker);
        addCommandKeys(*commands);
    }

    // The native window first, so that the centring knows the frame around it.
    create();
    WindowCentring::centre(*this, owner != nullptr ? owner->window() : nullptr);
    beginEditing(wave_);
    ok->setFocus();
}

// The main loop's filter does not run inside this dialog's own loop: shortcuts
// of the window give the keys whatever control has the focus.
void WaveTweakerDialog::addCommandKeys(PictureCommands& commands)
{
    for (const PictureMenuEntry& entry : pictureMenuEntries()) {
        auto* shortcut = new QShortcut(
            QKeySequence::fromString(QString::fromLatin1(entry.shortcutText), QKeySequence::PortableText), this);
        shortcut->setContext(Qt::WindowShortcut);
        // Held down, the key runs its command once, as in the main dialog.
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, [&commands, id = entry.commandId] {
            commands.runPictureCommand(id, PictureWindow::waveTweaker);
        });
    }
}

void WaveTweakerDialog::setTickSource(TickSource ticks)
{
    ticks_ = std::move(ticks);
}

void WaveTweakerDialog::reject()
{
    done(2);
}

bool WaveTweakerDialog::takePenPoint(WaveTweakerInput::Pointer pointer, QMouseEvent& event)
{
    using WaveTweakerInput::Pointer;
    const QPoint point = pixelOf(event);
    const bool leftButton = pointer == Pointer::Move ? event.buttons().testFlag(Qt::LeftButton)
                                                     : event.button() == Qt::LeftButton;
    // The view's outer rectangle, sunken edge included.
    const bool overView = view_->geometry().contains(point);
    bool editMode = view_->editMode();
    const bool takes = WaveTweakerInput::takesPoint(pointer, leftButton, overView, editMode);
    view_->setEditMode(editMode);
    if (!takes)
        return false;
    view_->penPoint(view_->mapFrom(this, point) - view_->clientArea().topLeft());
    event.accept();
    return true;
}

void WaveTweakerDialog::mousePressEvent(QMouseEvent* event)
{
    if (!takePenPoint(WaveTweakerInput::Pointer::Press, *event))
        QDialog::mousePressEvent(event);
}

// Qt delivers the second press of a double click as this event alone, and its
// default handler would take it for a press; it is none and draws nothing.
void WaveTweakerDialog::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!takePenPoint(WaveTweakerInput::Pointer::DoubleClick, *event))
        event->ignore();
}

void WaveTweakerDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (!takePenPoint(WaveTweakerInput::Pointer::Move, *event))
        QDialog::mouseMoveEvent(event);
}

void WaveTweakerDialog::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() != QContextMenuEvent::Mouse || !view_->geometry().contains(event->pos())) {
        QDialog::contextMenuEvent(event);
        return;
    }
    event->accept();
    view_->popUpPictureMenu(event->globalPos());
}

} // namespace hwd
