#include "KeyTranslation.h"

#include "PictureMenu.h"

#include <QKeyEvent>

#include <utility>

namespace hwd {

std::optional<KeyPress> keyPressFor(const QEvent& event)
{
    if (event.type() != QEvent::KeyPress)
        return std::nullopt;
    const auto& key = static_cast<const QKeyEvent&>(event);
    if (const char letter = PictureMenu::controlLetter(key))
        return KeyPress{KeyPress::Key::Control, letter, key.isAutoRepeat()};
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyPress{KeyPress::Key::Enter};
    case Qt::Key_Escape:
        return KeyPress{KeyPress::Key::Escape};
    case Qt::Key_Menu:
        return KeyPress{KeyPress::Key::ContextMenu};
    case Qt::Key_F10:
        if (modifiers == Qt::ShiftModifier)
            return KeyPress{KeyPress::Key::ContextMenu};
        return std::nullopt;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Delete: {
        static constexpr std::pair<int, KeyPress::Key> keys[] = {
            {Qt::Key_Left, KeyPress::Key::Left}, {Qt::Key_Right, KeyPress::Key::Right}, {Qt::Key_Up, KeyPress::Key::Up},
            {Qt::Key_Down, KeyPress::Key::Down}, {Qt::Key_Delete, KeyPress::Key::Delete}};
        for (const auto& [qtKey, which] : keys) {
            if (qtKey == key.key())
                return KeyPress{which, 0, key.isAutoRepeat(), modifiers.testFlag(Qt::ShiftModifier)};
        }
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace hwd
