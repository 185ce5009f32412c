#pragma once

#include <span>

namespace hwd {

// The context menu that a right click on either picture opens: Open, Save
// Wave As and Listen, each with the shortcut that works without the menu.
struct PictureMenuEntry {
    int commandId;     // ID_FILE_OPEN, ID_FILE_SAVE_AS, ID_LISTEN
    const char* label; // UTF-8, '&' before the access key
    const char* shortcutText;
    char shortcutKey;  // with Ctrl: 'O', 'S', 'L'
};

[[nodiscard]] std::span<const PictureMenuEntry> pictureMenuEntries() noexcept;

// The command that Ctrl and this key give; 0 for any other key.
[[nodiscard]] int pictureCommandForKey(char key) noexcept;

// Where a picture's menu is opened.
enum class PictureWindow { mainDialog, waveTweaker };

// Whether a command is offered. Open is the main dialog's alone: the Tweaker
// edits the wave it opened with, and its Undo belongs to that wave. Save needs
// a wave loaded; Listen is always there.
[[nodiscard]] bool pictureCommandEnabled(int commandId, PictureWindow where, bool waveLoaded) noexcept;

// The main picture's tooltip.
inline constexpr const char* waveViewToolTip =
    "Double-click to edit the wave. Right-click for Open, Save Wave As and Listen.";

} // namespace hwd
