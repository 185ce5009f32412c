#include "PictureContextMenu.h"

#include "app/ResourceIds.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QPointer>

#include <algorithm>

namespace hwd {

namespace {

// A menu's own actions take no shortcut while it is open on its own (Qt matches
// them only through a menu bar): the Ctrl keys are looked up here instead.
class PictureMenuWidget final : public QMenu {
protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const int commandId = PictureContextMenu::commandForKey(*event);
        const QList<QAction*> entries = actions();
        const auto entry = std::find_if(entries.begin(), entries.end(), [commandId](const QAction* action) {
            return commandId != 0 && action->data().toInt() == commandId;
        });
        if (entry == entries.end()) {
            QMenu::keyPressEvent(event);
            return;
        }
        event->accept();
        if ((*entry)->isEnabled() && !event->isAutoRepeat())
            (*entry)->trigger();
    }
};

} // namespace

std::unique_ptr<QMenu> PictureContextMenu::build(const PictureCommands& commands, PictureWindow where)
{
    // Owned here rather than by the picture, which may go while the menu runs.
    auto menu = std::make_unique<PictureMenuWidget>();
    menu->setObjectName(QStringLiteral("pictureMenu"));
    for (const PictureMenuEntry& entry : pictureMenuEntries()) {
        QAction* action = menu->addAction(QString::fromUtf8(entry.label));
        action->setData(entry.commandId);
        // Shown beside the label.
        action->setShortcut(QKeySequence::fromString(QString::fromLatin1(entry.shortcutText),
                                                     QKeySequence::PortableText));
        action->setShortcutVisibleInContextMenu(true);
        action->setEnabled(commands.pictureCommandEnabled(entry.commandId, where));
        if (entry.commandId == ID_LISTEN) {
            action->setCheckable(true);
            action->setChecked(commands.pictureCommandChecked(entry.commandId));
        }
    }
    return menu;
}

int PictureContextMenu::commandForKey(const QKeyEvent& key)
{
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier)
        return 0;
    if (key.key() < Qt::Key_A || key.key() > Qt::Key_Z)
        return 0;
    return pictureCommandForKey(static_cast<char>('A' + (key.key() - Qt::Key_A)));
}

void PictureContextMenu::popUp(PictureCommands& commands, PictureWindow where, const QWidget& picture,
                               QPoint globalPosition)
{
    const std::unique_ptr<QMenu> menu = build(commands, where);
    const QPointer<const QWidget> guard(&picture);
    // Picked by the mouse, the access key or, while the menu is open, the
    // shortcut: only the first two end the menu by themselves.
    int commandId = 0;
    QMenu& open = *menu;
    QObject::connect(&open, &QMenu::triggered, &open, [&commandId, &open](const QAction* action) {
        commandId = action->data().toInt();
        open.close();
    });
    open.exec(globalPosition);
    if (commandId != 0 && !guard.isNull())
        commands.runPictureCommand(commandId, where);
}

} // namespace hwd
