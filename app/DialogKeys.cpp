#include "DialogKeys.h"

#include "DialogControls.h"
#include "DialogTemplates.h"
#include "ResourceIds.h"

namespace hwd {

namespace {

bool isPushButton(const DialogTemplate& dialog, int controlId)
{
    const ControlTemplate* control = controlId != 0 ? dialog.control(controlId) : nullptr;
    return control != nullptr
        && (control->kind == ControlKind::PushButton || control->kind == ControlKind::DefaultPushButton);
}

} // namespace

bool takeDialogKey(const KeyPress& key, const DialogTemplate& dialog, PictureWindow where,
                   const DialogControls& window, DialogController& controller)
{
    switch (key.key) {
    case KeyPress::Key::Enter:
        if (const int focused = window.focusedControl(); isPushButton(dialog, focused))
            controller.command(focused, ControlEvent::Clicked);
        else
            controller.command(IDOK, ControlEvent::Other);
        return true;
    case KeyPress::Key::Escape:
        controller.command(IDCANCEL, ControlEvent::Other);
        return true;
    case KeyPress::Key::ContextMenu:
        controller.pictureMenuRequested(std::nullopt);
        return true;
    case KeyPress::Key::Control:
        if (const int commandId = pictureCommandForKey(key.letter, where)) {
            // Held down, the key runs its command once: Listen would flicker on and off.
            if (!key.repeat)
                controller.command(commandId, ControlEvent::Other);
            return true;
        }
        return false;
    case KeyPress::Key::Left:
    case KeyPress::Key::Right:
    case KeyPress::Key::Up:
    case KeyPress::Key::Down:
    case KeyPress::Key::Delete:
        return false;
    }
    return false;
}

} // namespace hwd
