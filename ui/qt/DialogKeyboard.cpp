#include "DialogKeyboard.h"

#include <QKeyEvent>
#include <QPushButton>

#include <algorithm>

namespace hwd {

void DialogKeyboard::addControl(QWidget& control, bool startsGroup)
{
    const int group = controls_.empty() ? 0 : controls_.back().group + (startsGroup ? 1 : 0);
    controls_.push_back({&control, group});
}

bool DialogKeyboard::handle(QObject* receiver, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* const target = qobject_cast<QWidget*>(receiver);
    if (target == nullptr || target->window() != &dialog_)
        return false;

    const auto* key = static_cast<const QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    auto* const pushButton = qobject_cast<QPushButton*>(target);

    switch (key->key()) {
    case Qt::Key_Tab:
        moveFocus(target, !(modifiers & Qt::ShiftModifier), false);
        return true;
    case Qt::Key_Backtab:
        moveFocus(target, false, false);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        // Lists take the arrow keys themselves, to change their selection.
        if (pushButton == nullptr)
            return false;
        moveFocus(target, key->key() == Qt::Key_Right || key->key() == Qt::Key_Down, true);
        return true;
    default:
        return false;
    }
}

bool DialogKeyboard::canTakeFocus(const QWidget* widget) const
{
    return widget != nullptr && (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled()
        && widget->isVisibleTo(&dialog_);
}

void DialogKeyboard::moveFocus(const QWidget* from, bool forward, bool withinGroup)
{
    const auto count = static_cast<int>(controls_.size());
    if (count == 0)
        return;
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [from](const Control& control) { return control.widget == from; });
    // From outside the controls, Tab starts at the first one and Shift+Tab at the last.
    const int start = found != controls_.end() ? static_cast<int>(found - controls_.begin()) : (forward ? -1 : count);
    if (withinGroup && found == controls_.end())
        return;

    for (int step = 1; step <= count; ++step) {
        const int index = ((start + (forward ? step : -step)) % count + count) % count;
        const Control& candidate = controls_[static_cast<std::size_t>(index)];
        if (withinGroup && candidate.group != found->group)
            continue;
        if (canTakeFocus(candidate.widget)) {
            candidate.widget->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

} // namespace hwd
