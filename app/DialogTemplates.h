#pragma once

#include "Geometry.h"

#include <optional>
#include <span>

namespace hwd {

enum class WaveOp;

// The dialog templates of the desktop program as data: ids, texts and
// rectangles in dialog units, in template order (which is also the tab order).
// Written once, in DialogTemplates.def: the Qt front end builds its windows
// from these, and the Win32 program's dialog resources are compiled from the
// same file.

enum class ControlKind {
    PushButton,
    DefaultPushButton,
    GroupBox,
    Label,        // left-aligned text
    PathLabel,    // left-aligned text that loses the middle of a long path
    WaveView,     // black frame with a sunken edge, painted by the wave view
    DropDownList, // the height includes the opened list
    Icon,         // icon 128
    CentredText,
    Edit,    // one line of text the user types, with a sunken edge
    Picture, // a sunken box whose controller draws it (DialogController::drawPicture)
};

struct ControlTemplate {
    int id;
    const char* name; // the id's name, also the Qt widget's object name
    ControlKind kind;
    const char* text;
    Rect rect;
    bool tabStop;
    bool startsGroup;
    bool notify; // reports clicks and double clicks to its dialog
};

enum class DialogFrame {
    MainWindow,      // caption, system menu with close box, minimise box; a top-level window
    ModalWithClose,  // modal frame, caption and system menu
    ModalNoClose,    // caption only: no system menu, so no close box
    Modeless,        // caption and system menu with close box; owned by the main dialog, which stays usable
};

struct DialogTemplate {
    int id;
    const char* name;
    const char* caption;
    Size size;
    const char* font;
    int pointSize;
    DialogFrame frame;
    bool acceptsFiles;
    std::span<const ControlTemplate> controls;

    // The control with this id; the first one for IDC_STATIC.
    [[nodiscard]] const ControlTemplate* control(int controlId) const noexcept;
};

[[nodiscard]] const DialogTemplate& mainDialogTemplate() noexcept;
[[nodiscard]] const DialogTemplate& aboutBoxTemplate() noexcept;
[[nodiscard]] const DialogTemplate& waveTweakerTemplate() noexcept;
[[nodiscard]] const DialogTemplate& importCycleTemplate() noexcept;
[[nodiscard]] const DialogTemplate& bankTemplate() noexcept;

// The edit a Wave Tweaker button runs, or nothing for any other control.
[[nodiscard]] std::optional<WaveOp> waveTweakerOperation(int controlId) noexcept;

// The text shown under the About box's icon: title, authorship and contact,
// separated by blank lines.
[[nodiscard]] const char* aboutText() noexcept;

namespace AboutTexts {
extern const char* const title; // "Harlix WaveDump Applet v" and the program's major.minor version
extern const char* const authorship;
extern const char* const contact;
} // namespace AboutTexts

// The main dialog's file-name text before the first drop.
inline constexpr const char* dropHint = "Drag/Drop WAV file from Explorer";

} // namespace hwd
