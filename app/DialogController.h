#pragma once

#include "Drawing.h"
#include "Geometry.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace hwd {

class DialogControls;

// What a control reported: a button's click, the picture's double click, the
// user's change of an edit field's text (never one made by setControlText), or
// anything else (a menu pick, a shortcut, Enter or Esc).
enum class ControlEvent { Clicked, DoubleClicked, Changed, Other };

// A key that the dialogs' shared rules take before the platform's dialog
// keyboard (Tab and the arrows stay the platform's).
struct KeyPress {
    enum class Key {
        Enter,
        Escape,
        ContextMenu, // Shift+F10 or the Menu key
        Control,     // Ctrl with a letter, nothing else held
        // Offered first to the controller, which takes them only where a
        // control of its own uses them (the bank's cells); else the platform's.
        Left,
        Right,
        Up,
        Down,
        Delete,
    };
    Key key;
    char letter = 0;     // 'A' to 'Z' with Key::Control
    bool repeat = false; // the keyboard's repeat while the key is held
    bool shift = false;  // Shift held with an arrow
};

// The keys held at a click on a picture.
struct ClickKeys {
    bool shift = false;
    bool control = false;
};

// The rules of one dialog, apart from any toolkit: each front end turns its
// native events into these calls and carries out the controller's requests
// through DialogControls.
class DialogController {
public:
    virtual ~DialogController() = default;

    // The native window exists, still hidden, with its controls.
    virtual void initialise(DialogControls& window) = 0;
    virtual void command(int controlId, ControlEvent event) = 0;
    // Whether the key was taken; the rest go to the platform's dialog keyboard.
    [[nodiscard]] virtual bool keyPressed(const KeyPress& key) = 0;
    // A right click over the picture at a point of the screen, or the
    // keyboard's request for the picture's menu (no point).
    virtual void pictureMenuRequested(std::optional<Point> screenPoint) = 0;
    // The first file of a drop, whole.
    virtual void fileDropped(std::filesystem::path /*file*/) {}
    // Every file of a drop, in the order the system gives them, and where it
    // landed: on a Picture control (its id, the point in its client area of
    // size client) or elsewhere (control 0). Unless a controller wants them
    // all, the first one is a fileDropped.
    virtual void filesDropped(std::vector<std::filesystem::path> files, int /*controlId*/, Point /*point*/,
                              Size /*client*/)
    {
        if (!files.empty())
            fileDropped(std::move(files.front()));
    }
    // The message loop's idle pass.
    virtual void runIdle() {}
    // What a Picture control shows in a client area of size client.
    [[nodiscard]] virtual Drawing drawPicture(int /*controlId*/, Size /*client*/) const { return {}; }
    // A left click at a point of a notifying Picture's client area, with the
    // keys held; the second press of a double click comes as a double click.
    virtual void pictureClicked(int /*controlId*/, Point /*point*/, Size /*client*/, ClickKeys /*held*/) {}
    virtual void pictureDoubleClicked(int /*controlId*/, Point /*point*/, Size /*client*/) {}
};

} // namespace hwd
