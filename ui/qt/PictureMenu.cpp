#include "PictureMenu.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>

#include <algorithm>

namespace hwd {

namespace {

// A menu's own actions take no shortcut while it is open on its own (Qt matches
// them only through a menu bar): the Ctrl keys are looked up here instead.
class PictureMenuWidget final : public QMenu {
protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const char letter = PictureMenu::controlLetter(*event);
        const QList<QAction*> entries = actions();
        const auto entry = std::find_if(entries.begin(), entries.end(), [letter](const QAction* action) {
            return letter != 0 && action->shortcut() == QKeySequence(Qt::CTRL | static_cast<Qt::Key>(letter));
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

std::unique_ptr<QMenu> PictureMenu::build(std::span<const MenuItem> items)
{
    // Owned here rather than by the picture, which may go while the menu runs.
    auto menu = std::make_unique<PictureMenuWidget>();
    menu->setObjectName(QStringLiteral("pictureMenu"));
    for (const MenuItem& item : items) {
        QAction* action = menu->addAction(QString::fromUtf8(item.label));
        action->setData(item.commandId);
        // Shown beside the label.
        action->setShortcut(QKeySequence::fromString(QString::fromLatin1(item.shortcut), QKeySequence::PortableText));
        action->setShortcutVisibleInContextMenu(true);
        action->setEnabled(item.enabled);
        action->setCheckable(item.checkable);
        action->setChecked(item.checked);
    }
    return menu;
}

char PictureMenu::controlLetter(const QKeyEvent& key)
{
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier)
        return 0;
    if (key.key() < Qt::Key_A || key.key() > Qt::Key_Z)
        return 0;
    return static_cast<char>('A' + (key.key() - Qt::Key_A));
}

int PictureMenu::popUp(std::span<const MenuItem> items, QPoint globalPosition)
{
    const std::unique_ptr<QMenu> menu = build(items);
    // Picked by the mouse, the access key or, while the menu is open, the
    // shortcut: only the first two end the menu by themselves.
    int commandId = 0;
    QMenu& open = *menu;
    QObject::connect(&open, &QMenu::triggered, &open, [&commandId, &open](const QAction* action) {
        commandId = action->data().toInt();
        open.close();
    });
    open.exec(globalPosition);
    return commandId;
}

} // namespace hwd
